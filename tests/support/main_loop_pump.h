// Runs the GLib main loop of a test process while it waits, so that its
// own windows answer (a frame's messages, a web view's loads).
#pragma once

#include <glib.h>

#include <chrono>
#include <functional>

namespace vostra::test {

// Until `done` holds or timeout_ms pass; whether it held.
inline bool Pump(const std::function<bool()>& done, int timeout_ms = 20000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        g_usleep(2000);
    }
    return true;
}

}  // namespace vostra::test
