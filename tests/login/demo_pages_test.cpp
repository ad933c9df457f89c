// The demo operator's login and game pages, fetched the way the login form
// and the game window will fetch them, the game page's script, pictures and
// event log, and its throttled client download.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <regex>
#include <thread>

#include "app/resource_strings.h"
#include "login/login_navigation.h"
#include "login/login_urls.h"
#include "platform/adapter_address.h"
#include "support/sandbox.h"
#include "update/demo_server_process.h"

namespace vostra {
namespace {

constexpr char kMac[] = "00-1A-2B-3C-4D-5E";

// The text with "&amp;" read back as "&", as the browser reads attributes.
std::string Unescaped(std::string href) {
    for (size_t at; (at = href.find("&amp;")) != std::string::npos;) href.replace(at, 5, "&");
    return href;
}

// The value of attribute `attr` of the element with id `id`; "" when absent.
std::string AttributeOf(const std::string& page, const std::string& id, const std::string& attr) {
    std::smatch m;
    const std::regex re("id=\"" + id + "\"[^>]*\\b" + attr + "=\"([^\"]*)\"");
    return std::regex_search(page, m, re) ? Unescaped(m[1].str()) : "";
}

// "vostra_session=<token>" out of a Set-Cookie header.
std::string CookiePairOf(const std::string& set_cookie) {
    return set_cookie.substr(0, set_cookie.find(';'));
}

// The big-endian 32-bit number at `at`.
uint32_t BigEndianAt(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The CRC-32 that PNG chunks carry (the one of zlib and zip).
uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xffffffffu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? (crc >> 1) ^ 0xedb88320u : crc >> 1;
    }
    return ~crc;
}

struct PngSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

// The size in the IHDR chunk of a PNG file whose chunks, each with a
// correct CRC, run from IHDR to IEND; a failure otherwise.
PngSize PngSizeOf(const std::string& png) {
    PngSize size;
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::vector<std::string> types;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t length = BigEndianAt(png, at);
        if (at + 12 + length > png.size()) break;
        const std::string type_and_data = png.substr(at + 4, 4 + length);
        EXPECT_EQ(BigEndianAt(png, at + 8 + length), Crc32(type_and_data)) << types.size();
        types.push_back(type_and_data.substr(0, 4));
        if (types.back() == "IHDR" && length == 13) {
            size = {BigEndianAt(png, at + 8), BigEndianAt(png, at + 12)};
            EXPECT_EQ(png[at + 16], 8);  // bits per sample
            EXPECT_EQ(png[at + 17], 6);  // RGBA
        }
        at += 12 + length;
    }
    EXPECT_GE(types.size(), 3u);
    EXPECT_EQ(types.empty() ? "" : types.front(), "IHDR");
    EXPECT_EQ(types.empty() ? "" : types.back(), "IEND");
    return size;
}

