#include "update/version_reply.h"

#include "platform/text_utf.h"

namespace vostra {
namespace {

constexpr size_t kMinUpdateReplyUnits = 6;

bool IsConversionSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::string ComposeVersionQueryUrl(std::string_view base_url, std::string_view path_and_query,
                                   std::string_view version) {
    std::string url;
    url.reserve(base_url.size() + 1 + path_and_query.size() + version.size());
    url.append(base_url).append("/").append(path_and_query).append(version);
    return url;
}

std::string ReplyTextFromBody(std::string_view body) {
    body = body.substr(0, kVersionReplyMaxBytes);
    body = body.substr(0, body.find('\0'));
    return Utf16ToUtf8(Utf8ToUtf16(body));
}

bool LeadingNumberIsNegative(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsConversionSpace(text[i])) ++i;
    if (i == text.size() || text[i] != '-') return false;
    // A minus sign makes the value negative once any digit is not zero;
    // an overflowing value stays negative (clamped to the minimum).
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (text[i] != '0') return true;
    }
    return false;
}

bool IsUpdateReply(std::string_view reply) {
    return Utf16Length(reply) >= kMinUpdateReplyUnits && !LeadingNumberIsNegative(reply);
}

}  // namespace vostra
