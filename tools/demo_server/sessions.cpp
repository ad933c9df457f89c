#include "sessions.h"

#include <cstdio>
#include <mutex>
#include <random>
#include <set>
#include <string_view>

namespace vostra::demo {
namespace {

constexpr int kTokenBytes = 16;

std::mutex g_mutex;
std::set<std::string> g_issued;

bool IsIssued(const std::string& token) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_issued.count(token) != 0;
}

// The value of the session cookie in one Cookie header ("a=1; b=2"); ""
// when it is not there.
std::string SessionTokenIn(std::string_view header) {
    const std::string prefix = std::string(kSessionCookie) + "=";
    for (size_t start = 0; start < header.size();) {
        size_t end = header.find(';', start);
        if (end == std::string_view::npos) end = header.size();
        std::string_view pair = header.substr(start, end - start);
        while (!pair.empty() && pair.front() == ' ') pair.remove_prefix(1);
        if (pair.substr(0, prefix.size()) == prefix) return std::string(pair.substr(prefix.size()));
        start = end + 1;
    }
    return "";
}

}  // namespace

std::string IssueSession() {
    std::lock_guard<std::mutex> lock(g_mutex);
    static std::random_device device;
    std::string token;
    for (int i = 0; i < kTokenBytes; ++i) {
        char hex[3];
        snprintf(hex, sizeof hex, "%02x", static_cast<unsigned>(device() & 0xff));
        token += hex;
    }
    g_issued.insert(token);
    return token;
}

bool HasSession(const httplib::Request& req) {
    const size_t headers = req.get_header_value_count("Cookie");
    for (size_t i = 0; i < headers; ++i) {
        const std::string token = SessionTokenIn(req.get_header_value("Cookie", i));
        if (!token.empty() && IsIssued(token)) return true;
    }
    return false;
}

}  // namespace vostra::demo