class DemoPages : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.Start({}));
        const char* old = getenv("VOSTRA_OPERATOR_URL");
        if (old) saved_ = old;
        had_ = old != nullptr;
        setenv("VOSTRA_OPERATOR_URL", server_.url().c_str(), 1);
    }
    void TearDown() override {
        if (had_) setenv("VOSTRA_OPERATOR_URL", saved_.c_str(), 1);
        else unsetenv("VOSTRA_OPERATOR_URL");
    }

    // The body of a GET of a URL on the server; "" unless the answer is a
    // 200 with an HTML body.
    std::string Fetch(const std::string& url) {
        EXPECT_EQ(url.compare(0, server_.url().size(), server_.url()), 0) << url;
        httplib::Client client(server_.url());
        const auto res = client.Get(url.substr(server_.url().size()));
        if (!res) {
            ADD_FAILURE() << "no answer for " << url;
            return "";
        }
        EXPECT_EQ(res->status, 200) << url;
        EXPECT_EQ(res->get_header_value("Content-Type").rfind("text/html", 0), 0u);
        return res->status == 200 ? res->body : "";
    }

    // The play link of a login page, made absolute as the browser does.
    std::string PlayLinkOf(const std::string& page) {
        std::smatch m;
        if (!std::regex_search(page, m, std::regex("<a id=\"play\" href=\"([^\"]*)\""))) return "";
        std::string href = m[1].str();
        for (size_t at; (at = href.find("&amp;")) != std::string::npos;) href.replace(at, 5, "&");
        return server_.url() + href;
    }

    // The login form of this machine's page, filled in and posted to the
    // form's action.
    httplib::Result PostLogin(const std::string& user, const std::string& password) {
        const std::string page = Fetch(ComposeLoginUrl(LoadResString(IDS_LOGIN_URL), kMac));
        EXPECT_EQ(AttributeOf(page, "login", "method"), "post");
        httplib::Client client(server_.url());
        return client.Post(AttributeOf(page, "login", "action").c_str(),
                           httplib::Params{{"user", user}, {"password", password}, {"mac", kMac}});
    }

    // The game page fetched with the given Cookie header ("" for none).
    std::string GamePageWithCookie(const std::string& cookie) {
        httplib::Client client(server_.url());
        httplib::Headers headers;
        if (!cookie.empty()) headers.emplace("Cookie", cookie);
        const auto res = client.Get("/vstr/play_gamecode?mac=x&user=ann", headers);
        return res && res->status == 200 ? res->body : "";
    }

    // The Cookie header of a fresh login.
    std::string SessionCookie() {
        const auto res = PostLogin("ann", "");
        EXPECT_TRUE(res && res->status == 303);
        return res ? CookiePairOf(res->get_header_value("Set-Cookie")) : "";
    }

    // A GET on the server with the given headers; fails the test without
    // an answer.
    httplib::Result Get(const std::string& path, const httplib::Headers& headers = {}) {
        auto res = httplib::Client(server_.url()).Get(path.c_str(), headers);
        EXPECT_TRUE(res) << path;
        return res;
    }

    // Reports a page event the way the game page's script does.
    void PostEvent(const std::string& query) {
        const auto res = httplib::Client(server_.url()).Post(("/demo/event?" + query).c_str());
        ASSERT_TRUE(res) << query;
        EXPECT_EQ(res->status, 204) << query;
    }

    // The count of `route` in the server's request counts; -1 when absent.
    long CountOf(const std::string& route) {
        httplib::Client client(server_.url());
        const auto res = client.Get("/demo/stats");
        if (!res || res->status != 200) return -1;
        std::smatch m;
        const std::regex line("(^|\n)" + route + " ([0-9]+)\n");
        return std::regex_search(res->body, m, line) ? std::stol(m[2].str()) : -1;
    }

    test::DemoServerProcess server_;
    std::string saved_;
    bool had_ = false;
};

TEST_F(DemoPages, LoginPageShowsTheAddressAndItsPlayLinkIsHandedOver) {
    const std::string page =
        Fetch(ComposeLoginUrl(LoadResString(IDS_LOGIN_URL), "00-1A-2B-3C-4D-5E"));
    EXPECT_NE(page.find("<span id=\"mac\">00-1A-2B-3C-4D-5E</span>"), std::string::npos) << page;

    const std::string play = PlayLinkOf(page);
    ASSERT_TRUE(IsPlayLink(play)) << play;
    ASSERT_EQ(PlayLinkToHandOver(play), play);
    const std::string game = Fetch(play);
    EXPECT_NE(game.find("<span id=\"mac\">00-1A-2B-3C-4D-5E</span>"), std::string::npos) << game;
}

TEST_F(DemoPages, ThisMachinesLoginPageIsServed) {
    const std::string page = Fetch(LoginPageUrl());
    const std::string mac = GetMacAddress();
    EXPECT_NE(page.find("<span id=\"mac\">" + (mac.empty() ? "(unknown)" : mac) + "</span>"),
              std::string::npos)
        << page;
}

