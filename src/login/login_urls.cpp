#include "login/login_urls.h"

#include "platform/text_utf.h"

namespace vostra {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// The host of "scheme://[user@]host[:port]..." is not empty.
bool HasHost(std::string_view after_slashes) {
    std::string_view authority = after_slashes.substr(0, after_slashes.find_first_of("/?#"));
    if (const size_t at = authority.rfind('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    return !authority.empty() && authority[0] != ':';
}

bool IsWebAddress(std::string_view url) {
    for (std::string_view scheme : {"http://", "https://"}) {
        if (StartsWithNoCase(url, scheme)) return HasHost(url.substr(scheme.size()));
    }
    return false;
}

bool HasControlCharacter(std::string_view url) {
    for (unsigned char c : url) {
        if (c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

bool IsUtf8(std::string_view text) { return Utf16ToUtf8(Utf8ToUtf16(text)) == text; }

}  // namespace

std::string ComposeLoginUrl(std::string_view base_url, std::string_view mac) {
    std::string segment = "mac/";
    segment.append(mac);
    segment += '/';
    std::string url(base_url);
    if (!url.empty() && url.back() == '/') return url + segment;
    if (const size_t query = url.rfind('?'); query != std::string::npos) {
        return url.insert(query, segment);
    }
    return url + "/" + segment;
}

bool IsPlayLink(std::string_view url) { return url.find(kPlayLinkMarker) != std::string_view::npos; }

GameUrlCheck CheckGameUrl(std::string_view url) {
    if (url.size() > kMaxGameUrlBytes) return GameUrlCheck::kTooLong;
    if (HasControlCharacter(url)) return GameUrlCheck::kControlCharacter;
    if (!IsUtf8(url)) return GameUrlCheck::kNotUtf8;
    if (!IsWebAddress(url)) return GameUrlCheck::kNotWeb;
    return GameUrlCheck::kAccepted;
}

const char* GameUrlCheckName(GameUrlCheck check) {
    switch (check) {
        case GameUrlCheck::kAccepted: return "accepted";
        case GameUrlCheck::kNotWeb: return "not a web address";
        case GameUrlCheck::kControlCharacter: return "control character";
        case GameUrlCheck::kNotUtf8: return "not UTF-8";
        case GameUrlCheck::kTooLong: return "too long";
    }
    return "unknown";
}

}  // namespace vostra
