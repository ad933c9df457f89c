// The UI harness as a child process with pipes to its standard input and
// output, and the X helpers the window tests share: screenshots of the
// root window, pointer and keyboard through xdotool, a window manager's
// close request.
#pragma once

#include <sys/types.h>

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vostra::test {

class HarnessProcess {
public:
    explicit HarnessProcess(const std::vector<std::string>& args);
    ~HarnessProcess();
    HarnessProcess(const HarnessProcess&) = delete;
    HarnessProcess& operator=(const HarnessProcess&) = delete;

    // The next line that starts with `prefix`, waiting up to `timeout_ms`;
    // "" on time-out or end of output. Lines skipped are kept in Seen().
    std::string WaitLine(const std::string& prefix, int timeout_ms = 8000);
    const std::vector<std::string>& Seen() const { return m_seen; }
    void Send(const std::string& line);
    // Waits for the process to end; its exit status or -1 on time-out.
    int Wait(int timeout_ms = 8000);

private:
    bool ReadLine(std::string* line, int timeout_ms);

    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_buffer;
    std::vector<std::string> m_seen;
};

struct Shown {
    unsigned long xid = 0;
    int x = 0, y = 0, width = 0, height = 0;
};
// Parses "shown XID X Y W H"; false when the line is not one.
bool ParseShown(const std::string& line, Shown* shown);

// A screenshot of the whole screen (import -window root), kept also as a
// file named `name` in the test's artefact folder for a human to look at.
class Screenshot {
public:
    explicit Screenshot(const std::string& name);
    ~Screenshot();
    bool Ok() const { return m_surface != nullptr; }
    uint32_t Pixel(int x, int y) const;  // 0xRRGGBB

private:
    cairo_surface_t* m_surface = nullptr;
};

// Folder for screenshots: $VOSTRA_UI_SHOTS or the build's ui-shots.
std::string ShotFolder();

void Xdo(const std::string& args);  // runs xdotool with these arguments
void Sleep(int ms);
// Asks the window to close as a window manager does (WM_DELETE_WINDOW).
void RequestClose(unsigned long xid);
// The window's top-left corner on the screen.
bool WindowOrigin(unsigned long xid, int* x, int* y);

// A mapped client window whose title (_NET_WM_NAME, UTF-8, as GTK writes
// it whatever the locale) is exactly `title`, waiting up to timeout_ms;
// 0 when none showed. Unlike xdotool's --name, which reads WM_NAME, it
// does not depend on the locale of the program that made the window.
unsigned long FindWindowByTitle(const std::string& title, int timeout_ms = 20000);

// The window's title (_NET_WM_NAME), "" when it has none.
std::string WindowTitle(unsigned long xid);

// A mapped window whose text property `property` (WM_WINDOW_ROLE, WM_NAME,
// ...) is exactly `value`, waiting up to timeout_ms; 0 when none showed.
unsigned long FindWindowByProperty(const std::string& property, const std::string& value,
                                   int timeout_ms = 20000);

// Whether the window exists and is mapped (with all its ancestors).
bool WindowViewable(unsigned long xid);
// The window's rectangle on the screen; false when it does not exist.
bool WindowRect(unsigned long xid, int* x, int* y, int* width, int* height);

// Largest per-channel difference of two 0xRRGGBB colours.
int ColourDistance(uint32_t a, uint32_t b);

}  // namespace vostra::test
