#include "harness_process.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

extern char** environ;

namespace vostra::test {
namespace {

long NowMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000L + ts.tv_nsec / 1000000L;
}

}  // namespace

HarnessProcess::HarnessProcess(const std::vector<std::string>& args) {
    int in_pipe[2];
    int out_pipe[2];
    if (pipe(in_pipe) != 0 || pipe(out_pipe) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in_pipe[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
    posix_spawn_file_actions_addclose(&actions, in_pipe[1]);
    posix_spawn_file_actions_addclose(&actions, out_pipe[0]);
    std::vector<char*> argv;
    std::string bin = VOSTRA_UI_HARNESS_BIN;
    argv.push_back(bin.data());
    std::vector<std::string> copy = args;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&m_pid, bin.c_str(), &actions, nullptr, argv.data(), environ) != 0) m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(in_pipe[0]);
    close(out_pipe[1]);
    m_in = in_pipe[1];
    m_out = out_pipe[0];
}

HarnessProcess::~HarnessProcess() {
    if (m_in >= 0) close(m_in);
    if (m_pid > 0 && Wait(3000) == -1) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0) close(m_out);
}

bool HarnessProcess::ReadLine(std::string* line, int timeout_ms) {
    const long deadline = NowMs() + timeout_ms;
    for (;;) {
        const size_t nl = m_buffer.find('\n');
        if (nl != std::string::npos) {
            *line = m_buffer.substr(0, nl);
            m_buffer.erase(0, nl + 1);
            return true;
        }
        const long left = deadline - NowMs();
        if (left <= 0 || m_out < 0) return false;
        pollfd p{m_out, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) return false;
        char chunk[512];
        const ssize_t n = read(m_out, chunk, sizeof chunk);
        if (n <= 0) return false;
        m_buffer.append(chunk, static_cast<size_t>(n));
    }
}

std::string HarnessProcess::WaitLine(const std::string& prefix, int timeout_ms) {
    const long deadline = NowMs() + timeout_ms;
    std::string line;
    while (ReadLine(&line, static_cast<int>(std::max(0L, deadline - NowMs())))) {
        m_seen.push_back(line);
        if (line.rfind(prefix, 0) == 0) return line;
    }
    return "";
}

void HarnessProcess::Send(const std::string& line) {
    const std::string text = line + "\n";
    if (m_in >= 0 && write(m_in, text.data(), text.size()) < 0) perror("harness stdin");
}

int HarnessProcess::Wait(int timeout_ms) {
    if (m_pid <= 0) return -1;
    const long deadline = NowMs() + timeout_ms;
    int status = 0;
    while (NowMs() < deadline) {
        const pid_t r = waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        }
        usleep(10000);
    }
    return -1;
}

bool ParseShown(const std::string& line, Shown* s) {
    return sscanf(line.c_str(), "shown %lu %d %d %d %d", &s->xid, &s->x, &s->y, &s->width,
                  &s->height) == 5;
}

std::string ShotFolder() {
    const char* env = getenv("VOSTRA_UI_SHOTS");
    std::string folder = env != nullptr && *env != '\0' ? env : VOSTRA_UI_SHOTS_DIR;
    const char* wm = getenv("VOSTRA_UI_WM");
    folder += std::string("/") + (wm != nullptr ? wm : "none");
    std::filesystem::create_directories(folder);
    return folder;
}

Screenshot::Screenshot(const std::string& name) {
    const std::string path = ShotFolder() + "/" + name + ".png";
    const std::string command = "import -window root png24:'" + path + "' 2>/dev/null";
    if (system(command.c_str()) != 0) return;
    m_surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(m_surface);
        m_surface = nullptr;
    }
}

Screenshot::~Screenshot() {
    if (m_surface != nullptr) cairo_surface_destroy(m_surface);
}

uint32_t Screenshot::Pixel(int x, int y) const {
    if (m_surface == nullptr || x < 0 || y < 0 || x >= cairo_image_surface_get_width(m_surface) ||
        y >= cairo_image_surface_get_height(m_surface))
        return 0xFF00FF;
    cairo_surface_flush(m_surface);
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    return row[x] & 0xFFFFFF;
}

