// The login page's address and the play link, as plain text rules that the
// login popup and its web form apply. No window code here.
#pragma once

#include <string>
#include <string_view>

namespace vostra {

// What marks a navigation of the login page as the play link.
inline constexpr std::string_view kPlayLinkMarker = "play_gamecode";

// The login page URL: the base URL (string resource 114) extended with
// "mac/", the adapter address and "/":
//  1. a base ending in "/" gets "mac/<mac>/" appended;
//  2. otherwise, a base holding "?" gets "mac/<mac>/" inserted directly
//     before its last "?" (no separator in front of it);
//  3. otherwise "/mac/<mac>/" is appended.
// An empty address gives ".../mac//", which the operator's page reads as
// an unknown machine.
std::string ComposeLoginUrl(std::string_view base_url, std::string_view mac);

// The login page URL of this machine: resource 114 and GetMacAddress().
std::string LoginPageUrl();

// True when the URL contains the marker: a case-sensitive search anywhere
// in the URL, query string and fragment included.
bool IsPlayLink(std::string_view url);

// Why a play link may not become the game URL.
enum class GameUrlCheck {
    kAccepted,
    kNotWeb,           // not an http:// or https:// address with a host
    kControlCharacter, // holds a control character (a NUL, a line end, ...)
    kNotUtf8,          // not valid UTF-8
    kTooLong,          // longer than kMaxGameUrlBytes
};

// Longest game URL passed on, in bytes. Browsers handle far shorter links;
// the bound keeps the game window's command line well below the kernel's
// limit for one argument (128 KiB).
inline constexpr size_t kMaxGameUrlBytes = 64 * 1024;

// The play link arrives from a web page, so it is checked before it becomes
// the game URL that the game window opens: only a web address (http or
// https, case-insensitive scheme, non-empty host) of sound text is taken. A
// hostile page could otherwise hand over a file:, data: or javascript:
// address, or a line end that splits the game window's command line.
GameUrlCheck CheckGameUrl(std::string_view url);

const char* GameUrlCheckName(GameUrlCheck check);

}  // namespace vostra
