#include <cstdio>
#include <string>

#include "platform/http_client.h"

namespace vostra {
namespace {

// C0 controls and the blank, which a browser drops around a typed address.
bool IsEdgeJunk(unsigned char c) { return c <= 0x20; }

bool IsTabOrLineEnd(unsigned char c) { return c == '\t' || c == '\n' || c == '\r'; }

bool NeedsEncoding(unsigned char c) { return c <= 0x20 || c >= 0x7F; }

}  // namespace

std::string RequestUrlText(const std::string& url) {
    size_t begin = 0;
    size_t end = url.size();
    while (begin < end && IsEdgeJunk(static_cast<unsigned char>(url[begin]))) ++begin;
    while (end > begin && IsEdgeJunk(static_cast<unsigned char>(url[end - 1]))) --end;

    std::string out;
    out.reserve(end - begin);
    for (size_t i = begin; i < end; ++i) {
        const auto c = static_cast<unsigned char>(url[i]);
        if (IsTabOrLineEnd(c)) continue;
        if (NeedsEncoding(c)) {
            char hex[4];
            snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace vostra