void Xdo(const std::string& args) {
    const std::string command = "xdotool " + args + " >/dev/null 2>&1";
    if (system(command.c_str()) != 0) fprintf(stderr, "xdotool %s failed\n", args.c_str());
}

void Sleep(int ms) { usleep(static_cast<useconds_t>(ms) * 1000); }

void RequestClose(unsigned long xid) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = xid;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, xid, False, NoEventMask, &e);
    XCloseDisplay(d);
}

bool WindowOrigin(unsigned long xid, int* x, int* y) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return false;
    Window child = 0;
    const bool ok = XTranslateCoordinates(d, xid, DefaultRootWindow(d), 0, 0, x, y, &child);
    XCloseDisplay(d);
    return ok;
}

namespace {

// A text property of any type (UTF8_STRING, STRING, ...), as its bytes.
std::string TextProperty(Display* d, Window w, const char* name) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string out;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 4096, False, AnyPropertyType,
                           &type, &format, &count, &after, &data) == Success &&
        data != nullptr && format == 8) {
        out.assign(reinterpret_cast<char*>(data), count);
    }
    if (data != nullptr) XFree(data);
    return out;
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

// Depth-first over the tree: under a window manager client windows sit
// inside its frames. A window may vanish while we look; its errors are
// ignored.
Window FindWithProperty(Display* d, Window w, const char* property, const std::string& value) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(d, w, &attributes) && attributes.map_state == IsViewable &&
        TextProperty(d, w, property) == value) {
        return w;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n && found == 0; ++i) found = FindWithProperty(d, children[i], property, value);
        if (children != nullptr) XFree(children);
    }
    return found;
}

}  // namespace

unsigned long FindWindowByTitle(const std::string& title, int timeout_ms) {
    return FindWindowByProperty("_NET_WM_NAME", title, timeout_ms);
}

unsigned long FindWindowByProperty(const std::string& property, const std::string& value,
                                   int timeout_ms) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return 0;
    XErrorHandler old = XSetErrorHandler(IgnoreXErrors);
    Window found = 0;
    for (int waited = 0; found == 0 && waited <= timeout_ms; waited += 50) {
        found = FindWithProperty(d, DefaultRootWindow(d), property.c_str(), value);
        if (found == 0) Sleep(50);
    }
    XSync(d, False);
    XSetErrorHandler(old);
    XCloseDisplay(d);
    return found;
}

std::string WindowTitle(unsigned long xid) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return "";
    XErrorHandler old = XSetErrorHandler(IgnoreXErrors);
    const std::string title = TextProperty(d, xid, "_NET_WM_NAME");
    XSync(d, False);
    XSetErrorHandler(old);
    XCloseDisplay(d);
    return title;
}

bool WindowViewable(unsigned long xid) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return false;
    XErrorHandler old = XSetErrorHandler(IgnoreXErrors);
    XWindowAttributes attributes;
    const bool viewable = XGetWindowAttributes(d, xid, &attributes) && attributes.map_state == IsViewable;
    XSync(d, False);
    XSetErrorHandler(old);
    XCloseDisplay(d);
    return viewable;
}

bool WindowRect(unsigned long xid, int* x, int* y, int* width, int* height) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return false;
    XErrorHandler old = XSetErrorHandler(IgnoreXErrors);
    XWindowAttributes attributes;
    Window child = 0;
    bool ok = XGetWindowAttributes(d, xid, &attributes) &&
              XTranslateCoordinates(d, xid, DefaultRootWindow(d), 0, 0, x, y, &child);
    if (ok) {
        *width = attributes.width;
        *height = attributes.height;
    }
    XSync(d, False);
    XSetErrorHandler(old);
    XCloseDisplay(d);
    return ok;
}

int ColourDistance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = std::abs(static_cast<int>((a >> shift) & 0xFF) -
                               static_cast<int>((b >> shift) & 0xFF));
        worst = std::max(worst, d);
    }
    return worst;
}

}  // namespace vostra::test
