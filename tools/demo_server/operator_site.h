// The demo operator's web site: each service registers its routes on the
// one server: the version service, the client download, the login page and
// the game page.
#pragma once

#include <httplib.h>

#include "demo_options.h"
#include "published_client.h"

namespace vostra::demo {

// Path of the client download.
inline constexpr char kClientDownloadPath[] = "/download/vstr/kxvstr.exe";

// Path of the game page; it holds the play-link marker "play_gamecode".
inline constexpr char kGamePagePath[] = "/vstr/play_gamecode";

// "scheme://host:port" as the caller reached us (its Host header).
std::string BaseUrlOf(const httplib::Request& req, const DemoOptions& options);

// GET /getClientVersion.php?p=orbix&g=vstr&v=<version>: the download URL of
// the published client when it is newer than v, otherwise "0".
void RegisterVersionService(httplib::Server& server, const DemoOptions& options,
                            const PublishedClient& client);

// GET of the published client, with a Content-Length.
void RegisterClientDownload(httplib::Server& server, const DemoOptions& options,
                            const PublishedClient& client);

// GET <path of resource 114>mac/<address>/: the login form, showing the
// address, with a play link to the game page.
void RegisterLoginPage(httplib::Server& server, const DemoOptions& options);

// GET kGamePagePath?mac=<address>[&user=<name>]: the game page.
void RegisterGamePage(httplib::Server& server, const DemoOptions& options);

}  // namespace vostra::demo
