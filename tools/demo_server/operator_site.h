// The demo operator's web site: each service registers its routes on the
// one server. The version service and the client download are here; the
// login and game pages join the same way.
#pragma once

#include <httplib.h>

#include "demo_options.h"
#include "published_client.h"

namespace vostra::demo {

// Path of the client download.
inline constexpr char kClientDownloadPath[] = "/download/vstr/kxvstr.exe";

// "scheme://host:port" as the caller reached us (its Host header).
std::string BaseUrlOf(const httplib::Request& req, const DemoOptions& options);

// GET /getClientVersion.php?p=orbix&g=vstr&v=<version>: the download URL of
// the published client when it is newer than v, otherwise "0".
void RegisterVersionService(httplib::Server& server, const DemoOptions& options,
                            const PublishedClient& client);

// GET of the published client, with a Content-Length.
void RegisterClientDownload(httplib::Server& server, const DemoOptions& options,
                            const PublishedClient& client);

}  // namespace vostra::demo
