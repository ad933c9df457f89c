// The launcher as a player meets it, on a real X display, against the demo
// operator server: the fixture that starts both and the X helpers its
// tests share (window placement, input shape, screenshots of the popup).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>

#include "app/file_version.h"
#include "harness_process.h"
#include "launcher_process.h"
#include "platform/adapter_address.h"
#include "support/child_process.h"
#include "support/http_fetch.h"
#include "support/sandbox.h"
#include "ui/message_box_layout.h"
#include "update/demo_server_process.h"

// Last: Xlib defines macros (None, Bool, ...) that clash with the above.
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

namespace vostra::test {

namespace fs = std::filesystem;

constexpr char kTitle[] = "Vostra登录器";
constexpr int kLoginWidth = 1199;
constexpr int kLoginHeight = 733;
constexpr int kPopupX = 409, kPopupY = 139;
constexpr uint32_t kPageMarker = 0x1d2433;      // the demo login page's background
constexpr uint32_t kErrorPageColour = 0x0f1a3a;  // our error page's background
constexpr uint32_t kProgressFill = 0xcbae5b;
// Where the demo login page puts its account field and the news frame's
// play link, in the popup's coordinates.
constexpr int kAccountFieldX = 180, kAccountFieldY = 197;
constexpr int kFramePlayX = 90, kFramePlayY = 368;
constexpr int kPlayNewX = 147, kPlayNewY = 294;  // "play in a new window"
constexpr int kRulesX = 252, kRulesY = 294;      // "rules", a new window that is no play link

// Colour distance still taken as the same colour: with a compositor the
// popup is drawn at 250/255 over what lies beneath it.
constexpr int kTolerance = 8;
constexpr uint32_t kGameMarker = 0x0f1a12;  // the demo game page's background

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
};

inline Box RectOf(unsigned long xid) {
    Box b;
    WindowRect(xid, &b.x, &b.y, &b.width, &b.height);
    return b;
}

inline bool WmRuns() {
    const char* wm = getenv("VOSTRA_UI_WM");
    return wm != nullptr && std::string(wm) != "none";
}

// Whether (x, y) of the window takes the pointer, by its input shape.
inline bool TakesPointerAt(unsigned long xid, int x, int y) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return false;
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(d, xid, ShapeInput, &count, &ordering);
    bool inside = false;
    for (int i = 0; i < count && !inside; ++i) {
        inside = x >= rects[i].x && x < rects[i].x + rects[i].width && y >= rects[i].y &&
                 y < rects[i].y + rects[i].height;
    }
    if (rects != nullptr) XFree(rects);
    XCloseDisplay(d);
    return inside;
}

