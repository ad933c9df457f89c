// The page the login form shows when the operator's login page cannot be
// loaded: in the launcher's colours, with the reason and a button that
// loads the login page again. Plain text rules, no window code.
#pragma once

#include <string>
#include <string_view>

namespace vostra {

// The whole HTML document. `login_url` is what the button loads; `reason`
// is the engine's error text, shown as text (never as markup).
std::string LoginErrorPageHtml(std::string_view login_url, std::string_view reason);

// Text made safe inside HTML text and double-quoted attribute values.
std::string EscapeHtml(std::string_view text);

}  // namespace vostra
