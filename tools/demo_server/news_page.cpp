// The login page's news frame: GET NewsPagePath()?mac=<address>. Besides a
// short news text it holds a play link that stays in the frame, so that a
// play link reached inside a frame can be tried.
#include <string>

#include "html_text.h"
#include "operator_site.h"
#include "request_counts.h"

namespace vostra::demo {
namespace {

std::string NewsPageHtml(const std::string& mac) {
    const std::string play = PlayLinkFor(mac) + "&from=frame";
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Vostra news</title>"
           "<style>body{font-family:sans-serif;background:#2a3347;color:#e8e2cf;margin:4px;"
           "font-size:13px}a{color:#f0c060}</style></head><body>\n"
           "<p>Season three opens on the eastern shore.</p>\n"
           "<p><a id=\"frame-play\" href=\"" + HtmlEscape(play) +
           "\" target=\"_self\">play from the news</a></p>\n"
           "</body></html>\n";
}

}  // namespace

std::string NewsPagePath() { return LoginPagePath() + "news"; }

void RegisterNewsPage(httplib::Server& server) {
    server.Get(NewsPagePath(), [](const httplib::Request& req, httplib::Response& res) {
        CountRequest(Route::kNews);
        res.set_content(NewsPageHtml(req.get_param_value("mac")), "text/html; charset=utf-8");
    });
}

}  // namespace vostra::demo
