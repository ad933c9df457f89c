// The launcher's frame after the hand-over, on a real X display (bare and
// under openbox): its place over the work area, its strip and buttons, the
// game window inside it, its window states, and how the run ends.
#include "login_window_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace vostra::test {
namespace {

// Button places in the strip for client width R (x = R - offset, y = 3).
constexpr int kCloseOffset = 28, kMinimizeOffset = 86;
constexpr int kFullScreenOffset = 192, kNewServerOffset = 531;

class Frame : public LoginWindow {
protected:
    // The demo server, the launcher, a login, and the frame that follows
    // (with the game page on screen when `with_game`); 0 when it failed.
    unsigned long OpenFrame(bool with_game) {
        StartServer();
        if (HasFatalFailure()) return 0;
        StartLauncher();
        if (HasFatalFailure()) return 0;
        const unsigned long frame = LogInToTheFrame();
        if (frame != 0 && with_game && !WaitForScreenColour(100, 80, kGameMarker)) {
            ADD_FAILURE() << "no game page in the frame";
            return 0;
        }
        return frame;
    }

    void ClickButton(unsigned long frame, int offset, int width, int height) {
        const Box f = RectOf(frame);
        ClickAt(frame, f.width - offset + width / 2, 3 + height / 2);
    }
    void DoubleClickAt(unsigned long window, int x, int y) {
        const Box b = RectOf(window);
        Xdo("mousemove " + std::to_string(b.x + x) + " " + std::to_string(b.y + y));
        Sleep(150);
        Xdo("click --repeat 2 --delay 60 1");
    }
    void AnswerQuestion(bool ok) {
        const unsigned long box = WaitForQuestion();
        ASSERT_NE(box, 0u) << "no question";
        Sleep(300);
        ClickInBox(box, ok ? ui::msgbox::OkRect() : ui::msgbox::CancelRect());
        EXPECT_TRUE(WaitGone(box));
    }
};

// After the hand-over: the frame over the work area, its strip, the game
// window inside it below the strip, the game page signed in with the
// login's cookie; the exit question ends both processes.
TEST_F(Frame, CarriesTheGameWindowAndExitsCleanly) {
    StartServer();
    StartLauncher();
    ASSERT_TRUE(WaitForFormColour(kPageMarker));
    ClickAt(popup_, kAccountFieldX, kAccountFieldY);
    Xdo("type --delay 40 ann");
    Xdo("key Return");
    ASSERT_FALSE(HandedOverUrl().empty());
    ASSERT_TRUE(WaitGone(login_, 10000)) << "the login window stayed";
    const unsigned long frame = FindWindowByTitle(kTitle, 20000);
    ASSERT_NE(frame, 0u);
    Box f;
    for (int waited = 0; waited < 10000; waited += 100) {
        f = RectOf(frame);
        if (f.width == 1600 && f.height == 900) break;
        Sleep(100);
    }
    EXPECT_EQ(f.x, 0);
    EXPECT_EQ(f.y, 0);
    EXPECT_EQ(f.width, 1600);
    EXPECT_EQ(f.height, 900);
    // The game page, below the strip.
    bool game_shown = false;
    for (int waited = 0; waited < 20000 && !game_shown; waited += 250) {
        Screenshot shot("frame-waiting");
        game_shown = shot.Ok() && ColourDistance(shot.Pixel(f.x + 100, f.y + 80), kGameMarker) <= kTolerance;
        if (!game_shown) Sleep(250);
    }
    EXPECT_TRUE(game_shown) << "no game page in the frame";
    Screenshot shot("frame-with-game");
    // The strip is drawn from its pictures, not the game's colour.
    EXPECT_GT(ColourDistance(shot.Pixel(f.x + 400, f.y + 10), kGameMarker), kTolerance);

    // The close button, OK: both processes end, nothing is left.
    ClickAt(frame, 1600 - 28 + 14, 3 + 13);
    const unsigned long box = WaitForQuestion();
    ASSERT_NE(box, 0u);
    Sleep(300);
    ClickInBox(box, ui::msgbox::OkRect());
    EXPECT_EQ(launcher_->Wait(15000), 0) << launcher_->Err();
    EXPECT_TRUE(WaitForNoDescendants(server_.pid(), 5000).empty()) << "processes left behind";
}


// The game window (a popup titled "Vostra") inside the frame.
unsigned long GameWindowId() { return FindWindowByTitle("Vostra", 20000); }

// A dock window along the screen's left edge that reserves its width with
// a strut, as a desktop panel does; gone with the object.
class LeftPanel {
public:
    explicit LeftPanel(int width) {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) return;
        const int height = DisplayHeight(display_, DefaultScreen(display_));
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, width, height, 0,
                                      0, 0x305070);
        const Atom type = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
        const Atom dock = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DOCK", False);
        XChangeProperty(display_, window_, type, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&dock), 1);
        // left, right, top, bottom, then the start and end of each edge.
        long strut[12] = {width, 0, 0, 0, 0, height - 1, 0, 0, 0, 0, 0, 0};
        XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_STRUT_PARTIAL", False),
                        XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(strut), 12);
        XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_STRUT", False),
                        XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(strut), 4);
        // Placed where it asks to be, not where the window manager would put it.
        XSizeHints hints{};
        hints.flags = USPosition | PPosition | USSize | PSize;
        hints.width = width;
        hints.height = height;
        XSetWMNormalHints(display_, window_, &hints);
        XMapWindow(display_, window_);
        XFlush(display_);
    }
    ~LeftPanel() {
        if (display_ == nullptr) return;
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    LeftPanel(const LeftPanel&) = delete;
    LeftPanel& operator=(const LeftPanel&) = delete;

    // The window manager's work area (of the first desktop), once its left
    // edge is `left`; the last one read otherwise.
    Box WaitForWorkArea(int left, int timeout_ms = 5000) {
        Box area;
        for (int waited = 0; display_ != nullptr && waited <= timeout_ms; waited += 100) {
            Atom type = 0;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(display_, DefaultRootWindow(display_),
                                   XInternAtom(display_, "_NET_WORKAREA", False), 0, 4, False,
                                   XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
                data != nullptr && count == 4) {
                const long* v = reinterpret_cast<const long*>(data);
                area = {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                        static_cast<int>(v[3])};
            }
            if (data != nullptr) XFree(data);
            if (area.x == left) break;
            Sleep(100);
        }
        return area;
    }

private:
    Display* display_ = nullptr;
    Window window_ = 0;
};

