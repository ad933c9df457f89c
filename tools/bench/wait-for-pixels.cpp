// wait-for-pixels [OPTIONS] GOAL [--then GOAL]...
//
// Polls the root window's pixels (XGetImage, through MIT-SHM when the
// server offers it) every few milliseconds until each goal is met, and
// prints one line per goal, in the order given: the milliseconds from the
// start timestamp to the first poll that saw the goal met. Used by the
// login benchmark to time programs from their exec to something on screen.
//
// Options:
//   --since NS         start timestamp, CLOCK_MONOTONIC in nanoseconds
//                      (default: when polling starts)
//   --since-file FILE  the same, read from FILE (waited for until it is
//                      written; exec-stamped writes it)
//   --timeout MS       give up after MS from the start (default 30000)
//   --interval MS      time between polls (default 2)
//   --tolerance N      largest difference per colour channel (default 8)
//   --geometry         also print the goal's window as "ms x y width height"
//
// A goal is an optional window and one or more checks, all of which must
// hold in the same poll. With a window, the goal waits for it to be
// viewable and the checks' coordinates are relative to its top-left
// corner; without one, they are the root's.
//   --name TITLE       a window whose _NET_WM_NAME (or WM_NAME) is TITLE
//   --class CLASS      a window whose WM_CLASS name or class is CLASS (any
//                      case)
//   (the largest such window when there are several)
//   X,Y=RRGGBB         the pixel at (X, Y) has that colour
//   X,Y,W,H=RRGGBB:F   at least the fraction F of a grid of samples in the
//                      rectangle has that colour
//   X,Y,W,H=nonblack:F at least the fraction F of the samples is not black
//   window=RRGGBB:F    as the rectangle form, over the whole window
//   window=nonblack:F
//
// Exit status 0 when every goal was met, 1 on timeout ("-" is printed for
// a goal not met, and the best fraction its weakest check reached goes to
// standard error), 2 on bad arguments.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// About this many samples at most per rectangle: enough to tell a page
// from a blank window, few enough to keep the poll cheap on a busy machine.
constexpr int kMaxSamples = 2000;

int64_t NowNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

struct Rgb {
    int r = 0, g = 0, b = 0;
};

struct Check {
    bool whole_window = false;
    bool is_point = false;
    bool non_black = false;
    int x = 0, y = 0, w = 1, h = 1;
    Rgb colour;
    double fraction = 1.0;
};

struct Goal {
    std::string name;        // window title to find, or ""
    std::string class_name;  // WM_CLASS to find, or ""
    std::vector<Check> checks;
    bool met = false;
    double met_ms = 0;
    int win_x = 0, win_y = 0, win_w = 0, win_h = 0;
    double best = 0;  // the lowest fraction among its checks, at its best poll
};

// Set by the error handler: windows come and go while they are looked at,
// and the shared-memory attach is checked through it.
bool g_error = false;

int NoteError(Display*, XErrorEvent*) {
    g_error = true;
    return 0;
}

bool ParseColour(const std::string& text, Rgb* out) {
    std::string hex = text;
    if (!hex.empty() && hex[0] == '#') hex.erase(0, 1);
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return false;
    }
    const unsigned long v = strtoul(hex.c_str(), nullptr, 16);
    out->r = static_cast<int>((v >> 16) & 0xFF);
    out->g = static_cast<int>((v >> 8) & 0xFF);
    out->b = static_cast<int>(v & 0xFF);
    return true;
}

