#include <string>

#include "app/resource_strings.h"
#include "operator_site.h"
#include "request_counts.h"
#include "stop_signal.h"

namespace vostra::demo {
namespace {

// A stalled reply is held this long at most (or until the server stops).
constexpr int kStallMillis = 10 * 60 * 1000;
// Length of the padded reply of the long-reply fault.
constexpr size_t kLongReplyBytes = 1500;

// "/getClientVersion.php": the path part of the launcher's query.
std::string VersionPath() {
    const std::string query = LoadResString(IDS_VERSION_QUERY);
    std::string path = "/";
    path.append(query, 0, query.find('?'));
    return path;
}

std::string ReplyFor(const httplib::Request& req, const DemoOptions& options,
                     const PublishedClient& client) {
    if (options.fixed_reply) return *options.fixed_reply;
    if (options.Has(Fault::kVersionEchoUserAgent)) return req.get_header_value("User-Agent");
    const bool ours = req.get_param_value("p") == "orbix" && req.get_param_value("g") == "vstr";
    if (!ours || client.path.empty() || !IsNewerVersion(client.version, req.get_param_value("v"))) {
        return "0";
    }
    std::string url = BaseUrlOf(req, options) + kClientDownloadPath;
    if (options.Has(Fault::kVersionLong)) {
        url += "?pad=";
        url.append(kLongReplyBytes - url.size(), 'x');
    }
    if (options.Has(Fault::kVersionTrailingLineEnd)) url += "\r\n";
    return url;
}

}  // namespace

std::string BaseUrlOf(const httplib::Request& req, const DemoOptions& options) {
    const std::string host = req.get_header_value("Host");
    if (!host.empty()) return "http://" + host;
    return "http://" + options.host + ":" + std::to_string(options.port);
}

void RegisterVersionService(httplib::Server& server, const DemoOptions& options,
                            const PublishedClient& client) {
    const std::string path = VersionPath();
    auto answer = [&options, &client](const httplib::Request& req, httplib::Response& res) {
        if (options.Has(Fault::kVersion404)) {
            res.status = 404;
            res.set_content("not found", "text/plain");
            return;
        }
        if (options.Has(Fault::kVersionStall)) {
            SleepUnlessStopping(kStallMillis);
            res.status = 503;
            return;
        }
        res.set_content(ReplyFor(req, options, client), "text/plain");
    };
    // A redirected query is counted at its first hop only: it is one query.
    if (options.Has(Fault::kVersionRedirect)) {
        server.Get(path, [](const httplib::Request& req, httplib::Response& res) {
            CountRequest(Route::kVersion);
            res.set_redirect("/redirected" + req.target, 302);
        });
        server.Get("/redirected" + path, answer);
    } else {
        server.Get(path, [answer](const httplib::Request& req, httplib::Response& res) {
            CountRequest(Route::kVersion);
            answer(req, res);
        });
    }
}

}  // namespace vostra::demo