// A panel at the left edge: the frame takes exactly the work area beside
// it, and the game window fills the frame below the strip.
TEST_F(Frame, CoversTheWorkAreaBesideALeftPanel) {
    if (!WmRuns()) GTEST_SKIP() << "a panel's strut needs a window manager";
    LeftPanel panel(60);
    const Box area = panel.WaitForWorkArea(60);
    ASSERT_EQ(area.x, 60) << "the window manager ignored the strut";
    ASSERT_EQ(area.width, 1540);
    const unsigned long frame = OpenFrame(false);
    ASSERT_NE(frame, 0u);
    const Box f = WaitForRect(frame, area);
    EXPECT_EQ(f.x, area.x);
    EXPECT_EQ(f.y, area.y);
    EXPECT_EQ(f.width, area.width);
    EXPECT_EQ(f.height, area.height);
    const unsigned long game = GameWindowId();
    ASSERT_NE(game, 0u);
    Box g;
    for (int waited = 0; waited < 10000; waited += 100) {
        g = RectOf(game);
        if (g.x == f.x && g.width == f.width) break;
        Sleep(100);
    }
    EXPECT_EQ(g.x, f.x);
    EXPECT_EQ(g.y, f.y + 30);
    EXPECT_EQ(g.width, f.width);
    EXPECT_EQ(g.height, f.height - 30);
    EXPECT_TRUE(WaitForScreenColour(area.x + 100, area.y + 80, kGameMarker)) << "no game page";
    Screenshot shot("frame-left-panel");
    EXPECT_EQ(ColourDistance(shot.Pixel(30, 400), 0x305070), 0) << "the frame covers the panel";
}

// The refresh button loads the game page again from the operator.
TEST_F(Frame, RefreshButtonReloadsTheGamePage) {
    const unsigned long frame = OpenFrame(true);
    ASSERT_NE(frame, 0u);
    const int before = Stats()["game-page"];
    ASSERT_GE(before, 1);
    ClickButton(frame, 467, 78, 24);
    int after = before;
    for (int waited = 0; waited < 10000 && after == before; waited += 200) {
        Sleep(200);
        after = Stats()["game-page"];
    }
    EXPECT_EQ(after, before + 1);
    EXPECT_TRUE(WaitForScreenColour(100, 80, kGameMarker)) << "no game page after the refresh";
}

TEST_F(Frame, DoubleClickOnTheStripRestoresAndMaximises) {
    const unsigned long frame = OpenFrame(false);
    ASSERT_NE(frame, 0u);
    ASSERT_EQ(WaitForRect(frame, {0, 0, 1600, 900}).width, 1600);
    const unsigned long game = GameWindowId();
    ASSERT_NE(game, 0u);
    Sleep(500);
    DoubleClickAt(frame, 400, 15);
    const Box restored = WaitForRect(frame, {300, 100, 1000, 700});
    EXPECT_EQ(restored.width, 1000);
    EXPECT_EQ(restored.height, 700);
    EXPECT_EQ(restored.x, 300);
    EXPECT_EQ(restored.y, 100);
    // The game window keeps the strip free.
    Box g;
    for (int waited = 0; waited < 5000; waited += 100) {
        g = RectOf(game);
        if (g.width == 1000 && g.y - restored.y == 30) break;
        Sleep(100);
    }
    EXPECT_EQ(g.x - restored.x, 0);
    EXPECT_EQ(g.y - restored.y, 30);
    EXPECT_EQ(g.width, 1000);
    EXPECT_EQ(g.height, 670);
    Screenshot shot("frame-restored");
    Sleep(600);  // past the double-click time, so the next press starts anew
    DoubleClickAt(frame, 400, 15);
    const Box again = WaitForRect(frame, {0, 0, 1600, 900});
    EXPECT_EQ(again.width, 1600);
    EXPECT_EQ(again.height, 900);
}

