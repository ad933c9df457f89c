// How many requests each route of the demo site served, so that a test can
// see what the launcher asked for (one version query, say) and what it
// never reached (the game page after a cancelled navigation).
#pragma once

#include <string>

namespace vostra::demo {

enum class Route {
    kLoginPage,  // GET of the login page
    kLoginPost,  // the login form's POST
    kNews,       // the login page's news frame
    kGamePage,   // GET of the game page
    kVersion,    // the version query (a redirected one counts once)
    kDownload,   // GET of the client download
    kStatic,     // GET of the game page's script or pictures (a 304 too)
    kGuide,      // GET of the guide page
    kCount,
};

// Counts one request; safe from any of the server's threads.
void CountRequest(Route route);

// One line "<route-name> <count>" per route, zeros included.
std::string RequestCountsText();

}  // namespace vostra::demo
