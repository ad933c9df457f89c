// The demo operator's web site: each service registers its routes on the
// one server: the version service, the client download, the login page
// with its news frame, the game page with its script, pictures and guide,
// the page-event log and the request counts.
#pragma once

#include <httplib.h>

#include "demo_options.h"
#include "published_client.h"

namespace vostra::demo {

// Path of the client download.
inline constexpr char kClientDownloadPath[] = "/download/vstr/kxvstr.exe";

// Path of the game page; it holds the play-link marker "play_gamecode".
inline constexpr char kGamePagePath[] = "/vstr/play_gamecode";

// The folder of the game page's script and pictures: "game.js",
// "ship.png" and "star.png".
inline constexpr char kStaticPath[] = "/vstr/static/";

// Path of the guide page the game page links to (relatively, as
// "guide.html").
inline constexpr char kGuidePagePath[] = "/vstr/guide.html";

// Path of the request counts.
inline constexpr char kStatsPath[] = "/demo/stats";

// Where the game page's script reports a page event, and where the list
// of reported events is read.
inline constexpr char kEventPath[] = "/demo/event";
inline constexpr char kEventsPath[] = "/demo/events";

// "<path of resource 114>news": the login page's news frame.
std::string NewsPagePath();

// kGamePagePath?mac=<address>: the play link of a machine.
std::string PlayLinkFor(const std::string& mac);

// "scheme://host:port" as the caller reached us (its Host header).
std::string BaseUrlOf(const httplib::Request& req, const DemoOptions& options);

// GET /getClientVersion.php?p=orbix&g=vstr&v=<version>: the download URL of
// the published client when it is newer than v, otherwise "0".
void RegisterVersionService(httplib::Server& server, const DemoOptions& options,
                            const PublishedClient& client);

// GET of the published client, with a Content-Length, at the configured
// rate.
void RegisterClientDownload(httplib::Server& server, const DemoOptions& options,
                            const PublishedClient& client);

// GET <path of resource 114>mac/<address>/: the login form, showing the
// address, with play links to the game page and the news frame; POST
// <path of resource 114>login: the form's login, which sets the session
// cookie and sends the browser on to the game page.
void RegisterLoginPage(httplib::Server& server, const DemoOptions& options);

// GET NewsPagePath()?mac=<address>: a short news text with a play link.
void RegisterNewsPage(httplib::Server& server);

// GET kGamePagePath?mac=<address>[&user=<name>]: the game page, saying
// whether the request carried a session, and GET kGuidePagePath (any
// query): how to play.
void RegisterGamePage(httplib::Server& server, const DemoOptions& options);

// GET kStaticPath<name>: the game page's script and pictures, cacheable,
// with an ETag and Last-Modified.
void RegisterStaticFiles(httplib::Server& server);

// kEventPath?type=<type>&button=<n>&key=<key> (POST, or GET for an image
// beacon): one page event; GET kEventsPath[?clear=1]: the events so far,
// one line each, emptying the list with clear=1.
void RegisterEventLog(httplib::Server& server);

// GET kStatsPath: the request counts as plain text.
void RegisterStatsPage(httplib::Server& server);

}  // namespace vostra::demo
