// The demo operator's login and game pages, fetched the way the login form
// and the game window will fetch them.
#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdlib>
#include <regex>

#include "app/resource_strings.h"
#include "login/login_navigation.h"
#include "login/login_urls.h"
#include "platform/adapter_address.h"
#include "update/demo_server_process.h"

namespace vostra {
namespace {

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

}  // namespace
}  // namespace vostra
