#include "html_text.h"

#include <cstdio>

#include "app/resource_strings.h"
#include "login/login_error_page.h"

namespace vostra::demo {

std::string HtmlEscape(std::string_view text) { return EscapeHtml(text); }

std::string QueryEncode(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string LoginPagePath() {
    const std::string url = LoadResString(IDS_LOGIN_URL);
    const size_t scheme_end = url.find("://");
    const size_t path = url.find('/', scheme_end == std::string::npos ? 0 : scheme_end + 3);
    return path == std::string::npos ? "/" : url.substr(path);
}

}  // namespace vostra::demo
