// The game page that the login page's play link opens: GET of
// kGamePagePath, whose path carries the play-link marker. It is a small
// game on a canvas as large as the window (its script and pictures come
// from kStaticPath), with a bar naming the player and the machine it was
// given, so a test can see that the game window opened the URL the login
// page handed over, and whether the request carried the login's session
// cookie. Without a session the page asks the player to log in first and
// the game does not start. Links at fixed places (a relative one, one
// without a target, one to a new window) lead to the guide page,
// GET kGuidePagePath.
#include <string>

#include "html_text.h"
#include "operator_site.h"
#include "request_counts.h"
#include "sessions.h"

namespace vostra::demo {
namespace {

// The page's background: screenshots look for this colour in the top-left
// corner, which the game leaves bare.
constexpr char kBackground[] = "#0f1a12";

// kGuidePagePath as a route pattern, its dot quoted.
constexpr char kGuidePagePattern[] = "/vstr/guide\\.html";

std::string GamePageStyle() {
    return std::string("<style>html,body{margin:0;height:100%;overflow:hidden}"
                       "body{font-family:sans-serif;background:") +
           kBackground +
           ";color:#d8f0d0;user-select:none;-webkit-user-select:none}"
           "#game{position:fixed;left:0;top:0;width:100vw;height:100vh;display:block;"
           "background:" + kBackground + "}"
           ".pin{position:absolute;z-index:1;color:#f0c060;font-size:14px}"
           "#guide{left:20px;top:120px;display:flex;align-items:flex-start;gap:6px;"
           "line-height:32px;text-decoration:none}"
           "#guide-img{display:block;margin:0;border:0}"
           "#nohref{left:20px;top:170px;color:#9fb8a8;cursor:default}"
           "#outside{left:20px;top:200px}"
           "#bar{position:fixed;left:0;bottom:0;z-index:1;padding:4px 10px;font-size:12px;"
           "background:rgba(0,0,0,0.45);border-top-right-radius:6px}"
           "#login-first{position:fixed;left:0;right:0;top:38%;z-index:2;text-align:center;"
           "font-size:56px;font-weight:bold;color:#ffe08a;text-shadow:0 2px 8px #000;"
           "pointer-events:none}"
           "</style>";
}

std::string GamePageHtml(const std::string& user, const std::string& mac, bool session) {
    const std::string login_first =
        session ? "" : "<div id=\"login-first\">请先登录 (no session)</div>\n";
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Vostra</title>" +
           GamePageStyle() + "</head><body data-session=\"" + (session ? "1" : "0") + "\">\n" +
           "<canvas id=\"game\" width=\"1600\" height=\"870\"></canvas>\n"
           "<a id=\"guide\" class=\"pin\" href=\"guide.html?x=1&amp;y=2\">"
           "<img id=\"guide-img\" src=\"" + kStaticPath +
           "star.png\" width=\"32\" height=\"32\" alt=\"\">游戏指南</a>\n"
           "<a id=\"nohref\" class=\"pin\">no target</a>\n"
           "<a id=\"outside\" class=\"pin\" target=\"_blank\" href=\"" + kGuidePagePath +
           "?new=1\">guide in a new window</a>\n" +
           login_first +
           "<div id=\"bar\">Player: <span id=\"user\">" +
           HtmlEscape(user.empty() ? "guest" : user) +
           "</span> &middot; Machine: <span id=\"mac\">" + HtmlEscape(mac) +
           "</span> &middot; Session: <span id=\"session\">" +
           (session ? "signed in" : "no session") + "</span></div>\n"
           "<script src=\"" + kStaticPath + "game.js\"></script>\n"
           "</body></html>\n";
}

// The query of the request as it came, without the path.
std::string QueryOf(const httplib::Request& req) {
    const size_t at = req.target.find('?');
    return at == std::string::npos ? "" : req.target.substr(at + 1);
}

// How to play, with a link back to the game.
std::string GuidePageHtml(const std::string& query) {
    return std::string("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                       "<title>Vostra guide</title><style>body{font-family:sans-serif;"
                       "background:") +
           kBackground +
           ";color:#d8f0d0;margin:24px}a{color:#f0c060}</style></head><body>\n"
           "<h1>游戏指南</h1>\n"
           "<p>Fly with the arrow keys or WASD, or hold the mouse button and steer. Space or "
           "a click fires.</p>\n"
           "<p>A caught star is worth 10 points, a shot rock 5. Three rocks hitting the ship "
           "end the game.</p>\n"
           "<p>Query: <span id=\"query\">" + HtmlEscape(query) + "</span></p>\n"
           "<p><a id=\"back\" href=\"#\" onclick=\"if(history.length&gt;1)history.back();"
           "else window.close();return false;\">back</a></p>\n"
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
    server.Get(kGuidePagePattern, [](const httplib::Request& req, httplib::Response& res) {
        CountRequest(Route::kGuide);
        res.set_content(GuidePageHtml(QueryOf(req)), "text/html; charset=utf-8");
    });
}

}  // namespace vostra::demo