TEST_F(DemoPages, EmptyAddressIsAnUnknownMachine) {
    const std::string page = Fetch(ComposeLoginUrl(LoadResString(IDS_LOGIN_URL), ""));
    EXPECT_NE(page.find("<span id=\"mac\">(unknown)</span>"), std::string::npos) << page;
    EXPECT_TRUE(IsPlayLink(PlayLinkOf(page)));
}

TEST_F(DemoPages, ReceivedTextIsShownNotRun) {
    const std::string base = LoadResString(IDS_LOGIN_URL);
    const std::string page = Fetch(base + "mac/%3Cimg%20src%3Dx%20onerror%3Dalert(1)%3E/");
    EXPECT_EQ(page.find("<img"), std::string::npos) << page;
    EXPECT_NE(page.find("&lt;img src=x onerror=alert(1)&gt;"), std::string::npos) << page;

    const std::string game =
        Fetch(server_.url() + "/vstr/play_gamecode?mac=x&user=%22%3E%3Cb%3Eme%3C%2Fb%3E");
    EXPECT_EQ(game.find("<b>"), std::string::npos) << game;
    EXPECT_NE(game.find("&quot;&gt;&lt;b&gt;me"), std::string::npos) << game;
}

TEST_F(DemoPages, LoginSetsALastingSessionCookieAndSendsThePlayerToPlay) {
    const auto res = PostLogin("ann.lee", "s3cret");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 303);
    EXPECT_TRUE(std::regex_match(
        res->get_header_value("Set-Cookie"),
        std::regex("vostra_session=[0-9a-f]{16,}; Path=/; Max-Age=86400; HttpOnly")))
        << res->get_header_value("Set-Cookie");

    const std::string location = res->get_header_value("Location");
    EXPECT_EQ(location, std::string("/vstr/play_gamecode?mac=") + kMac + "&user=ann.lee");
    EXPECT_EQ(location.find("s3cret"), std::string::npos);
    EXPECT_TRUE(IsPlayLink(server_.url() + location)) << location;
}

TEST_F(DemoPages, EmptyAccountIsAskedAgainWithoutASession) {
    const auto res = PostLogin("", "s3cret");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_FALSE(res->has_header("Set-Cookie"));
    EXPECT_NE(res->body.find("id=\"error\""), std::string::npos) << res->body;
    EXPECT_EQ(AttributeOf(res->body, "login", "method"), "post") << res->body;
    EXPECT_EQ(res->body.find("s3cret"), std::string::npos);
}

TEST_F(DemoPages, GamePageTellsWhetherTheRequestCarriesASession) {
    const auto res = PostLogin("ann", "");
    ASSERT_TRUE(res);
    const std::string cookie = CookiePairOf(res->get_header_value("Set-Cookie"));

    EXPECT_NE(GamePageWithCookie("lang=en; " + cookie).find("<span id=\"session\">signed in<"),
              std::string::npos);
    EXPECT_NE(GamePageWithCookie("").find("<span id=\"session\">no session<"), std::string::npos);
    // A token this run of the server never issued is no session.
    EXPECT_NE(GamePageWithCookie("vostra_session=0123456789abcdef0123456789abcdef")
                  .find("<span id=\"session\">no session<"),
              std::string::npos);
}

TEST_F(DemoPages, NewsFrameHoldsAPlayLinkThatStaysInTheFrame) {
    const std::string page = Fetch(ComposeLoginUrl(LoadResString(IDS_LOGIN_URL), kMac));
    const std::string src = AttributeOf(page, "news", "src");
    ASSERT_FALSE(src.empty()) << page;
    EXPECT_EQ(AttributeOf(page, "news", "width"), "300");

    const std::string news = Fetch(server_.url() + src);
    EXPECT_EQ(AttributeOf(news, "frame-play", "target"), "_self") << news;
    const std::string play = AttributeOf(news, "frame-play", "href");
    EXPECT_EQ(play, std::string("/vstr/play_gamecode?mac=") + kMac + "&from=frame");
    EXPECT_TRUE(IsPlayLink(server_.url() + play)) << play;
}

