// The X11 hot keys on a real X server (run under run-with-xvfb.sh): keys
// are pressed with xdotool, as a user would, while another X connection of
// this process plays the other program that may hold a key first.
#include "platform/global_hot_keys_x11.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/app_paths.h"
#include "launcher/hot_key_grammar.h"
#include "launcher/hot_key_registration.h"
#include "support/sandbox.h"

// Xlib's macros (None, Bool, Status) clash with GoogleTest: last.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace vostra {
namespace {

using Ids = std::vector<int>;

// The error code of the last X request of the other connection.
int g_otherError = 0;
int RecordOtherError(Display*, XErrorEvent* event) {
    g_otherError = event->error_code;
    return 0;
}

// A second X client: grabs keys on the root window as another program
// would. Xlib's error handler is process-wide, so it is swapped in only for
// the moment of this client's own requests.
class OtherClient {
public:
    OtherClient() : m_display(XOpenDisplay(nullptr)) {}
    ~OtherClient() {
        if (m_display) XCloseDisplay(m_display);
    }
    bool Ok() const { return m_display != nullptr; }

    // True when the grab was granted, false on BadAccess.
    bool Grab(KeySym keysym, unsigned mask) {
        return Request([&] {
            XGrabKey(m_display, XKeysymToKeycode(m_display, keysym), mask,
                     DefaultRootWindow(m_display), False, GrabModeAsync, GrabModeAsync);
        });
    }
    void Ungrab(KeySym keysym, unsigned mask) {
        Request([&] {
            XUngrabKey(m_display, XKeysymToKeycode(m_display, keysym), mask,
                       DefaultRootWindow(m_display));
        });
    }
    unsigned LockedModifiers() {
        XkbStateRec state{};
        XkbGetState(m_display, XkbUseCoreKbd, &state);
        return state.locked_mods;
    }

private:
    template <typename F>
    bool Request(F request) {
        XSync(m_display, False);
        auto previous = XSetErrorHandler(RecordOtherError);
        g_otherError = 0;
        request();
        XSync(m_display, False);
        XSetErrorHandler(previous);
        return g_otherError == 0;
    }

    Display* m_display;
};

class X11HotKeys : public test::Sandbox {
protected:
    static void SetUpTestSuite() { s_hasDisplay = gtk_init_check(nullptr, nullptr); }

    void SetUp() override {
        if (!s_hasDisplay) GTEST_SKIP() << "no X display";
        test::Sandbox::SetUp();
        ASSERT_TRUE(m_other.Ok());
        m_keys = std::make_unique<GlobalHotKeysX11>([this](int id) { m_ids.push_back(id); });
        ASSERT_TRUE(m_keys->HasDisplay());
        SetLocks(false, false);
    }

    void TearDown() override {
        if (!s_hasDisplay) return;
        m_keys.reset();
        SetLocks(false, false);
        test::Sandbox::TearDown();
    }

