// The operator's login page: GET <path of resource 114>mac/<address>/. It
// shows the adapter address it received and a login form whose play link
// leads to the game page; a real operator logs the player in first, the
// demo lets anyone play.
#include <string>

#include "html_text.h"
#include "operator_site.h"

namespace vostra::demo {
namespace {

// The text as a regular expression that matches exactly it.
std::string RegexQuote(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) out += '\\';
        out += c;
    }
    return out;
}

std::string LoginPageHtml(const std::string& mac) {
    const std::string shown = mac.empty() ? "(unknown)" : HtmlEscape(mac);
    const std::string play = std::string(kGamePagePath) + "?mac=" + QueryEncode(mac);
    // The password field has no name, so it is never sent: the form's GET
    // would otherwise put it into the game URL, which travels on the game
    // window's command line.
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Vostra login</title>"
           "<style>body{font-family:sans-serif;background:#1d2433;color:#e8e2cf;margin:24px}"
           "label{display:block;margin:8px 0}a{color:#f0c060}</style></head><body>\n"
           "<h1>Vostra</h1>\n"
           "<p>Machine: <span id=\"mac\">" + shown + "</span></p>\n"
           "<form id=\"login\" method=\"get\" action=\"" + kGamePagePath + "\">\n"
           "<input type=\"hidden\" name=\"mac\" value=\"" + HtmlEscape(mac) + "\">\n"
           "<label>Account <input name=\"user\" autofocus></label>\n"
           "<label>Password <input type=\"password\"></label>\n"
           "<button type=\"submit\">Log in</button>\n</form>\n"
           "<p><a id=\"play\" href=\"" + HtmlEscape(play) + "\">play</a></p>\n"
           "</body></html>\n";
}

}  // namespace

void RegisterLoginPage(httplib::Server& server, const DemoOptions&) {
    const std::string pattern = RegexQuote(LoginPagePath()) + "mac/([^/]*)/";
    server.Get(pattern, [](const httplib::Request& req, httplib::Response& res) {
        res.set_content(LoginPageHtml(req.matches[1].str()), "text/html; charset=utf-8");
    });
}

}  // namespace vostra::demo
