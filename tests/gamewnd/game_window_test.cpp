// The game window as the launcher's frame meets it: this test plays the
// frame (a real window on the X display) and starts the launcher's game
// window mode against the demo server's game page, then drives it with the
// window messages and watches where it sits, what it writes and when it ends.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include "launcher_process.h"
#include "support/child_process.h"
#include "support/http_fetch.h"
#include "support/main_loop_pump.h"
#include "support/sandbox.h"
#include "update/demo_server_process.h"

// Last: Xlib's macros clash with the headers above.
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

#include "platform/window_messages.h"

namespace vostra {
namespace {

constexpr int kFrameWidth = 1000;
constexpr int kFrameHeight = 700;

using test::Pump;

void Wait(int ms) {
    Pump([] { return false; }, ms);
}

// xdotool, while the main loop goes on (the frame must answer).
void Xdo(const std::string& args) {
    const std::string command = "xdotool " + args + " >/dev/null 2>&1 &";
    if (system(command.c_str()) != 0) ADD_FAILURE() << "xdotool " << args;
    Wait(300);
}

// The window's place relative to `ancestor`, and whether it lies inside it.
struct Placement {
    bool inside = false;
    int x = 0, y = 0, width = 0, height = 0;
    bool viewable = false;
};

Placement PlacementIn(Window window, Window ancestor) {
    Placement p;
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return p;
    XSync(d, False);
    for (Window w = window; w != 0;) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(d, w, &root, &parent, &children, &n)) break;
        if (children != nullptr) XFree(children);
        if (parent == ancestor) p.inside = true;
        if (parent == root) break;
        w = parent;
    }
    XWindowAttributes a;
    if (XGetWindowAttributes(d, window, &a)) {
        Window child = 0;
        XTranslateCoordinates(d, window, ancestor, 0, 0, &p.x, &p.y, &child);
        p.width = a.width;
        p.height = a.height;
        p.viewable = a.map_state == IsViewable;
    }
    XCloseDisplay(d);
    return p;
}

class GameWindow : public test::Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        if (!gtk_init_check(nullptr, nullptr)) GTEST_SKIP() << "needs an X display";
        test::BecomeSubreaper();
        ASSERT_TRUE(server_.Start({}));
        frame_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_title(GTK_WINDOW(frame_), "test frame");
        gtk_window_set_decorated(GTK_WINDOW(frame_), FALSE);
        gtk_widget_set_size_request(frame_, kFrameWidth, kFrameHeight);
        gtk_window_move(GTK_WINDOW(frame_), 50, 40);
        gtk_widget_show(frame_);
        Pump([this] { return gtk_widget_get_mapped(frame_); }, 5000);
        frame_xid_ = GDK_WINDOW_XID(gtk_widget_get_window(frame_));
        receiver_.Install(gtk_widget_get_window(frame_), [this](const WindowMessage& m) {
            received_.push_back(m);
            return 0L;
        });
    }

    void TearDown() override {
        receiver_.Remove();
        game_.reset();
        test::KillDescendants();
        if (frame_ != nullptr) gtk_widget_destroy(frame_);
        server_.Stop();
        Sandbox::TearDown();
    }

    // Starts the game window as the launcher does: argv = { path, the
    // rest of the line after the quoted path }.
    void StartGame(const std::string& url, long frame_id = 0) {
        const long id = frame_id != 0 ? frame_id : static_cast<long>(frame_xid_);
        const std::string rest = "-frameWnd=" + std::to_string(id) + " -gameurl=" + url;
        game_ = std::make_unique<test::LauncherProcess>(VOSTRA_LAUNCHER_BIN, Home(), server_.url(),
                                                        std::vector<std::string>{},
                                                        std::vector<std::string>{rest});
        ASSERT_TRUE(game_->Started());
    }

    Window WaitForReady() {
        Pump([this] { return !received_.empty(); }, 30000);
        for (const auto& m : received_) {
            if (m.message == WM_GAMEWND_READY) return static_cast<Window>(m.wparam);
        }
        return 0;
    }

    std::string Fetch(const std::string& path) { return test::HttpGetText(server_.url() + path); }

    // Clicks at (x, y) of the game window with the given button.
    void ClickIn(Window game, int x, int y, int button, int repeat = 1) {
        int gx = 0, gy = 0;
        Window child = 0;
        Display* d = XOpenDisplay(nullptr);
        XTranslateCoordinates(d, game, DefaultRootWindow(d), 0, 0, &gx, &gy, &child);
        XCloseDisplay(d);
        Xdo("mousemove " + std::to_string(gx + x) + " " + std::to_string(gy + y));
        Xdo("click --repeat " + std::to_string(repeat) + " --delay 80 " + std::to_string(button));
    }

    // Waits until the page has loaded its script (it reports a first event).
    bool WaitForGamePage(Window game) {
        Fetch("/demo/events?clear=1");
        for (int i = 0; i < 40; ++i) {
            ClickIn(game, 600, 400, 1);
            if (Fetch("/demo/events").find("mousedown 0") != std::string::npos) return true;
            Wait(200);
        }
        return false;
    }

    int GamePageFetches() {
        const std::string out = Fetch("/demo/stats");
        std::istringstream in(out);
        std::string name;
        int count = 0;
        while (in >> name >> count) {
            if (name == "game-page") return count;
        }
        return -1;
    }

    std::string GameUrl() const { return server_.url() + "/vstr/play_gamecode?mac=00-1A&user=ann"; }

    test::DemoServerProcess server_;
    GtkWidget* frame_ = nullptr;
    Window frame_xid_ = 0;
    CWindowMessageReceiver receiver_;
    std::vector<WindowMessage> received_;
    std::unique_ptr<test::LauncherProcess> game_;
};

