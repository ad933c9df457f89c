// vostra-window-timer NAME COMMAND [ARGS...]
//
// Starts COMMAND and prints the milliseconds from its start until a window
// whose title is NAME is mapped on the display, then ends the command
// (SIGTERM). Used by the message box benchmark to time our box and zenity
// the same way. Exit status 1 when no such window came within 30 s.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

extern char** environ;

namespace {

double NowMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

std::string TitleOf(Display* d, Window w) {
    Atom net_name = XInternAtom(d, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long n = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, net_name, 0, 1024, False, utf8, &type, &format, &n, &after,
                           &data) == Success && data != nullptr) {
        title.assign(reinterpret_cast<char*>(data), n);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(d, w, &name) && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

bool IsTarget(Display* d, Window w, const std::string& name) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return false;
    return TitleOf(d, w) == name;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: vostra-window-timer NAME COMMAND [ARGS...]\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return 2;
    XSetErrorHandler(IgnoreErrors);
    const std::string name = argv[1];
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);

    const double start = NowMs();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0) return 2;

    double found = -1;
    while (found < 0 && NowMs() - start < 30000) {
        while (XPending(d) > 0 && found < 0) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == CreateNotify) {
                // Follow new top-level windows; a window manager may map
                // them inside its frame, out of the root's sight.
                XSelectInput(d, e.xcreatewindow.window, StructureNotifyMask | PropertyChangeMask);
                if (IsTarget(d, e.xcreatewindow.window, name)) found = NowMs();
            } else if (e.type == MapNotify || e.type == PropertyNotify) {
                const Window w = e.type == MapNotify ? e.xmap.window : e.xproperty.window;
                if (IsTarget(d, w, name)) found = NowMs();
            }
        }
        if (found < 0) usleep(500);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(d);
    if (found < 0) {
        fprintf(stderr, "vostra-window-timer: no window \"%s\" appeared\n", name.c_str());
        return 1;
    }
    printf("%.1f\n", found - start);
    return 0;
}