TEST_F(Frame, FullScreenCoversTheStripAndADeclinedCloseLeavesIt) {
    const unsigned long frame = OpenFrame(true);
    ASSERT_NE(frame, 0u);
    ASSERT_GT(ColourDistance(Screenshot("strip").Pixel(100, 10), kGameMarker), kTolerance);
    ClickButton(frame, kFullScreenOffset, 85, 24);
    EXPECT_TRUE(WaitForScreenColour(100, 10, kGameMarker, 10000)) << "the game does not cover the strip";
    Screenshot full("frame-full-screen");
    RequestClose(frame);
    AnswerQuestion(false);
    EXPECT_TRUE(launcher_->Running());
    // Back to maximised: the strip and its buttons again.
    bool strip = false;
    for (int waited = 0; waited < 10000 && !strip; waited += 250) {
        strip = ColourDistance(Screenshot("strip-back").Pixel(100, 10), kGameMarker) > kTolerance;
        if (!strip) Sleep(250);
    }
    EXPECT_TRUE(strip) << "full screen was not left";
}

TEST_F(Frame, MinimisedFrameComesBackFromTheTaskbar) {
    if (!WmRuns()) GTEST_SKIP() << "minimising needs a window manager";
    const unsigned long frame = OpenFrame(false);
    ASSERT_NE(frame, 0u);
    ASSERT_EQ(WaitForRect(frame, {0, 0, 1600, 900}).width, 1600);
    ClickButton(frame, kMinimizeOffset, 28, 26);
    EXPECT_TRUE(WaitGone(frame));
    Xdo("windowactivate --sync " + std::to_string(frame));
    EXPECT_TRUE(WaitViewable(frame));
    const Box back = WaitForRect(frame, {0, 0, 1600, 900});
    EXPECT_EQ(back.width, 1600);
    EXPECT_EQ(back.height, 900);
}

TEST_F(Frame, NewServerShowsAFreshLogin) {
    const unsigned long frame = OpenFrame(true);
    ASSERT_NE(frame, 0u);
    ClickButton(frame, kNewServerOffset, 59, 24);
    const unsigned long box = FindWindowByTitle("选服", 15000);
    ASSERT_NE(box, 0u) << "no new-server question";
    Sleep(300);
    ClickInBox(box, ui::msgbox::OkRect());
    EXPECT_EQ(launcher_->Wait(15000), 0);
    // A launcher of its own: the login again, with its popup.
    EXPECT_NE(FindWindowByProperty("WM_WINDOW_ROLE", "vostra-login-popup", 30000), 0u);
    const unsigned long login = FindWindowByTitle(kTitle, 5000);
    ASSERT_NE(login, 0u);
    EXPECT_EQ(RectOf(login).width, kLoginWidth);
}

TEST_F(Frame, BossKeyButtonHidesTheFrameWithTheGame) {
    const unsigned long frame = OpenFrame(true);
    ASSERT_NE(frame, 0u);
    ClickButton(frame, 294, 97, 24);
    EXPECT_TRUE(WaitGone(frame));
    EXPECT_TRUE(launcher_->Running());
}

TEST_F(Frame, KilledLauncherTakesTheGameWindowAlong) {
    StartServer();
    StartLauncher();
    ASSERT_NE(LogInToTheFrame(), 0u);
    const std::string game_arg = WaitForGameWindowArgument(10000);
    ASSERT_FALSE(game_arg.empty());
    ASSERT_TRUE(WaitForScreenColour(100, 80, kGameMarker));
    kill(launcher_->Pid(), SIGKILL);
    EXPECT_NE(launcher_->Wait(5000), -1);
    // The game process sees its frame gone within about two seconds.
    EXPECT_TRUE(WaitForNoDescendants(server_.pid(), 4000).empty()) << "the game window outlived the launcher";
}

TEST_F(Frame, DeadGameWindowLeavesTheLauncherRunning) {
    const unsigned long frame = OpenFrame(true);
    ASSERT_NE(frame, 0u);
    // The game process, killed: its window goes with it.
    system("pkill -KILL -f -- '-frameWnd=' >/dev/null 2>&1");
    Sleep(1000);
    ClickButton(frame, kFullScreenOffset, 85, 24);
    Sleep(500);
    RequestClose(frame);
    AnswerQuestion(false);
    ASSERT_TRUE(launcher_->Running()) << launcher_->Err();
    DoubleClickAt(frame, 400, 15);
    Sleep(1000);
    EXPECT_TRUE(launcher_->Running()) << launcher_->Err();
    ClickButton(frame, kCloseOffset, 28, 26);
    AnswerQuestion(true);
    EXPECT_EQ(launcher_->Wait(15000), 0);
}

}  // namespace
}  // namespace vostra::test