TEST_F(GameWindow, AnnouncesItselfInsideTheFrameBelowTheStrip) {
    StartGame(GameUrl());
    const Window game = WaitForReady();
    ASSERT_NE(game, 0u) << game_->Err();
    EXPECT_EQ(received_.size(), 1u);
    Placement p;
    Pump([&] {
        p = PlacementIn(game, frame_xid_);
        return p.viewable && p.y == 30 && p.height == kFrameHeight - 30;
    }, 5000);
    EXPECT_TRUE(p.inside) << "not a descendant of the frame";
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 30);
    EXPECT_EQ(p.width, kFrameWidth);
    EXPECT_EQ(p.height, kFrameHeight - 30);
    EXPECT_TRUE(p.viewable);
    EXPECT_TRUE(Pump([this] { return GamePageFetches() == 1; }, 10000));
}

TEST_F(GameWindow, FitCoversTheWholeFrameOrLeavesTheStrip) {
    StartGame(GameUrl());
    const Window game = WaitForReady();
    ASSERT_NE(game, 0u);
    long result = -1;
    ASSERT_TRUE(SendWindowMessage(game, {WM_GAMEWND_FIT, 1, 0}, &result));
    EXPECT_EQ(result, 0);
    Placement p;
    EXPECT_TRUE(Pump([&] {
        p = PlacementIn(game, frame_xid_);
        return p.y == 0 && p.height == kFrameHeight;
    }, 5000)) << p.y << " " << p.height;
    ASSERT_TRUE(SendWindowMessage(game, {WM_GAMEWND_FIT, 0, 0}));
    EXPECT_TRUE(Pump([&] {
        p = PlacementIn(game, frame_xid_);
        return p.y == 30 && p.height == kFrameHeight - 30;
    }, 5000)) << p.y << " " << p.height;

    // A hidden game window is shown by a fit.
    Display* d = XOpenDisplay(nullptr);
    XUnmapWindow(d, game);
    XSync(d, False);
    XCloseDisplay(d);
    Pump([&] { return !PlacementIn(game, frame_xid_).viewable; }, 3000);
    ASSERT_TRUE(SendWindowMessage(game, {WM_GAMEWND_FIT, 0, 0}));
    EXPECT_TRUE(Pump([&] { return PlacementIn(game, frame_xid_).viewable; }, 5000));
}

TEST_F(GameWindow, RefreshReloadsThePage) {
    StartGame(GameUrl());
    const Window game = WaitForReady();
    ASSERT_NE(game, 0u);
    // Once the page has loaded and runs its script.
    ASSERT_TRUE(WaitForGamePage(game));
    ASSERT_EQ(GamePageFetches(), 1);
    EXPECT_TRUE(PostWindowMessage(game, {WM_GAMEWND_REFRESH, 0, 0}));
    EXPECT_TRUE(Pump([this] { return GamePageFetches() == 2; }, 10000));
}

