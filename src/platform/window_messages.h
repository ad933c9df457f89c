// Window messages between the launcher's frame and the game window, which
// live in two processes: X11 ClientMessage events (format 32) of one atom
// of ours, "_VOSTRA_WINDOW_MESSAGE", with the message number, wParam and
// lParam in data.l[0..2]. A sent message also names a reply window
// (data.l[3]) and a serial (data.l[4]); the receiver answers, once it has
// handled the message, with a "_VOSTRA_WINDOW_MESSAGE_DONE" event carrying
// the serial and the result. So sending waits for the effect, as the
// system's SendMessage does, but never longer than its time-out: a hung or
// vanished peer cannot freeze the sender.
#pragma once

#include <X11/Xlib.h>
#include <gdk/gdk.h>

#include <cstdint>
#include <functional>

namespace vostra {

inline constexpr uint32_t WM_CLOSE_MESSAGE = 0x0010;
inline constexpr uint32_t WM_GAMEWND_READY = 0x0BD1;
inline constexpr uint32_t WM_GAMEWND_REFRESH = 0x0BD2;
inline constexpr uint32_t WM_GAMEWND_FIT = 0x0BD3;

// How long a sent message waits for its answer at the most.
inline constexpr int kSendMessageTimeoutMs = 3000;

struct WindowMessage {
    uint32_t message = 0;
    long wparam = 0;
    long lparam = 0;
};

// Whether `window` exists on the display. X errors are caught: a window
// that is gone is an answer, not a failure.
bool IsWindow(Display* display, Window window);

// Posts the message and returns at once; false when the window does not
// exist (or the display is gone).
bool PostWindowMessage(Window target, const WindowMessage& msg);

// Sends the message and waits until the receiver has handled it, at most
// timeout_ms. True with its result when it was handled; false when the
// window does not exist or no answer came in time.
bool SendWindowMessage(Window target, const WindowMessage& msg, long* result = nullptr,
                       int timeout_ms = kSendMessageTimeoutMs);

// Receives the messages addressed to one of our own windows, on the UI
// thread, through a GDK event filter. Answers sent ones after the handler
// has run.
class CWindowMessageReceiver {
public:
    using Handler = std::function<long(const WindowMessage&)>;

    CWindowMessageReceiver() = default;
    ~CWindowMessageReceiver() { Remove(); }
    CWindowMessageReceiver(const CWindowMessageReceiver&) = delete;
    CWindowMessageReceiver& operator=(const CWindowMessageReceiver&) = delete;

    void Install(GdkWindow* window, Handler handler);
    void Remove();

private:
    static GdkFilterReturn Filter(GdkXEvent* xevent, GdkEvent* event, gpointer self);

    GdkWindow* m_pWindow = nullptr;
    Handler m_handler;
};

}  // namespace vostra
