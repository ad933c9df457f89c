// The game page that the login page's play link opens: GET of
// kGamePagePath, whose path carries the play-link marker. It names the
// player and the machine it was given, so a test can see that the game
// window opened the URL the login page handed over, and whether the
// request carried the login's session cookie.
#include <string>

#include "html_text.h"
#include "operator_site.h"
#include "request_counts.h"
#include "sessions.h"

namespace vostra::demo {
namespace {

std::string GamePageHtml(const std::string& user, const std::string& mac, bool session) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Vostra</title>"
           "<style>body{font-family:sans-serif;background:#0f1a12;color:#d8f0d0;margin:24px}"
           "</style></head><body>\n"
           "<h1>Vostra</h1>\n"
           "<p>Player: <span id=\"user\">" + HtmlEscape(user.empty() ? "guest" : user) +
           "</span></p>\n"
           "<p>Machine: <span id=\"mac\">" + HtmlEscape(mac) + "</span></p>\n"
           "<p>Session: <span id=\"session\">" + (session ? "signed in" : "no session") +
           "</span></p>\n"
           "</body></html>\n";
}

}  // namespace

std::string PlayLinkFor(const std::string& mac) {
    return std::string(kGamePagePath) + "?mac=" + QueryEncode(mac);
}

void RegisterGamePage(httplib::Server& server, const DemoOptions&) {
    server.Get(kGamePagePath, [](const httplib::Request& req, httplib::Response& res) {
        CountRequest(Route::kGamePage);
        res.set_content(GamePageHtml(req.get_param_value("user"), req.get_param_value("mac"),
                                     HasSession(req)),
                        "text/html; charset=utf-8");
    });
}

}  // namespace vostra::demo