// "X,Y=RRGGBB", "X,Y,W,H=RRGGBB:F", "X,Y,W,H=nonblack:F", "window=...:F".
bool ParseCheck(const std::string& text, Check* c) {
    const size_t eq = text.find('=');
    if (eq == std::string::npos) return false;
    const std::string where = text.substr(0, eq);
    std::string what = text.substr(eq + 1);
    if (where == "window") {
        c->whole_window = true;
    } else {
        int v[4] = {0, 0, 1, 1};
        int n = 0;
        size_t pos = 0;
        bool whole = false;  // every number read, none left over
        while (n < 4) {
            const size_t comma = where.find(',', pos);
            const std::string part = where.substr(pos, comma == std::string::npos ? std::string::npos
                                                                                 : comma - pos);
            if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos) {
                return false;
            }
            v[n++] = atoi(part.c_str());
            if (comma == std::string::npos) {
                whole = true;
                break;
            }
            pos = comma + 1;
        }
        if (!whole || (n != 2 && n != 4)) return false;
        c->is_point = n == 2;
        c->x = v[0];
        c->y = v[1];
        c->w = v[2];
        c->h = v[3];
        if (c->w <= 0 || c->h <= 0) return false;
    }
    const size_t colon = what.find(':');
    if (colon != std::string::npos) {
        c->fraction = atof(what.c_str() + colon + 1);
        what.erase(colon);
        if (c->fraction <= 0 || c->fraction > 1) return false;
    } else if (!c->is_point) {
        return false;  // an area needs its fraction
    }
    if (what == "nonblack") {
        c->non_black = true;
        return true;
    }
    return ParseColour(what, &c->colour);
}

std::string Utf8Property(Display* d, Window w, const char* property) {
    const Atom name = XInternAtom(d, property, False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(d, w, name, 0, 1024, False, utf8, &type, &format, &n, &after, &data) ==
            Success &&
        data != nullptr) {
        text.assign(reinterpret_cast<char*>(data), n);
        XFree(data);
    }
    return text;
}

std::string TitleOf(Display* d, Window w) {
    std::string title = Utf8Property(d, w, "_NET_WM_NAME");
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(d, w, &name) && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

bool SameNoCase(const char* a, const std::string& b) {
    if (a == nullptr || strlen(a) != b.size()) return false;
    for (size_t i = 0; i < b.size(); ++i) {
        if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool ClassMatches(Display* d, Window w, const std::string& wanted) {
    XClassHint hint{};
    if (!XGetClassHint(d, w, &hint)) return false;
    const bool match = SameNoCase(hint.res_name, wanted) || SameNoCase(hint.res_class, wanted);
    if (hint.res_name) XFree(hint.res_name);
    if (hint.res_class) XFree(hint.res_class);
    return match;
}

struct Found {
    Window window = 0;
    int x = 0, y = 0, w = 0, h = 0;
};

// Looks through the viewable windows below the root, to a depth that
// also reaches clients inside a window manager's frames.
void Search(Display* d, Window root, Window parent, int depth, const Goal& goal, Found* best) {
    Window r = 0, p = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, parent, &r, &p, &children, &count)) return;
    for (unsigned int i = 0; i < count; ++i) {
        const Window w = children[i];
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) continue;
        const bool match = !goal.name.empty() ? TitleOf(d, w) == goal.name
                                              : ClassMatches(d, w, goal.class_name);
        if (match && a.width * a.height > best->w * best->h) {
            int x = 0, y = 0;
            Window child = 0;
            XTranslateCoordinates(d, w, root, 0, 0, &x, &y, &child);
            *best = {w, x, y, a.width, a.height};
        }
        if (depth > 0) Search(d, root, w, depth - 1, goal, best);
    }
    if (children != nullptr) XFree(children);
}

// The root's pixels of one rectangle, read in one request. Through MIT-SHM
// the server writes them straight into a segment the size of the screen,
// attached once; each grab only describes its rectangle with a new image
// header over the same memory, so polling costs no copy over the socket
// and no segment set-up.
class Grabber {
public:
    Grabber(Display* d, int screen_w, int screen_h) : d_(d) {
        int major = 0, minor = 0;
        Bool pixmaps = False;
        if (XShmQueryVersion(d, &major, &minor, &pixmaps) == True) {
            use_shm_ = Attach(screen_w, screen_h);
        }
        // Otherwise (a server on another machine cannot see our memory)
        // every grab is a plain XGetImage.
    }
    ~Grabber() {
        DropImage();
        if (use_shm_) {
            XShmDetach(d_, &shm_);
            XSync(d_, False);
            shmdt(shm_.shmaddr);
        }
    }
    Grabber(const Grabber&) = delete;
    Grabber& operator=(const Grabber&) = delete;

