#include "published_client.h"

#include <sys/stat.h>

#include <optional>
#include <vector>

#include "app/file_version.h"

namespace vostra::demo {
namespace {

// "1.0.0.1" as {1, 0, 0, 1}; nullopt unless it is digits and dots only.
std::optional<std::vector<long>> ParseDotted(const std::string& text) {
    std::vector<long> parts;
    long value = 0;
    bool digits = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (value > 100000000) return std::nullopt;
            value = value * 10 + (c - '0');
            digits = true;
        } else if (c == '.' && digits) {
            parts.push_back(value);
            value = 0;
            digits = false;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    parts.push_back(value);
    return parts;
}

}  // namespace

PublishedClient LoadPublishedClient(const std::string& path) {
    PublishedClient client;
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return client;
    client.path = path;
    client.size = st.st_size;
    client.version = GetFileVersionString(path);
    return client;
}

bool IsNewerVersion(const std::string& published, const std::string& current) {
    const auto pub = ParseDotted(published);
    if (!pub) return false;
    auto cur = ParseDotted(current);
    if (!cur) return true;
    auto p = *pub;
    // Missing trailing parts count as zero: "1.1" equals "1.1.0.0".
    p.resize(std::max(p.size(), cur->size()), 0);
    cur->resize(p.size(), 0);
    return p > *cur;
}

}  // namespace vostra::demo
