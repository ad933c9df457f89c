// The demo operator's web site: each service registers its routes on the
// one server: the version service, the client download, the login page
// with its news frame, the game page and the request counts.
#pragma once

#include <httplib.h>

#include "demo_options.h"
#include "published_client.h"

namespace vostra::demo {

// Path of the client download.
inline constexpr char kClientDownloadPath[] = "/download/vstr/kxvstr.exe";

// Path of the game page; it holds the play-link marker "play_gamecode".
inline constexpr char kGamePagePath[] = "/vstr/play_gamecode";

// Path of the request counts.
inline constexpr char kStatsPath[] = "/demo/stats";

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
// whether the request carried a session.
void RegisterGamePage(httplib::Server& server, const DemoOptions& options);

// GET kStatsPath: the request counts as plain text.
void RegisterStatsPage(httplib::Server& server);

}  // namespace vostra::demo
