// The version service's protocol: the query URL and the rule that tells a
// download URL from a refusal.
#pragma once

#include <string>
#include <string_view>

namespace vostra {

// A reply is read up to this many bytes; the rest of a longer reply is
// ignored, so no reply can overrun the read buffer.
inline constexpr size_t kVersionReplyMaxBytes = 1023;

// "%s/%s%s": base URL, path and query, version text (appended unencoded).
std::string ComposeVersionQueryUrl(std::string_view base_url, std::string_view path_and_query,
                                   std::string_view version);

// The reply text of a response body: at most kVersionReplyMaxBytes bytes,
// ended at the first NUL byte, decoded as UTF-8 (an undecodable byte
// becomes U+FFFD). Blanks and line ends are kept.
std::string ReplyTextFromBody(std::string_view body);

// The number a decimal conversion reads from the start of text (leading
// white space and a sign accepted, digits up to the first non-digit), as
// wcstol with base 10 would: true when it is below zero.
bool LeadingNumberIsNegative(std::string_view text);

// A reply asks for an update when it holds at least 6 characters (UTF-16
// units) and its leading number is not negative.
bool IsUpdateReply(std::string_view reply);

}  // namespace vostra