TEST_F(DemoPages, NewWindowPlayLinkIsThePlayLink) {
    const std::string page = Fetch(ComposeLoginUrl(LoadResString(IDS_LOGIN_URL), kMac));
    EXPECT_EQ(AttributeOf(page, "play-new", "target"), "_blank") << page;
    EXPECT_EQ(server_.url() + AttributeOf(page, "play-new", "href"), PlayLinkOf(page));
}

TEST_F(DemoPages, StatsCountTheRequestsOfEachRoute) {
    EXPECT_EQ(CountOf("login-page"), 0);
    ASSERT_TRUE(PostLogin("ann", ""));
    GamePageWithCookie("");
    GamePageWithCookie("");
    httplib::Client(server_.url()).Get("/getClientVersion.php?p=orbix&g=vstr&v=1.0.0.0");

    EXPECT_EQ(CountOf("login-page"), 1);
    EXPECT_EQ(CountOf("login-post"), 1);
    EXPECT_EQ(CountOf("news"), 0);
    EXPECT_EQ(CountOf("game-page"), 2);
    EXPECT_EQ(CountOf("version"), 1);
    EXPECT_EQ(CountOf("download"), 0);
}

TEST_F(DemoPages, GamePageWithoutASessionAsksToLogInFirst) {
    const std::string page = GamePageWithCookie("");
    EXPECT_NE(page.find("请先登录 (no session)"), std::string::npos) << page;
    EXPECT_NE(page.find("<span id=\"session\">no session<"), std::string::npos) << page;
    // The script runs the game only on a signed-in page.
    EXPECT_NE(page.find("<body data-session=\"0\">"), std::string::npos) << page;
}

TEST_F(DemoPages, SignedInGamePageHoldsTheGameItsLinksAndItsScript) {
    const std::string page = GamePageWithCookie(SessionCookie());
    EXPECT_EQ(page.find("请先登录"), std::string::npos) << page;
    EXPECT_NE(page.find("<body data-session=\"1\">"), std::string::npos) << page;
    EXPECT_NE(page.find("<canvas id=\"game\""), std::string::npos) << page;
    EXPECT_NE(page.find("<script src=\"/vstr/static/game.js\"></script>"), std::string::npos);

    // The raw attribute, relative, with its "&" written as a reference.
    EXPECT_NE(page.find("<a id=\"guide\" class=\"pin\" href=\"guide.html?x=1&amp;y=2\">"
                        "<img id=\"guide-img\" src=\"/vstr/static/star.png\" width=\"32\" "
                        "height=\"32\""),
              std::string::npos)
        << page;
    EXPECT_EQ(AttributeOf(page, "guide", "href"), "guide.html?x=1&y=2");
    EXPECT_NE(page.find("<a id=\"nohref\" class=\"pin\">no target</a>"), std::string::npos);
    EXPECT_EQ(AttributeOf(page, "outside", "target"), "_blank");
    EXPECT_EQ(AttributeOf(page, "outside", "href"), "/vstr/guide.html?new=1");
    EXPECT_NE(page.find("#guide{left:20px;top:120px;"), std::string::npos);
    EXPECT_NE(page.find("#nohref{left:20px;top:170px;"), std::string::npos);
    EXPECT_NE(page.find("#outside{left:20px;top:200px"), std::string::npos);
    for (const char* id : {"user", "mac", "session"}) {
        EXPECT_NE(page.find(std::string("<span id=\"") + id + "\">"), std::string::npos) << id;
    }
}