    // Reads (x, y, w, h) of the root; false when it could not be read.
    bool Grab(int x, int y, int w, int h) {
        DropImage();
        x0_ = x;
        y0_ = y;
        if (use_shm_) {
            const int screen = DefaultScreen(d_);
            image_ = XShmCreateImage(d_, DefaultVisual(d_, screen), DefaultDepth(d_, screen),
                                     ZPixmap, shm_.shmaddr, &shm_, static_cast<unsigned>(w),
                                     static_cast<unsigned>(h));
            if (image_ == nullptr) return false;
            return XShmGetImage(d_, DefaultRootWindow(d_), image_, x, y, AllPlanes) == True;
        }
        image_ = XGetImage(d_, DefaultRootWindow(d_), x, y, static_cast<unsigned>(w),
                           static_cast<unsigned>(h), AllPlanes, ZPixmap);
        return image_ != nullptr;
    }

    // The colour at root coordinates inside the last grabbed rectangle.
    Rgb At(int x, int y) const {
        const unsigned long p = XGetPixel(image_, x - x0_, y - y0_);
        return {Channel(p, image_->red_mask), Channel(p, image_->green_mask),
                Channel(p, image_->blue_mask)};
    }

private:
    static int Channel(unsigned long pixel, unsigned long mask) {
        if (mask == 0) return 0;
        int shift = 0;
        while (((mask >> shift) & 1) == 0) ++shift;
        const unsigned long max = mask >> shift;
        return static_cast<int>(((pixel & mask) >> shift) * 255 / max);
    }

    bool Attach(int w, int h) {
        const int screen = DefaultScreen(d_);
        XImage* probe = XShmCreateImage(d_, DefaultVisual(d_, screen), DefaultDepth(d_, screen),
                                        ZPixmap, nullptr, &shm_, static_cast<unsigned>(w),
                                        static_cast<unsigned>(h));
        if (probe == nullptr) return false;
        const size_t bytes = static_cast<size_t>(probe->bytes_per_line) * h;
        XDestroyImage(probe);
        shm_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (shm_.shmid < 0) return false;
        shm_.shmaddr = static_cast<char*>(shmat(shm_.shmid, nullptr, 0));
        shm_.readOnly = False;
        const bool attached = shm_.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(d_, &shm_);
        // The server's attach fails asynchronously: wait for its answer.
        XSync(d_, False);
        // Marked for removal now: it goes once both sides have detached,
        // however this program ends.
        shmctl(shm_.shmid, IPC_RMID, nullptr);
        if (!attached || !ServerSeesSegment()) {
            if (shm_.shmaddr != reinterpret_cast<char*>(-1)) shmdt(shm_.shmaddr);
            return false;
        }
        return true;
    }

    // One 1 x 1 read through the segment, to learn whether the attach
    // worked (a failed one only shows as an error on a later request).
    bool ServerSeesSegment() {
        const int screen = DefaultScreen(d_);
        XImage* test = XShmCreateImage(d_, DefaultVisual(d_, screen), DefaultDepth(d_, screen),
                                       ZPixmap, shm_.shmaddr, &shm_, 1, 1);
        if (test == nullptr) return false;
        g_error = false;
        const bool ok = XShmGetImage(d_, DefaultRootWindow(d_), test, 0, 0, AllPlanes) == True;
        XSync(d_, False);
        XDestroyImage(test);  // the XImage only: its data is the segment
        return ok && !g_error;
    }

    void DropImage() {
        if (image_ == nullptr) return;
        // A shared-memory image's destructor frees the header alone; a
        // plain one's frees its pixels too.
        XDestroyImage(image_);
        image_ = nullptr;
    }

    Display* d_;
    bool use_shm_ = false;
    XShmSegmentInfo shm_{};
    XImage* image_ = nullptr;
    int x0_ = 0, y0_ = 0;
};