    // Presses keys with xdotool and collects the hot-key ids reported
    // until `expected` of them came or a time-out passed (which lets a
    // check that nothing comes wait a while).
    Ids Press(const std::string& keys, size_t expected = 1) {
        m_ids.clear();
        const std::string command = "xdotool key --delay 20 " + keys;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        const auto deadline = std::chrono::steady_clock::now() +
                              std::chrono::milliseconds(expected ? 3000 : 400);
        while (std::chrono::steady_clock::now() < deadline &&
               (expected == 0 || m_ids.size() < expected)) {
            if (!g_main_context_iteration(nullptr, FALSE)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        return m_ids;
    }

    void SetLocks(bool numLock, bool capsLock) {
        const bool numOn = m_other.LockedModifiers() & NumLockBit();
        const bool capsOn = m_other.LockedModifiers() & LockMask;
        if (numOn != numLock) Press("Num_Lock", 0);
        if (capsOn != capsLock) Press("Caps_Lock", 0);
        EXPECT_EQ(bool(m_other.LockedModifiers() & NumLockBit()), numLock);
        EXPECT_EQ(bool(m_other.LockedModifiers() & LockMask), capsLock);
    }

    // NumLock is Mod2 on the server's default keyboard map.
    static unsigned NumLockBit() { return Mod2Mask; }

    // The three keys the launcher's settings name as examples.
    void RegisterExamples() {
        ASSERT_TRUE(m_keys->RegisterHotKey(HOTKEY_BOSS, 0, 0x79));                           // F10
        ASSERT_TRUE(m_keys->RegisterHotKey(HOTKEY_FULLSCREEN, MOD_CONTROL | MOD_SHIFT, 0x41));  // A
        ASSERT_TRUE(m_keys->RegisterHotKey(7, MOD_ALT, 0x65));                               // Num5
    }

    // The lock state must come out of the presses unchanged, or the test
    // would not test what it says.
    void ExpectExamplesArrive() {
        const unsigned locks = m_other.LockedModifiers();
        EXPECT_EQ(Press("F10"), (Ids{HOTKEY_BOSS}));
        EXPECT_EQ(Press("ctrl+shift+a"), (Ids{HOTKEY_FULLSCREEN}));
        EXPECT_EQ(Press(KeypadFive("alt+")), (Ids{7}));
        EXPECT_EQ(m_other.LockedModifiers(), locks);
    }

    // The keypad's 5 key. Asked for KP_5, xdotool toggles NumLock to reach
    // that symbol and leaves it toggled; KP_Begin, the key's symbol without
    // NumLock, presses the same key and leaves the locks alone.
    static std::string KeypadFive(const std::string& modifiers) { return modifiers + "KP_Begin"; }

    static bool s_hasDisplay;
    OtherClient m_other;
    std::unique_ptr<GlobalHotKeysX11> m_keys;
    Ids m_ids;
};

bool X11HotKeys::s_hasDisplay = false;

TEST_F(X11HotKeys, PressesArriveWithTheirIds) {
    RegisterExamples();
    ExpectExamplesArrive();
    EXPECT_EQ(Press("F10 F10", 2), (Ids{HOTKEY_BOSS, HOTKEY_BOSS}));
}

TEST_F(X11HotKeys, PressesArriveWithNumLockOn) {
    RegisterExamples();
    SetLocks(true, false);
    ExpectExamplesArrive();
}

TEST_F(X11HotKeys, PressesArriveWithCapsLockAndNumLockOn) {
    RegisterExamples();
    SetLocks(false, true);
    ExpectExamplesArrive();
    SetLocks(true, true);
    ExpectExamplesArrive();
}

TEST_F(X11HotKeys, OtherModifiersOrKeysAreNotTheHotKey) {
    RegisterExamples();
    EXPECT_EQ(Press("shift+F10", 0), Ids{});
    EXPECT_EQ(Press("ctrl+a", 0), Ids{});
    EXPECT_EQ(Press("ctrl+alt+shift+a", 0), Ids{});
    EXPECT_EQ(Press(KeypadFive(""), 0), Ids{});
    EXPECT_EQ(Press("F11", 0), Ids{});
}

TEST_F(X11HotKeys, KeyHeldByAnotherClientIsRefusedAndTheProcessLives) {
    ASSERT_TRUE(m_other.Grab(XK_F9, 0));
    EXPECT_FALSE(m_keys->RegisterHotKey(HOTKEY_BOSS, 0, 0x78));  // F9: BadAccess, trapped
    // Nothing of it stays: the id is free and no lock variant is held.
    EXPECT_FALSE(m_keys->UnregisterHotKey(HOTKEY_BOSS));
    EXPECT_TRUE(m_other.Grab(XK_F9, Mod2Mask));
    EXPECT_TRUE(m_other.Grab(XK_F9, LockMask));
    // The others go on working, and the freed key can be had.
    EXPECT_TRUE(m_keys->RegisterHotKey(HOTKEY_FULLSCREEN, 0, 0x79));
    EXPECT_EQ(Press("F10"), (Ids{HOTKEY_FULLSCREEN}));
    m_other.Ungrab(XK_F9, 0);
    m_other.Ungrab(XK_F9, Mod2Mask);
    m_other.Ungrab(XK_F9, LockMask);
    EXPECT_TRUE(m_keys->RegisterHotKey(HOTKEY_BOSS, 0, 0x78));
    EXPECT_EQ(Press("F9"), (Ids{HOTKEY_BOSS}));
}

TEST_F(X11HotKeys, OneLockVariantHeldElsewhereRefusesTheWholeKey) {
    ASSERT_TRUE(m_other.Grab(XK_F8, Mod2Mask | LockMask));
    EXPECT_FALSE(m_keys->RegisterHotKey(HOTKEY_BOSS, 0, 0x77));
    EXPECT_TRUE(m_other.Grab(XK_F8, 0));  // our plain grab was let go
    m_other.Ungrab(XK_F8, 0);
    m_other.Ungrab(XK_F8, Mod2Mask | LockMask);
}

TEST_F(X11HotKeys, UnregisterLetsTheKeyGo) {
    ASSERT_TRUE(m_keys->RegisterHotKey(HOTKEY_BOSS, MOD_CONTROL, 0x79));
    EXPECT_FALSE(m_other.Grab(XK_F10, ControlMask));
    EXPECT_TRUE(m_keys->UnregisterHotKey(HOTKEY_BOSS));
    EXPECT_FALSE(m_keys->UnregisterHotKey(HOTKEY_BOSS));
    EXPECT_TRUE(m_other.Grab(XK_F10, ControlMask));
    EXPECT_TRUE(m_other.Grab(XK_F10, ControlMask | Mod2Mask | LockMask));
    m_other.Ungrab(XK_F10, ControlMask);
    m_other.Ungrab(XK_F10, ControlMask | Mod2Mask | LockMask);
    EXPECT_EQ(Press("ctrl+F10", 0), Ids{});
}

TEST_F(X11HotKeys, DestroyingTheOwnerLetsEveryKeyGo) {
    RegisterExamples();
    m_keys.reset();
    EXPECT_TRUE(m_other.Grab(XK_F10, 0));
    EXPECT_TRUE(m_other.Grab(XK_a, ControlMask | ShiftMask));
    m_other.Ungrab(XK_F10, 0);
    m_other.Ungrab(XK_a, ControlMask | ShiftMask);
}

TEST_F(X11HotKeys, KeyCodeZeroOrUnknownRegistersNothing) {
    EXPECT_FALSE(m_keys->RegisterHotKey(HOTKEY_BOSS, 0, 0));
    EXPECT_FALSE(m_keys->RegisterHotKey(HOTKEY_BOSS, MOD_CONTROL, 0x0D));  // Enter: not named
    EXPECT_FALSE(m_keys->UnregisterHotKey(HOTKEY_BOSS));
    EXPECT_FALSE(m_keys->RegisterHotKey(HOTKEY_BOSS, 0x8, 0x79));  // Windows-key modifier
    EXPECT_TRUE(m_keys->RegisterHotKey(HOTKEY_BOSS, 0, 0x79));
}

TEST_F(X11HotKeys, OneIdHoldsOneKeyAndOneKeyOneId) {
    ASSERT_TRUE(m_keys->RegisterHotKey(HOTKEY_BOSS, 0, 0x79));
    EXPECT_FALSE(m_keys->RegisterHotKey(HOTKEY_BOSS, 0, 0x7A));
    EXPECT_FALSE(m_keys->RegisterHotKey(HOTKEY_REFRESH, 0, 0x79));
    EXPECT_TRUE(m_keys->RegisterHotKey(HOTKEY_REFRESH, MOD_SHIFT, 0x79));
    EXPECT_EQ(Press("F10"), (Ids{HOTKEY_BOSS}));
    EXPECT_EQ(Press("shift+F10"), (Ids{HOTKEY_REFRESH}));
    EXPECT_EQ(Press("F11", 0), Ids{});
}

TEST_F(X11HotKeys, HandlerMayDestroyTheHotKeys) {
    m_keys = std::make_unique<GlobalHotKeysX11>([this](int id) {
        m_ids.push_back(id);
        m_keys.reset();
    });
    ASSERT_TRUE(m_keys->RegisterHotKey(HOTKEY_BOSS, 0, 0x79));
    EXPECT_EQ(Press("F10"), (Ids{HOTKEY_BOSS}));
    EXPECT_EQ(m_keys, nullptr);
    EXPECT_EQ(Press("F10", 0), Ids{});
}

TEST_F(X11HotKeys, ShippedSettingsGiveBossFullScreenAndRefresh) {
    WriteFile(GetSettingsPath(), "[Setting]\r\nscreenshots=Ctrl+Shift+A\r\n"
                                 "screentoggle=F10\r\nfullscreen=F11\r\n");
    LauncherHotKeys set = RegisterHotKeys(*m_keys);
    EXPECT_EQ(Press("F5", 0), Ids{});  // held only while the launcher is active
    HoldActiveOnlyHotKeys(*m_keys, set, true);
    EXPECT_EQ(Press("F10"), (Ids{HOTKEY_BOSS}));
    EXPECT_EQ(Press("F11"), (Ids{HOTKEY_FULLSCREEN}));
    EXPECT_EQ(Press("F5"), (Ids{HOTKEY_REFRESH}));
    EXPECT_EQ(Press("ctrl+shift+a", 0), Ids{});  // screenshots is not read
}

TEST_F(X11HotKeys, ConfiguredKeyTakenElsewhereLeavesTheOthersWorking) {
    WriteFile(GetSettingsPath(), "[Setting]\r\nscreentoggle=Alt+Num5\r\nfullscreen=F11\r\n");
    ASSERT_TRUE(m_other.Grab(XK_F11, 0));
    LauncherHotKeys set = RegisterHotKeys(*m_keys);
    HoldActiveOnlyHotKeys(*m_keys, set, true);
    EXPECT_EQ(Press(KeypadFive("alt+")), (Ids{HOTKEY_BOSS}));
    EXPECT_EQ(Press("F5"), (Ids{HOTKEY_REFRESH}));
    EXPECT_EQ(Press("F11", 0), Ids{});
    m_other.Ungrab(XK_F11, 0);
}

// Without a display nothing is grabbed and nothing fails loudly. Run in a
// fresh process where GTK has not opened any display.
TEST(X11HotKeysWithoutDisplay, EveryRegistrationFailsQuietly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            const bool opened = gtk_init_check(nullptr, nullptr);
            GlobalHotKeysX11 keys([](int) { std::abort(); });
            const bool registered = keys.RegisterHotKey(HOTKEY_BOSS, 0, 0x79);
            std::exit(!opened && !keys.HasDisplay() && !registered &&
                              !keys.UnregisterHotKey(HOTKEY_BOSS)
                          ? 0
                          : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace vostra