TEST_F(DemoPages, GuideLinkLeadsToTheGuidePage) {
    // "guide.html?x=1&y=2" resolved against the game page's URL.
    const std::string guide = Fetch(server_.url() + "/vstr/guide.html?x=1&y=2");
    EXPECT_NE(guide.find("background:#0f1a12"), std::string::npos) << guide;
    EXPECT_NE(guide.find("<a id=\"back\""), std::string::npos) << guide;
    EXPECT_NE(guide.find("<span id=\"query\">x=1&amp;y=2</span>"), std::string::npos) << guide;
    EXPECT_EQ(CountOf("guide"), 1);
}

TEST_F(DemoPages, StaticFilesAreCacheableAndAnswer304ToTheirEtag) {
    const std::vector<std::pair<std::string, std::string>> files = {
        {"/vstr/static/game.js", "text/javascript"},
        {"/vstr/static/ship.png", "image/png"},
        {"/vstr/static/star.png", "image/png"},
    };
    for (const auto& [path, type] : files) {
        const auto res = Get(path);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 200) << path;
        EXPECT_FALSE(res->body.empty()) << path;
        EXPECT_EQ(res->get_header_value("Content-Type").rfind(type, 0), 0u) << path;
        EXPECT_EQ(res->get_header_value("Cache-Control"), "public, max-age=86400") << path;
        EXPECT_FALSE(res->get_header_value("Last-Modified").empty()) << path;
        const std::string etag = res->get_header_value("ETag");
        EXPECT_TRUE(std::regex_match(etag, std::regex("\"[^\"]+\""))) << path << ": " << etag;

        const auto again = Get(path, {{"If-None-Match", etag}});
        ASSERT_TRUE(again);
        EXPECT_EQ(again->status, 304) << path;
        EXPECT_TRUE(again->body.empty()) << path;
        EXPECT_EQ(again->get_header_value("ETag"), etag) << path;

        const auto changed = Get(path, {{"If-None-Match", "\"other\""}});
        ASSERT_TRUE(changed);
        EXPECT_EQ(changed->status, 200) << path;
        EXPECT_EQ(changed->body, res->body) << path;
    }
    EXPECT_EQ(CountOf("static"), 9);
    EXPECT_EQ(Get("/vstr/static/missing.png")->status, 404);
}

TEST_F(DemoPages, PicturesArePngsOfTheirSize) {
    const auto ship = Get("/vstr/static/ship.png");
    ASSERT_TRUE(ship);
    const PngSize ship_size = PngSizeOf(ship->body);
    EXPECT_EQ(ship_size.width, 48u);
    EXPECT_EQ(ship_size.height, 48u);

    const auto star = Get("/vstr/static/star.png");
    ASSERT_TRUE(star);
    const PngSize star_size = PngSizeOf(star->body);
    EXPECT_EQ(star_size.width, 32u);
    EXPECT_EQ(star_size.height, 32u);
}

TEST_F(DemoPages, ScriptReportsThePageEventsToTheEventLog) {
    const auto script = Get("/vstr/static/game.js");
    ASSERT_TRUE(script);
    for (const char* text : {"'mousedown', 'mouseup', 'dblclick', 'contextmenu'",
                             "'/demo/event?type='", "e.key === 'Enter' || e.key === 'Escape'"}) {
        EXPECT_NE(script->body.find(text), std::string::npos) << text;
    }
}

TEST_F(DemoPages, PostedEventsAreListedInOrderAndClearEmptiesTheList) {
    EXPECT_EQ(Get("/demo/events")->body, "");
    PostEvent("type=mousedown&button=0&key=-");
    PostEvent("type=mouseup&button=0&key=-");
    PostEvent("type=dblclick&button=0&key=-");
    PostEvent("type=contextmenu&button=2&key=-");
    PostEvent("type=keydown&button=-&key=Enter");
    PostEvent("type=keydown&key=Escape");
    // An image beacon reports with a GET.
    EXPECT_EQ(Get("/demo/event?type=mousedown&button=1&key=-")->status, 204);
    const std::string expected =
        "mousedown 0 -\nmouseup 0 -\ndblclick 0 -\ncontextmenu 2 -\n"
        "keydown - Enter\nkeydown - Escape\nmousedown 1 -\n";
    EXPECT_EQ(Get("/demo/events")->body, expected);

    EXPECT_EQ(Get("/demo/events?clear=1")->body, expected);
    EXPECT_EQ(Get("/demo/events")->body, "");
    PostEvent("type=mouseup&button=0&key=-");
    EXPECT_EQ(Get("/demo/events")->body, "mouseup 0 -\n");
}

