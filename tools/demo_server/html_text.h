// Putting received text into the demo pages safely.
#pragma once

#include <string>
#include <string_view>

namespace vostra::demo {

// The text with &, <, >, " and ' written as character references, for
// element content and quoted attribute values.
std::string HtmlEscape(std::string_view text);

// The text percent-encoded for a query value: everything but letters,
// digits and "-._~" becomes %XX.
std::string QueryEncode(std::string_view text);

// "/client/gamecode/vstr/": the path of the login page's base URL (string
// resource 114), that is the URL without its scheme and host.
std::string LoginPagePath();

}  // namespace vostra::demo
