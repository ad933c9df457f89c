// The login as a player meets it, on a real X display (bare, under openbox
// and under openbox with a compositor), against the demo operator server:
// the shaped login window and its popup, the login page typed into, the
// play link handed over, the exit question, minimising and dragging, the
// self-update's progress and handoff, and an unreachable login page.
#include "login_window_fixture.h"

namespace fs = std::filesystem;

namespace vostra::test {
namespace {

TEST_F(LoginWindow, ShowsCentredAndHandsOverTheTypedLogin) {
    StartServer();
    StartLauncher();
    const Box login = RectOf(login_);
    EXPECT_EQ(login.width, kLoginWidth);
    EXPECT_EQ(login.height, kLoginHeight);
    // The whole screen is the work area: no panel runs in the tests.
    EXPECT_EQ(login.x, (1600 - kLoginWidth) / 2);
    EXPECT_EQ(login.y, (900 - kLoginHeight) / 2);
    ASSERT_TRUE(WaitForFormColour(kPageMarker)) << "the login page never showed";
    const Box popup = RectOf(popup_);
    EXPECT_EQ(popup.x - login.x, kPopupX);
    EXPECT_EQ(popup.y - login.y, kPopupY);
    EXPECT_EQ(popup.width, 714);
    EXPECT_EQ(popup.height, 488);

    test::Screenshot shot("login-page");
    ASSERT_TRUE(shot.Ok());
    // The page fills exactly (0, 47)-(686, 484) of the popup.
    EXPECT_LE(test::ColourDistance(shot.Pixel(popup.x + 5, popup.y + 480), kPageMarker), kTolerance);
    EXPECT_GT(test::ColourDistance(shot.Pixel(popup.x + 700, popup.y + 300), kPageMarker), kTolerance);
    EXPECT_GT(test::ColourDistance(shot.Pixel(popup.x + 300, popup.y + 30), kPageMarker), kTolerance);

    // The page and its news frame both completed; one version query.
    auto stats = Stats();
    EXPECT_EQ(stats["version"], 1);
    EXPECT_EQ(stats["news"], 1);
    EXPECT_EQ(stats["login-page"], 1);
    const std::string log = ReadFile(DataHome() + "/orbix/vstr/res/update.log");
    EXPECT_FALSE(log.empty()) << "no update log";

    // Into the account field; the space is swallowed, Tab moves to the
    // password, Enter submits the form.
    ClickAt(popup_, kAccountFieldX, kAccountFieldY);
    test::Xdo("type --delay 40 'ann lee'");
    test::Xdo("key Tab");
    test::Xdo("type --delay 40 secret");
    test::Xdo("key Return");
    const std::string want =
        server_.url() + "/vstr/play_gamecode?mac=" + GetMacAddress() + "&user=annlee";
    EXPECT_EQ(HandedOverUrl(), want) << launcher_->Err();
    EXPECT_TRUE(launcher_->Running());

    stats = Stats();
    EXPECT_EQ(stats["login-post"], 1);
    // Once, by the game window: the login's cancelled navigation never
    // reached the server.
    for (int waited = 0; waited < 20000 && Stats()["game-page"] == 0; waited += 200) test::Sleep(200);
    test::Sleep(1000);
    stats = Stats();
    EXPECT_EQ(stats["game-page"], 1) << "the cancelled play link reached the server";
    EXPECT_EQ(stats["version"], 1);

    // The first-run install ran; the session cookie is in the shared store
    // on disk; the disk cache is in its own folder.
    EXPECT_TRUE(fs::exists(InstalledPath()));
    EXPECT_TRUE(fs::exists(DataHome() + "/orbix/vstr/res/systemset.ini"));
    const std::string cookies = ReadFile(DataHome() + "/orbix/vstr/webdata/cookies.sqlite");
    EXPECT_NE(cookies.find("vostra_session"), std::string::npos);
    const std::string webcache = Home() + "/.cache/orbix/vstr/webcache";
    ASSERT_TRUE(fs::is_directory(webcache));
    for (const auto& e : fs::directory_iterator(webcache)) {
        EXPECT_EQ(e.path().filename(), "WebKitCache") << "not the disk cache: " << e.path();
    }
}

TEST_F(LoginWindow, PlayLinkInAFrameIsHandedOver) {
    StartServer();
    StartLauncher();
    ASSERT_TRUE(WaitForFormColour(kPageMarker));
    test::Sleep(500);
    // The news frame's link: the frame sits below the form's links.
    ClickAt(popup_, kFramePlayX, kFramePlayY);
    const std::string url = HandedOverUrl();
    EXPECT_NE(url.find("from=frame"), std::string::npos) << url;
}

TEST_F(LoginWindow, NewWindowPlayLinkIsHandedOverOthersGoToTheBrowser) {
    // A default web browser of the sandbox's own, which notes what it opens.
    const std::string opened = Home() + "/opened";
    const std::string browser = Home() + "/browser.sh";
    WriteFile(browser, "#!/bin/sh\necho \"$1\" >> '" + opened + "'\n");
    fs::permissions(browser, fs::perms::owner_all);
    WriteFile(DataHome() + "/applications/test-browser.desktop",
              "[Desktop Entry]\nType=Application\nName=Test browser\nExec=" + browser +
                  " %u\nMimeType=x-scheme-handler/http;\n");
    WriteFile(Home() + "/.config/mimeapps.list",
              "[Default Applications]\nx-scheme-handler/http=test-browser.desktop\n");
    StartServer();
    StartLauncher();
    ASSERT_TRUE(WaitForFormColour(kPageMarker));
    test::Sleep(500);

    ClickAt(popup_, kRulesX, kRulesY);
    for (int waited = 0; waited < 10000 && !fs::exists(opened); waited += 100) test::Sleep(100);
    EXPECT_EQ(ReadFile(opened), server_.url() + "/client/gamecode/vstr/news\n");
    EXPECT_TRUE(launcher_->Running()) << "an ordinary new window ended the login";

    ClickAt(popup_, kPlayNewX, kPlayNewY);
    EXPECT_EQ(HandedOverUrl(), server_.url() + "/vstr/play_gamecode?mac=" + GetMacAddress());
    EXPECT_EQ(ReadFile(opened), server_.url() + "/client/gamecode/vstr/news\n");
}

TEST_F(LoginWindow, EditingKeysWorkInsideThePage) {
    StartServer();
    StartLauncher();
    ASSERT_TRUE(WaitForFormColour(kPageMarker));
    ClickAt(popup_, kAccountFieldX, kAccountFieldY);
    // Cut all, type, paste: "abxy"; copy all, go to the end, paste again.
    test::Xdo("type --delay 40 xy");
    test::Xdo("key ctrl+a ctrl+x");
    test::Xdo("type --delay 40 ab");
    test::Xdo("key ctrl+v");
    test::Xdo("key ctrl+a ctrl+c End ctrl+v");
    // Esc closes nothing and asks nothing.
    test::Xdo("key Escape");
    test::Sleep(300);
    EXPECT_EQ(test::FindWindowByTitle("关闭提示", 300), 0u);
    test::Xdo("key Return");
    const std::string url = HandedOverUrl();
    EXPECT_NE(url.find("&user=abxyabxy"), std::string::npos) << url;
}

// The form has no scroll bars, and a page larger than it does not move
// under the wheel or the keys.
TEST_F(LoginWindow, TallPageNeitherScrollsNorShowsScrollBars) {
    StartServer({"--fault", "login-tall"});
    StartLauncher();
    // Near the page's top: its lower part is the tall block's colour.
    ASSERT_TRUE(WaitForFormColour(kPageMarker, 600, 100));
    test::Sleep(500);
    const Box p = RectOf(popup_);
    const auto form_pixels = [&p](const test::Screenshot& shot) {
        std::vector<uint32_t> pixels;
        for (int y = 47; y < 484; y += 7) {
            for (int x = 0; x < 686; x += 7) pixels.push_back(shot.Pixel(p.x + x, p.y + y));
        }
        return pixels;
    };
    // Focus on the page's body first, so that no caret or focus ring
    // differs between the two pictures.
    ClickAt(popup_, 600, 420);
    test::Sleep(400);
    test::Screenshot before("tall-page");
    ASSERT_TRUE(before.Ok());
    // A scroll bar would stand at the form's right edge, in the page's colour no more.
    EXPECT_LE(test::ColourDistance(before.Pixel(p.x + 680, p.y + 100), kPageMarker), kTolerance);
    test::Xdo("mousemove " + std::to_string(p.x + 600) + " " + std::to_string(p.y + 420));
    test::Xdo("click --repeat 8 --delay 50 5");
    test::Xdo("key Page_Down Down Down End");
    test::Sleep(700);
    test::Screenshot after("tall-page-after");
    EXPECT_EQ(form_pixels(after), form_pixels(before));
}

TEST_F(LoginWindow, ExitQuestionDeclinedKeepsTheLoginAcceptedEndsIt) {
    StartServer();
    StartLauncher();
    ASSERT_TRUE(WaitForFormColour(kPageMarker));

    // Enter and Esc on the login window itself do nothing.
    ClickAt(login_, 150, 400);
    test::Xdo("key Return Escape");
    test::Sleep(300);
    EXPECT_EQ(test::FindWindowByTitle("关闭提示", 300), 0u);
    EXPECT_TRUE(test::WindowViewable(login_));
    // Alt+F4: a window manager turns it into a close request, a bare
    // display delivers the key; both ask.
    test::Xdo("key alt+F4");
    unsigned long box = WaitForQuestion();
    ASSERT_NE(box, 0u) << "Alt+F4 asked nothing";
    test::Sleep(300);
    test::Screenshot question("exit-question");
    ClickInBox(box, ui::msgbox::CancelRect());
    EXPECT_TRUE(WaitGone(box));
    EXPECT_TRUE(launcher_->Running());
    EXPECT_TRUE(test::WindowViewable(login_));
    EXPECT_TRUE(test::WindowViewable(popup_));

    // The window manager's close, declined with Esc.
    test::RequestClose(login_);
    box = WaitForQuestion();
    ASSERT_NE(box, 0u) << "a close request asked nothing";
    test::Sleep(200);
    test::Xdo("key Escape");
    EXPECT_TRUE(WaitGone(box));
    EXPECT_TRUE(launcher_->Running());

    // The popup's close button, accepted.
    ClickAt(popup_, 714 - 35 + 17, 1 + 18);
    box = WaitForQuestion();
    ASSERT_NE(box, 0u) << "the close button asked nothing";
    test::Sleep(300);
    ClickInBox(box, ui::msgbox::OkRect());
    EXPECT_EQ(launcher_->Wait(10000), 0);
    EXPECT_EQ(launcher_->Out(), "");
    EXPECT_TRUE(test::WaitForNoDescendants(server_.pid(), 5000).empty()) << "processes left behind";
}

TEST_F(LoginWindow, TransparentPixelsLetThePointerThrough) {
    StartServer();
    StartLauncher();
    // The picture's rounded corner is transparent, its sky is not.
    EXPECT_FALSE(TakesPointerAt(login_, 2, 2));
    EXPECT_FALSE(TakesPointerAt(login_, 1198, 732));
    EXPECT_TRUE(TakesPointerAt(login_, 150, 400));
    EXPECT_TRUE(TakesPointerAt(login_, 600, 100));
}

TEST_F(LoginWindow, DraggingThePictureMovesThePopupAlong) {
    StartServer();
    StartLauncher();
    ASSERT_TRUE(WaitForFormColour(kPageMarker));
    const Box before = RectOf(login_);
    const int x = before.x + 150, y = before.y + 400;
    test::Xdo("mousemove " + std::to_string(x) + " " + std::to_string(y));
    test::Sleep(150);
    test::Xdo("mousedown 1");
    for (int step = 1; step <= 10; ++step) {
        test::Xdo("mousemove " + std::to_string(x + 12 * step) + " " + std::to_string(y + 6 * step));
        test::Sleep(30);
    }
    test::Xdo("mouseup 1");
    test::Sleep(500);
    const Box after = RectOf(login_);
    EXPECT_NEAR(after.x - before.x, 120, 2);
    EXPECT_NEAR(after.y - before.y, 60, 2);
    const Box popup = RectOf(popup_);
    EXPECT_EQ(popup.x - after.x, kPopupX);
    EXPECT_EQ(popup.y - after.y, kPopupY);
}

TEST_F(LoginWindow, MinimiseButtonHidesBothAndRestoringShowsBoth) {
    if (!WmRuns()) GTEST_SKIP() << "minimising needs a window manager";
    StartServer();
    StartLauncher();
    ASSERT_TRUE(WaitForFormColour(kPageMarker));
    ClickAt(popup_, 714 - 70 + 17, 5 + 18);
    EXPECT_TRUE(WaitGone(login_));
    EXPECT_TRUE(WaitGone(popup_));
    test::Xdo("windowactivate --sync " + std::to_string(login_));
    EXPECT_TRUE(WaitViewable(login_));
    EXPECT_TRUE(WaitViewable(popup_));
    test::Sleep(500);
    const Box login = RectOf(login_);
    const Box popup = RectOf(popup_);
    EXPECT_EQ(popup.x - login.x, kPopupX);
    EXPECT_EQ(popup.y - login.y, kPopupY);
    EXPECT_TRUE(launcher_->Running());
}

TEST_F(LoginWindow, UnreachableLoginPageShowsOurErrorPage) {
    StartServer({"--fault", "unreachable"});
    StartLauncher();
    ASSERT_TRUE(WaitForFormColour(kErrorPageColour)) << "no error page";
    test::Screenshot shot("error-page");
    // The version check still ran, once.
    const std::string log = ReadFile(DataHome() + "/orbix/vstr/res/update.log");
    EXPECT_NE(log.size(), 0u);
    EXPECT_TRUE(launcher_->Running());
}

// A version service that never answers: the form stays hidden, the page's
// navigations wait, and the windows still answer; leaving stops the query.
TEST_F(LoginWindow, HungVersionServiceNeitherFreezesNorShowsTheForm) {
    StartServer({"--fault", "version-stall"});
    StartLauncher();
    for (int waited = 0; waited < 20000 && Stats()["version"] == 0; waited += 200) test::Sleep(200);
    ASSERT_EQ(Stats()["version"], 1);
    EXPECT_FALSE(WaitForFormColour(kPageMarker, 600, 420, 2500)) << "the form showed before the check";
    test::Screenshot shot("version-check-waiting");
    test::Xdo("mousemove " + std::to_string(RectOf(login_).x + 150) + " " +
              std::to_string(RectOf(login_).y + 400));
    test::Xdo("key alt+F4");
    const unsigned long box = WaitForQuestion();
    ASSERT_NE(box, 0u) << "the login froze while the version service hung";
    test::Sleep(300);
    ClickInBox(box, ui::msgbox::OkRect());
    EXPECT_EQ(launcher_->Wait(10000), 0);
}

// A newer client published at a slow rate: the popup shows the download's
// progress while the windows keep answering; the exit question stops it.
TEST_F(LoginWindow, SlowUpdateShowsProgressAndStopsOnExit) {
    const std::string newer = Root() + "/newer";
    ASSERT_EQ(test::RunChild(VOSTRA_STAMP_BIN,
                             {VOSTRA_STAMP_BIN, "--version", "1.0.0.1", VOSTRA_LAUNCHER_BIN, newer})
                  .exit_code,
              0);
    StartServer({"--client", newer, "--client-rate", "1000000"});
    StartLauncher();
    // The bar's fill grows from its left end.
    ASSERT_TRUE(WaitForFormColour(kProgressFill, 133 + 2, 47 + 437 / 2 + 4)) << "no progress";
    test::Screenshot shot("update-progress");
    test::Xdo("mousemove " + std::to_string(RectOf(login_).x + 150) + " " +
              std::to_string(RectOf(login_).y + 400));
    test::Xdo("key alt+F4");
    const unsigned long box = WaitForQuestion();
    ASSERT_NE(box, 0u) << "the login did not answer during the download";
    test::Sleep(300);
    ClickInBox(box, ui::msgbox::OkRect());
    EXPECT_EQ(launcher_->Wait(15000), 0);
    // Nothing of the download is left, and nothing was started.
    for (const auto& e : fs::directory_iterator(DataHome() + "/cache")) {
        ADD_FAILURE() << "left behind: " << e.path();
    }
    EXPECT_EQ(GetFileVersionString(InstalledPath()), "1.0.0.0");
}

// A finished download hands over: the new client replaces the installed
// one and shows the login again.
TEST_F(LoginWindow, FinishedUpdateHandsOverToTheNewClient) {
    const std::string newer = Root() + "/newer";
    ASSERT_EQ(test::RunChild(VOSTRA_STAMP_BIN,
                             {VOSTRA_STAMP_BIN, "--version", "1.0.0.1", VOSTRA_LAUNCHER_BIN, newer})
                  .exit_code,
              0);
    StartServer({"--client", newer});
    StartLauncher();
    EXPECT_EQ(launcher_->Wait(60000), 0) << launcher_->Err();
    // The handoff copies itself over the installed client and starts it.
    const unsigned long again = test::FindWindowByTitle(kTitle, 60000);
    EXPECT_NE(again, 0u) << "the new client showed no login";
    EXPECT_EQ(GetFileVersionString(InstalledPath()), "1.0.0.1");
    const std::string log = ReadFile(DataHome() + "/orbix/vstr/res/update.log");
    EXPECT_FALSE(log.empty());
}

}  // namespace
}  // namespace vostra::test
