#include "platform/window_messages.h"

#include <gdk/gdkx.h>
#include <poll.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>

namespace vostra {
namespace {

constexpr char kMessageAtom[] = "_VOSTRA_WINDOW_MESSAGE";
constexpr char kDoneAtom[] = "_VOSTRA_WINDOW_MESSAGE_DONE";

// Xlib reports errors through one process-wide handler, which the toolkit
// (and the game window) set for their own connection. Ours is put in front
// of it once and never swapped: errors on a connection that is being
// checked are counted for that connection alone; every other error goes on
// to the handler that was there before. (Swapping the handler for each
// check would, from the game window's watchdog thread, also catch the UI
// thread's errors and take them for the frame's disappearance.)
std::mutex g_checkedMutex;
std::map<Display*, int> g_checkedErrors;
XErrorHandler g_nextHandler = nullptr;

int RouteError(Display* display, XErrorEvent* error) {
    {
        std::lock_guard<std::mutex> lock(g_checkedMutex);
        const auto it = g_checkedErrors.find(display);
        if (it != g_checkedErrors.end()) {
            ++it->second;
            return 0;
        }
    }
    return g_nextHandler != nullptr ? g_nextHandler(display, error) : 0;
}

void InstallErrorRouter() {
    static std::once_flag once;
    std::call_once(once, [] { g_nextHandler = XSetErrorHandler(RouteError); });
}

// Runs `call` with the X errors of `display` caught; true when none
// occurred. The display must not be used by another thread meanwhile.
template <typename Call>
bool WithoutXErrors(Display* display, Call call) {
    InstallErrorRouter();
    {
        std::lock_guard<std::mutex> lock(g_checkedMutex);
        g_checkedErrors[display] = 0;
    }
    XSync(display, False);
    call();
    XSync(display, False);
    std::lock_guard<std::mutex> lock(g_checkedMutex);
    const int errors = g_checkedErrors[display];
    g_checkedErrors.erase(display);
    return errors == 0;
}

// A connection of the sender's own, so that waiting for the answer needs
// neither GDK's connection nor its main loop.
class PrivateDisplay {
public:
    PrivateDisplay() : m_pDisplay(XOpenDisplay(nullptr)) {}
    ~PrivateDisplay() {
        if (m_pDisplay != nullptr) XCloseDisplay(m_pDisplay);
    }
    Display* get() const { return m_pDisplay; }

private:
    Display* m_pDisplay;
};

XEvent MessageEvent(Display* display, Window target, const WindowMessage& msg, Window reply,
                    long serial) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.display = display;
    e.xclient.window = target;
    e.xclient.message_type = XInternAtom(display, kMessageAtom, False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(msg.message);
    e.xclient.data.l[1] = msg.wparam;
    e.xclient.data.l[2] = msg.lparam;
    e.xclient.data.l[3] = static_cast<long>(reply);
    e.xclient.data.l[4] = serial;
    return e;
}

bool SendEvent(Display* display, Window target, XEvent& e) {
    return WithoutXErrors(display, [&] { XSendEvent(display, target, False, NoEventMask, &e); });
}

long NextSerial() {
    static std::atomic<long> serial{1};
    return serial++;
}

// Waits for the answer with `serial` on the reply window; false on time-out.
bool WaitForDone(Display* display, Window reply, long serial, long* result, int timeout_ms) {
    const Atom done = XInternAtom(display, kDoneAtom, False);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type == ClientMessage && e.xclient.window == reply &&
                e.xclient.message_type == done && e.xclient.data.l[0] == serial) {
                if (result != nullptr) *result = e.xclient.data.l[1];
                return true;
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{ConnectionNumber(display), POLLIN, 0};
        poll(&p, 1, static_cast<int>(left.count()));
    }
}

}  // namespace

bool IsWindow(Display* display, Window window) {
    if (display == nullptr || window == 0) return false;
    XWindowAttributes attributes;
    Status status = 0;
    const bool clean = WithoutXErrors(display, [&] {
        status = XGetWindowAttributes(display, window, &attributes);
    });
    return clean && status != 0;
}

bool PostWindowMessage(Window target, const WindowMessage& msg) {
    PrivateDisplay display;
    if (display.get() == nullptr || !IsWindow(display.get(), target)) return false;
    XEvent e = MessageEvent(display.get(), target, msg, 0, 0);
    return SendEvent(display.get(), target, e);
}

bool SendWindowMessage(Window target, const WindowMessage& msg, long* result, int timeout_ms) {
    PrivateDisplay display;
    Display* d = display.get();
    if (d == nullptr || !IsWindow(d, target)) return false;
    const Window reply = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    const long serial = NextSerial();
    XEvent e = MessageEvent(d, target, msg, reply, serial);
    const bool answered = SendEvent(d, target, e) && WaitForDone(d, reply, serial, result, timeout_ms);
    XDestroyWindow(d, reply);
    return answered;
}

void CWindowMessageReceiver::Install(GdkWindow* window, Handler handler) {
    Remove();
    m_pWindow = window;
    m_handler = std::move(handler);
    if (m_pWindow != nullptr) gdk_window_add_filter(m_pWindow, &CWindowMessageReceiver::Filter, this);
}

void CWindowMessageReceiver::Remove() {
    if (m_pWindow != nullptr) gdk_window_remove_filter(m_pWindow, &CWindowMessageReceiver::Filter, this);
    m_pWindow = nullptr;
}

GdkFilterReturn CWindowMessageReceiver::Filter(GdkXEvent* xevent, GdkEvent*, gpointer self) {
    auto* receiver = static_cast<CWindowMessageReceiver*>(self);
    auto* e = static_cast<XEvent*>(xevent);
    if (e->type != ClientMessage || e->xclient.format != 32) return GDK_FILTER_CONTINUE;
    Display* display = e->xclient.display;
    if (e->xclient.message_type != XInternAtom(display, kMessageAtom, False)) return GDK_FILTER_CONTINUE;
    const WindowMessage msg{static_cast<uint32_t>(e->xclient.data.l[0]), e->xclient.data.l[1],
                            e->xclient.data.l[2]};
    const Window reply = static_cast<Window>(e->xclient.data.l[3]);
    const long serial = e->xclient.data.l[4];
    const long result = receiver->m_handler ? receiver->m_handler(msg) : 0;
    if (reply != 0) {
        XEvent done{};
        done.xclient.type = ClientMessage;
        done.xclient.window = reply;
        done.xclient.message_type = XInternAtom(display, kDoneAtom, False);
        done.xclient.format = 32;
        done.xclient.data.l[0] = serial;
        done.xclient.data.l[1] = result;
        // The sender may have given up and gone: its window's errors are
        // ours to ignore, through GDK's own trap on GDK's connection.
        GdkDisplay* gdk_display = gdk_x11_lookup_xdisplay(display);
        if (gdk_display != nullptr) gdk_x11_display_error_trap_push(gdk_display);
        XSendEvent(display, reply, False, NoEventMask, &done);
        XFlush(display);
        if (gdk_display != nullptr) gdk_x11_display_error_trap_pop_ignored(gdk_display);
    }
    return GDK_FILTER_REMOVE;
}

}  // namespace vostra