TEST_F(GameWindow, CloseEndsTheProcessAndEverythingItStarted) {
    StartGame(GameUrl());
    const Window game = WaitForReady();
    ASSERT_NE(game, 0u);
    EXPECT_TRUE(SendWindowMessage(game, {WM_CLOSE_MESSAGE, 0, 0}));
    EXPECT_EQ(game_->Wait(10000), 0) << game_->Err();
    EXPECT_TRUE(test::WaitForNoDescendants(server_.pid(), 5000).empty()) << "processes left behind";
}

TEST_F(GameWindow, EndsSoonAfterTheFrameIsGone) {
    StartGame(GameUrl());
    ASSERT_NE(WaitForReady(), 0u);
    receiver_.Remove();
    gtk_widget_destroy(frame_);
    frame_ = nullptr;
    Wait(50);
    const auto gone = std::chrono::steady_clock::now();
    EXPECT_EQ(game_->Wait(6000), 0);
    const auto took = std::chrono::steady_clock::now() - gone;
    EXPECT_LT(took, std::chrono::milliseconds(3500)) << "a watchdog of about two seconds";
    EXPECT_TRUE(test::WaitForNoDescendants(server_.pid(), 5000).empty());
}

TEST_F(GameWindow, EnterAndEscapeNeverCloseIt) {
    StartGame(GameUrl());
    const Window game = WaitForReady();
    ASSERT_NE(game, 0u);
    Wait(1000);
    int x = 0, y = 0;
    Window child = 0;
    Display* d = XOpenDisplay(nullptr);
    XTranslateCoordinates(d, game, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    XCloseDisplay(d);
    Xdo("mousemove " + std::to_string(x + 400) + " " + std::to_string(y + 300));
    Xdo("click 1");
    Xdo("key Return Escape Return Escape");
    Wait(1000);
    EXPECT_TRUE(game_->Running());
    EXPECT_TRUE(PlacementIn(game, frame_xid_).viewable);
}

TEST_F(GameWindow, LinkClicksAreWrittenWithTheLinksRawHref) {
    StartGame(GameUrl());
    const Window game = WaitForReady();
    ASSERT_NE(game, 0u);
    ASSERT_TRUE(WaitForGamePage(game)) << "the game page never answered";
    ClickIn(game, 30, 178, 1);   // the link without an href
    ClickIn(game, 600, 400, 1);  // no link at all
    ClickIn(game, 36, 136, 1);   // the picture inside the guide link
    Wait(1500);
    const std::string err = game_->Err();
    EXPECT_NE(err.find("单击事件:\r\n"), std::string::npos) << err;
    EXPECT_NE(err.find("单击事件:guide.html?x=1&y=2\r\n"), std::string::npos) << err;
    size_t lines = 0;
    for (size_t at = err.find("单击事件:"); at != std::string::npos; at = err.find("单击事件:", at + 1)) ++lines;
    EXPECT_EQ(lines, 2u) << err;
}

TEST_F(GameWindow, RightButtonNeverReachesThePageEnterAndEscapeDo) {
    StartGame(GameUrl());
    const Window game = WaitForReady();
    ASSERT_NE(game, 0u);
    ASSERT_TRUE(WaitForGamePage(game));
    Fetch("/demo/events?clear=1");
    ClickIn(game, 600, 400, 3);     // a right click
    ClickIn(game, 600, 400, 3, 2);  // a right double click
    ClickIn(game, 600, 400, 1);     // a left click gives the page the keyboard
    Xdo("key Return Escape");
    Wait(1500);
    const std::string events = Fetch("/demo/events");
    EXPECT_EQ(events.find("mousedown 2"), std::string::npos) << events;
    EXPECT_EQ(events.find("mouseup 2"), std::string::npos) << events;
    EXPECT_EQ(events.find("contextmenu"), std::string::npos) << events;
    EXPECT_EQ(events.find("dblclick"), std::string::npos) << events;
    EXPECT_NE(events.find("keydown - Enter"), std::string::npos) << events;
    EXPECT_NE(events.find("keydown - Escape"), std::string::npos) << events;
    EXPECT_NE(events.find("mousedown 0"), std::string::npos) << events;
    EXPECT_TRUE(game_->Running());
}

TEST_F(GameWindow, NoSuchFrameEndsAtOnce) {
    StartGame(GameUrl(), 0x7ffffff0);
    EXPECT_EQ(game_->Wait(6000), 0);
    EXPECT_TRUE(received_.empty());
}

}  // namespace
}  // namespace vostra

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
