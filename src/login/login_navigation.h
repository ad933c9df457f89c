// Watching where the login page navigates. Every navigation of the web
// form (the page and its frames) goes through two steps on the UI thread:
//  1. the form: a play link is cancelled, so the page stays where it is;
//     whether or not it is one, the URL is stored in g_strLastNavUrl and
//     the popup is told at once;
//  2. the popup: PlayLinkToHandOver(g_strLastNavUrl) gives the URL that the
//     login window takes as the game URL, whose modal run then ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "login/login_urls.h"

namespace vostra {

// The URL of the web form's latest navigation; empty at start. Written and
// read on the UI thread only.
extern std::string g_strLastNavUrl;

// Step 1: true when the navigation must be cancelled (a play link).
bool CancelsFormNavigation(std::string_view url);

// Step 2: the play link to hand over, unchanged, or nullopt when the URL is
// no play link, or is one that CheckGameUrl refuses (its reason then goes to
// *refused when given). A refused play link stays cancelled and the login
// page stays open, so the player can try again.
std::optional<std::string> PlayLinkToHandOver(std::string_view last_nav_url,
                                              GameUrlCheck* refused = nullptr);

}  // namespace vostra