class LoginWindow : public Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        if (getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
        BecomeSubreaper();
    }

    void TearDown() override {
        launcher_.reset();
        KillDescendants();
        server_.Stop();
        Sandbox::TearDown();
    }

    void StartServer(const std::vector<std::string>& options = {}) {
        ASSERT_TRUE(server_.Start(options));
    }

    void StartLauncher(const std::string& program = VOSTRA_LAUNCHER_BIN) {
        launcher_ = std::make_unique<LauncherProcess>(program, Home(), server_.url());
        ASSERT_TRUE(launcher_->Started());
        login_ = FindWindowByTitle(kTitle, 30000);
        ASSERT_NE(login_, 0u) << "the login window never showed\n" << launcher_->Err();
        popup_ = FindWindowByProperty("WM_WINDOW_ROLE", "vostra-login-popup", 10000);
        ASSERT_NE(popup_, 0u) << "the popup never showed";
    }

    // Waits until the popup's form area shows `colour` at its (x, y).
    bool WaitForFormColour(uint32_t colour, int x = 600, int y = 420, int timeout_ms = 30000) {
        for (int waited = 0; waited < timeout_ms; waited += 250) {
            const Box p = RectOf(popup_);
            Screenshot shot("waiting");
            if (shot.Ok() && ColourDistance(shot.Pixel(p.x + x, p.y + y), colour) <= kTolerance) {
                return true;
            }
            Sleep(250);
        }
        return false;
    }

    std::map<std::string, int> Stats() {
        std::map<std::string, int> stats;
        const std::string text = Fetch("/demo/stats");
        std::istringstream in(text);
        std::string name;
        int count = 0;
        while (in >> name >> count) stats[name] = count;
        return stats;
    }

    std::string Fetch(const std::string& path) { return HttpGetText(server_.url() + path); }

    // Points at (x, y) of a window, then clicks or types there.
    void ClickAt(unsigned long xid, int x, int y) {
        const Box b = RectOf(xid);
        Xdo("mousemove " + std::to_string(b.x + x) + " " + std::to_string(b.y + y));
        Sleep(150);
        Xdo("click 1");
    }

    void ClickInBox(unsigned long box, const ui::Rect& r) {
        ClickAt(box, r.x + r.width / 2, r.y + r.height / 2);
    }

    unsigned long WaitForQuestion() { return FindWindowByTitle("关闭提示", 15000); }

    bool WaitGone(unsigned long xid, int timeout_ms = 5000) {
        for (int waited = 0; waited < timeout_ms; waited += 50) {
            if (!WindowViewable(xid)) return true;
            Sleep(50);
        }
        return false;
    }

    bool WaitViewable(unsigned long xid, int timeout_ms = 5000) {
        for (int waited = 0; waited < timeout_ms; waited += 50) {
            if (WindowViewable(xid)) return true;
            Sleep(50);
        }
        return false;
    }

    // The game URL the frame handed to its game window, from that
    // process's command line; "" when none started.
    std::string HandedOverUrl() {
        const std::string arg = WaitForGameWindowArgument(20000);
        const std::string marker = " -gameurl=";
        const size_t at = arg.find(marker);
        return at == std::string::npos ? "" : arg.substr(at + marker.size());
    }

    // Logs in on the demo page and waits for the frame that follows; its
    // window id, 0 when none came.
    unsigned long LogInToTheFrame() {
        if (!WaitForFormColour(kPageMarker)) {
            ADD_FAILURE() << "the login page never showed";
            return 0;
        }
        ClickAt(popup_, kAccountFieldX, kAccountFieldY);
        Xdo("type --delay 40 ann");
        Xdo("key Return");
        if (HandedOverUrl().empty()) {
            Screenshot shot("no-hand-over");
            ADD_FAILURE() << "no hand-over";
            return 0;
        }
        if (!WaitGone(login_, 10000)) {
            ADD_FAILURE() << "the login window stayed";
            return 0;
        }
        return FindWindowByTitle(kTitle, 20000);
    }

    // Waits until the window has this rectangle; the last one seen.
    Box WaitForRect(unsigned long xid, const Box& want, int timeout_ms = 10000) {
        Box b;
        for (int waited = 0; waited <= timeout_ms; waited += 100) {
            b = RectOf(xid);
            if (b.x == want.x && b.y == want.y && b.width == want.width && b.height == want.height) break;
            Sleep(100);
        }
        return b;
    }

    // Waits until the screen shows `colour` at (x, y).
    bool WaitForScreenColour(int x, int y, uint32_t colour, int timeout_ms = 20000) {
        for (int waited = 0; waited < timeout_ms; waited += 250) {
            Screenshot shot("waiting");
            if (shot.Ok() && ColourDistance(shot.Pixel(x, y), colour) <= kTolerance) return true;
            Sleep(250);
        }
        return false;
    }

    std::string InstalledPath() const {
        return DataHome() + "/orbix/vstr/" + fs::path(VOSTRA_LAUNCHER_BIN).filename().string();
    }

    DemoServerProcess server_;
    std::unique_ptr<LauncherProcess> launcher_;
    unsigned long login_ = 0;
    unsigned long popup_ = 0;
};

}  // namespace vostra::test