bool Close(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

bool Matches(const Check& c, const Rgb& seen, int tolerance) {
    if (c.non_black) return seen.r > tolerance || seen.g > tolerance || seen.b > tolerance;
    return Close(seen, c.colour, tolerance);
}

struct Box {
    int x, y, w, h;
};

// The check's rectangle in root coordinates, cut to the screen.
Box CheckBox(const Check& c, const Goal& g, int screen_w, int screen_h) {
    Box b = c.whole_window ? Box{g.win_x, g.win_y, g.win_w, g.win_h}
                           : Box{g.win_x + c.x, g.win_y + c.y, c.w, c.h};
    const int x1 = std::min(b.x + b.w, screen_w);
    const int y1 = std::min(b.y + b.h, screen_h);
    b.x = std::max(b.x, 0);
    b.y = std::max(b.y, 0);
    b.w = std::max(x1 - b.x, 0);
    b.h = std::max(y1 - b.y, 0);
    return b;
}

// The lowest fraction of matching samples among the goal's checks, read
// in one grab of their joint bounding box; -1 when nothing could be read.
double Evaluate(const Goal& g, Grabber& grabber, int screen_w, int screen_h, int tolerance) {
    std::vector<Box> boxes;
    int x0 = screen_w, y0 = screen_h, x1 = 0, y1 = 0;
    for (const Check& c : g.checks) {
        const Box b = CheckBox(c, g, screen_w, screen_h);
        if (b.w == 0 || b.h == 0) return 0;  // off screen: not shown
        boxes.push_back(b);
        x0 = std::min(x0, b.x);
        y0 = std::min(y0, b.y);
        x1 = std::max(x1, b.x + b.w);
        y1 = std::max(y1, b.y + b.h);
    }
    if (!grabber.Grab(x0, y0, x1 - x0, y1 - y0)) return -1;
    double lowest = 1.0;
    for (size_t i = 0; i < g.checks.size(); ++i) {
        const Check& c = g.checks[i];
        const Box& b = boxes[i];
        const int step = std::max(1, static_cast<int>(std::ceil(std::sqrt(
                                         static_cast<double>(b.w) * b.h / kMaxSamples))));
        // A point is a 1 x 1 rectangle: one sample.
        int samples = 0, hits = 0;
        for (int y = b.y + step / 2; y < b.y + b.h; y += step) {
            for (int x = b.x + step / 2; x < b.x + b.w; x += step) {
                ++samples;
                if (Matches(c, grabber.At(x, y), tolerance)) ++hits;
            }
        }
        const double fraction = samples > 0 ? static_cast<double>(hits) / samples : 0;
        // A fraction met counts as complete, so that the lowest shows the
        // check that is still missing.
        lowest = std::min(lowest, fraction >= c.fraction ? 1.0 : fraction);
    }
    return lowest;
}

bool ReadSinceFile(const std::string& path, int64_t* since, int64_t give_up_ns) {
    while (NowNs() < give_up_ns) {
        if (FILE* f = fopen(path.c_str(), "r")) {
            long long v = 0;
            const int n = fscanf(f, "%lld", &v);
            fclose(f);
            if (n == 1 && v > 0) {
                *since = v;
                return true;
            }
        }
        usleep(500);
    }
    return false;
}

int Usage() {
    fprintf(stderr,
            "usage: wait-for-pixels [--since NS | --since-file FILE] [--timeout MS] "
            "[--interval MS] [--tolerance N] [--geometry] GOAL [--then GOAL]...\n"
            "  GOAL: [--name TITLE | --class CLASS] CHECK...\n"
            "  CHECK: X,Y=RRGGBB | X,Y,W,H=RRGGBB:F | X,Y,W,H=nonblack:F | window=RRGGBB:F\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int64_t since = 0;
    std::string since_file;
    double timeout_ms = 30000;
    double interval_ms = 2;
    int tolerance = 8;
    bool geometry = false;
    std::vector<Goal> goals(1);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--since" && has_value) {
            since = strtoll(argv[++i], nullptr, 10);
        } else if (arg == "--since-file" && has_value) {
            since_file = argv[++i];
        } else if (arg == "--timeout" && has_value) {
            timeout_ms = atof(argv[++i]);
        } else if (arg == "--interval" && has_value) {
            interval_ms = atof(argv[++i]);
        } else if (arg == "--tolerance" && has_value) {
            tolerance = atoi(argv[++i]);
        } else if (arg == "--geometry") {
            geometry = true;
        } else if (arg == "--name" && has_value) {
            goals.back().name = argv[++i];
        } else if (arg == "--class" && has_value) {
            goals.back().class_name = argv[++i];
        } else if (arg == "--then") {
            goals.emplace_back();
        } else {
            Check c;
            if (!ParseCheck(arg, &c)) {
                fprintf(stderr, "wait-for-pixels: cannot read \"%s\"\n", arg.c_str());
                return Usage();
            }
            goals.back().checks.push_back(c);
        }
    }
    for (const Goal& g : goals) {
        if (g.checks.empty()) return Usage();
        for (const Check& c : g.checks) {
            if (c.whole_window && g.name.empty() && g.class_name.empty()) return Usage();
        }
    }

    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        fprintf(stderr, "wait-for-pixels: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(NoteError);
    const int screen_w = DisplayWidth(d, DefaultScreen(d));
    const int screen_h = DisplayHeight(d, DefaultScreen(d));
    const Window root = DefaultRootWindow(d);

    if (since == 0 && !since_file.empty()) {
        if (!ReadSinceFile(since_file, &since, NowNs() + static_cast<int64_t>(timeout_ms * 1e6))) {
            fprintf(stderr, "wait-for-pixels: no timestamp in %s\n", since_file.c_str());
            return 1;
        }
    }
    if (since == 0) since = NowNs();
    const int64_t deadline = since + static_cast<int64_t>(timeout_ms * 1e6);
    const int64_t interval = static_cast<int64_t>(interval_ms * 1e6);

    // The grabber lets go of its shared memory while the display is open.
    auto grabber = std::make_unique<Grabber>(d, screen_w, screen_h);
    size_t open_goals = goals.size();
    int64_t next = NowNs();
    while (open_goals > 0 && NowNs() < deadline) {
        for (Goal& g : goals) {
            if (g.met) continue;
            if (!g.name.empty() || !g.class_name.empty()) {
                Found found;
                Search(d, root, root, 2, g, &found);
                if (found.window == 0) continue;
                g.win_x = found.x;
                g.win_y = found.y;
                g.win_w = found.w;
                g.win_h = found.h;
            }
            // The pixels are read right after this instant: it is when the
            // goal was seen, however long the other goals of the poll take.
            const int64_t seen = NowNs();
            const double fraction = Evaluate(g, *grabber, screen_w, screen_h, tolerance);
            g.best = std::max(g.best, fraction);
            if (fraction >= 1.0) {
                g.met = true;
                g.met_ms = (seen - since) / 1e6;
                --open_goals;
            }
        }
        next += interval;
        const int64_t now = NowNs();
        if (next > now) {
            usleep(static_cast<useconds_t>((next - now) / 1000));
        } else {
            next = now;  // a slow poll does not make the next ones rush
        }
    }
    grabber.reset();
    XCloseDisplay(d);

    bool all = true;
    for (size_t i = 0; i < goals.size(); ++i) {
        const Goal& g = goals[i];
        if (!g.met) {
            all = false;
            fprintf(stderr, "wait-for-pixels: goal %zu not met in %.0f ms (best %.2f of its checks)\n",
                    i + 1, timeout_ms, g.best);
            printf("-\n");
            continue;
        }
        if (geometry) {
            printf("%.1f %d %d %d %d\n", g.met_ms, g.win_x, g.win_y, g.win_w, g.win_h);
        } else {
            printf("%.1f\n", g.met_ms);
        }
    }
    return all ? 0 : 1;
}
