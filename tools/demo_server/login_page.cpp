// The operator's login page: GET <path of resource 114>mac/<address>/. It
// shows the adapter address it received, a login form, play links to the
// game page and a news frame. The form's POST accepts any account with any
// password (the demo lets anyone play), sets the session cookie and sends
// the browser on to the game page.
#include <time.h>

#include <cstdio>
#include <string>

#include "html_text.h"
#include "operator_site.h"
#include "request_counts.h"
#include "sessions.h"

namespace vostra::demo {
namespace {

// A session lasts a day; with an expiry the browser keeps the cookie on
// disk, as a real operator's login does.
constexpr int kSessionSeconds = 24 * 60 * 60;

// The text as a regular expression that matches exactly it.
std::string RegexQuote(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) out += '\\';
        out += c;
    }
    return out;
}

std::string LoginPostPath() { return LoginPagePath() + "login"; }

// The form posts, so the password stays out of every URL: the game URL
// travels on the game window's command line.
std::string LoginFormHtml(const std::string& mac) {
    return "<form id=\"login\" method=\"post\" action=\"" + HtmlEscape(LoginPostPath()) +
           "\">\n"
           "<input type=\"hidden\" name=\"mac\" value=\"" + HtmlEscape(mac) + "\">\n"
           "<label>Account <input id=\"user\" name=\"user\" autofocus></label>\n"
           "<label>Password <input id=\"password\" name=\"password\" type=\"password\"></label>\n"
           "<button id=\"submit\" type=\"submit\">Log in</button>\n</form>\n";
}

// The news frame, so that the browser also completes a document inside a
// frame of the login page.
std::string NewsFrameHtml(const std::string& mac) {
    const std::string src = NewsPagePath() + "?mac=" + QueryEncode(mac);
    return "<iframe id=\"news\" title=\"News\" src=\"" + HtmlEscape(src) +
           "\" width=\"300\" height=\"80\" frameborder=\"0\" style=\"border:0\"></iframe>\n";
}

// Fills the account field and, once the page has loaded, clicks the
// form's button (whose id "submit" hides the form's own submit()), for
// --auto-login.
std::string AutoLoginScript(const std::string& account) {
    std::string quoted;
    for (char c : account) {
        if (c == '\\' || c == '\'' || c == '<' || c == '>') {
            char hex[8];
            snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
            quoted += hex;
        } else {
            quoted += c;
        }
    }
    return "<script>addEventListener('load',function(){setTimeout(function(){"
           "document.getElementById('user').value='" + quoted +
           "';document.getElementById('submit').click();},0);});</script>\n";
}

// Writes the monotonic clock in nanoseconds to `path`, whole: written under
// a temporary name and renamed, so a reader never sees half a number.
void WriteStamp(const std::string& path) {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const std::string temp = path + ".tmp";
    FILE* f = fopen(temp.c_str(), "w");
    if (f == nullptr) return;
    fprintf(f, "%lld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
    if (fclose(f) == 0) rename(temp.c_str(), path.c_str());
}

std::string LoginPageHtml(const std::string& mac, const std::string& error,
                          const std::string& auto_login = "") {
    const std::string shown = mac.empty() ? "(unknown)" : HtmlEscape(mac);
    const std::string play = HtmlEscape(PlayLinkFor(mac));
    const std::string error_html =
        error.empty() ? "" : "<p id=\"error\" class=\"error\">" + HtmlEscape(error) + "</p>\n";
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Vostra login</title>"
           "<style>body{font-family:sans-serif;background:#1d2433;color:#e8e2cf;margin:24px}"
           "label{display:block;margin:8px 0}a{color:#f0c060}.error{color:#ff8070}"
           "</style></head><body>\n"
           "<h1>Vostra</h1>\n"
           "<p>Machine: <span id=\"mac\">" + shown + "</span></p>\n" + error_html +
           LoginFormHtml(mac) + (auto_login.empty() ? "" : AutoLoginScript(auto_login)) +
           "<p><a id=\"play\" href=\"" + play + "\">play</a> "
           "<a id=\"play-new\" target=\"_blank\" href=\"" + play + "\">play in a new window</a> "
           "<a id=\"rules\" target=\"_blank\" href=\"" + HtmlEscape(NewsPagePath()) +
           "\">rules</a></p>\n" +
           NewsFrameHtml(mac) + "</body></html>\n";
}

void AnswerLoginPost(const httplib::Request& req, httplib::Response& res,
                     const std::string& stamp_path) {
    CountRequest(Route::kLoginPost);
    const std::string mac = req.get_param_value("mac");
    const std::string user = req.get_param_value("user");
    if (user.empty()) {
        res.set_content(LoginPageHtml(mac, "Enter your account name."),
                        "text/html; charset=utf-8");
        return;
    }
    res.set_header("Set-Cookie", std::string(kSessionCookie) + "=" + IssueSession() +
                                     "; Path=/; Max-Age=" + std::to_string(kSessionSeconds) +
                                     "; HttpOnly");
    res.set_redirect(PlayLinkFor(mac) + "&user=" + QueryEncode(user), 303);
    if (!stamp_path.empty()) WriteStamp(stamp_path);
}

}  // namespace

// A page three thousand pixels taller than its content, for the form's
// "no scrolling" rule.
std::string MadeTall(std::string html) {
    const std::string end = "</body>";
    const size_t at = html.rfind(end);
    if (at != std::string::npos) {
        html.insert(at, "<div id=\"tall\" style=\"height:3000px;background:#2a3350\">below</div>\n");
    }
    return html;
}

void RegisterLoginPage(httplib::Server& server, const DemoOptions& options) {
    const std::string pattern = RegexQuote(LoginPagePath()) + "mac/([^/]*)/";
    const bool tall = options.Has(Fault::kLoginTall);
    const std::string auto_login = options.auto_login;
    server.Get(pattern, [tall, auto_login](const httplib::Request& req, httplib::Response& res) {
        CountRequest(Route::kLoginPage);
        std::string html = LoginPageHtml(req.matches[1].str(), "", auto_login);
        res.set_content(tall ? MadeTall(std::move(html)) : html, "text/html; charset=utf-8");
    });
    const std::string stamp = options.login_stamp;
    server.Post(RegexQuote(LoginPostPath()),
                [stamp](const httplib::Request& req, httplib::Response& res) {
                    AnswerLoginPost(req, res, stamp);
                });
}

}  // namespace vostra::demo
