#include <gtest/gtest.h>

#include <vector>

#include "login/login_navigation.h"

namespace vostra {
namespace {

// The form and the popup as the login window will run them: every
// navigation is stored and reported; the popup hands over the first play
// link it can take, after which the login window's run has ended.
struct LoginRun {
    std::vector<bool> cancelled;
    std::optional<std::string> play_url;
    int refusals = 0;

    void Navigate(const std::string& url) {
        cancelled.push_back(CancelsFormNavigation(url));
        g_strLastNavUrl = url;
        if (play_url) return;
        GameUrlCheck why = GameUrlCheck::kAccepted;
        play_url = PlayLinkToHandOver(g_strLastNavUrl, &why);
        if (why != GameUrlCheck::kAccepted) ++refusals;
    }
};

class LoginNavigation : public ::testing::Test {
protected:
    void SetUp() override { g_strLastNavUrl.clear(); }
    void TearDown() override { g_strLastNavUrl.clear(); }
};

TEST_F(LoginNavigation, OrdinaryNavigationsAreStoredButEndNothing) {
    LoginRun run;
    run.Navigate("http://op.example/client/gamecode/vstr/mac/00-1A-2B-3C-4D-5E/");
    run.Navigate("http://op.example/client/login.php?user=a");
    EXPECT_EQ(g_strLastNavUrl, "http://op.example/client/login.php?user=a");
    EXPECT_EQ(run.cancelled, (std::vector<bool>{false, false}));
    EXPECT_FALSE(run.play_url.has_value());
}

TEST_F(LoginNavigation, PlayLinkIsCancelledAndHandedOverUnchanged) {
    LoginRun run;
    run.Navigate("http://op.example/client/gamecode/vstr/mac/00-1A-2B-3C-4D-5E/");
    const std::string play = "http://s3.op.example/enter?code=play_gamecode&sid=9#top";
    run.Navigate(play);
    EXPECT_EQ(run.cancelled.back(), true);
    ASSERT_TRUE(run.play_url.has_value());
    EXPECT_EQ(*run.play_url, play);
}

// A frame of the page (an advertisement, say) that offers a local file or a
// script as the play link is cancelled like any play link, but nothing is
// handed over and the login goes on to the real play link.
TEST_F(LoginNavigation, HostilePlayLinkIsCancelledAndNotHandedOver) {
    LoginRun run;
    run.Navigate("file:///home/player/.config/secrets?play_gamecode");
    run.Navigate("javascript:location='play_gamecode'");
    EXPECT_EQ(run.cancelled, (std::vector<bool>{true, true}));
    EXPECT_FALSE(run.play_url.has_value());
    EXPECT_EQ(run.refusals, 2);
    run.Navigate("https://s1.op.example/play_gamecode/vstr");
    ASSERT_TRUE(run.play_url.has_value());
    EXPECT_EQ(*run.play_url, "https://s1.op.example/play_gamecode/vstr");
}

TEST_F(LoginNavigation, UpperCaseMarkerIsAnOrdinaryNavigation) {
    GameUrlCheck why = GameUrlCheck::kAccepted;
    EXPECT_FALSE(CancelsFormNavigation("http://g.example/PLAY_GAMECODE"));
    EXPECT_FALSE(PlayLinkToHandOver("http://g.example/PLAY_GAMECODE", &why).has_value());
    EXPECT_EQ(why, GameUrlCheck::kAccepted);  // not refused: simply no play link
}

}  // namespace
}  // namespace vostra