TEST_F(DemoPages, ReportsOfOnePageThatOvertakeEachOtherAreListedInTheirOrder) {
    PostEvent("type=mousedown&button=0&key=-&page=p1&seq=0");
    PostEvent("type=dblclick&button=0&key=-&page=p1&seq=2");
    PostEvent("type=mouseup&button=0&key=-&page=p1&seq=1");
    PostEvent("type=keydown&button=-&key=Enter&page=p2&seq=0");
    PostEvent("type=mousedown&button=0&key=-&page=p1&seq=3");
    EXPECT_EQ(Get("/demo/events")->body,
              "mousedown 0 -\nmouseup 0 -\ndblclick 0 -\nkeydown - Enter\nmousedown 0 -\n");
}

TEST_F(DemoPages, EventFieldsStayOneWordEach) {
    PostEvent("type=key%20down&button=0&key=%0Aevil");
    EXPECT_EQ(Get("/demo/events")->body, "? 0 ?\n");
}

// The published client served at a chosen rate, from a sandboxed folder.
class DemoPagesDownload : public test::Sandbox {
protected:
    void TearDown() override {
        server_.Stop();
        test::Sandbox::TearDown();
    }

    // Publishes `size` random bytes and starts the server with `options`.
    void Publish(size_t size, std::vector<std::string> options) {
        std::mt19937 random(7);
        published_.resize(size);
        for (char& c : published_) c = static_cast<char>(random());
        const std::string path = Root() + "/publish/kxvstr.exe";
        WriteFile(path, published_);
        options.insert(options.begin(), {"--client", path});
        ASSERT_TRUE(server_.Start(options));
    }

    // The seconds a whole download took; the body goes to `body`.
    double TimedDownload(std::string& body) {
        const auto start = std::chrono::steady_clock::now();
        const auto res = httplib::Client(server_.url()).Get("/download/vstr/kxvstr.exe");
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        EXPECT_TRUE(res && res->status == 200);
        body = res ? res->body : "";
        return took.count();
    }

    test::DemoServerProcess server_;
    std::string published_;
};

TEST_F(DemoPagesDownload, ClientRateSlowsTheDownloadAndItArrivesWhole) {
    ASSERT_NO_FATAL_FAILURE(Publish(400000, {"--client-rate", "200000"}));
    std::string body;
    EXPECT_GE(TimedDownload(body), 1.5);
    EXPECT_TRUE(body == published_) << body.size() << " bytes";
}

TEST_F(DemoPagesDownload, PublishRateIsTheSameOption) {
    ASSERT_NO_FATAL_FAILURE(Publish(100000, {"--publish-rate", "50000"}));
    std::string body;
    EXPECT_GE(TimedDownload(body), 1.5);
    EXPECT_TRUE(body == published_) << body.size() << " bytes";
}

TEST_F(DemoPagesDownload, StoppingServerEndsAThrottledDownloadPromptly) {
    ASSERT_NO_FATAL_FAILURE(Publish(400000, {"--client-rate", "1000"}));
    std::string body;
    std::thread download([&] {
        const auto res = httplib::Client(server_.url()).Get("/download/vstr/kxvstr.exe");
        if (res) body = res->body;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const auto start = std::chrono::steady_clock::now();
    server_.Stop();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    download.join();
    EXPECT_LT(took.count(), 5.0);
    EXPECT_LT(body.size(), published_.size());
}

}  // namespace
}  // namespace vostra
