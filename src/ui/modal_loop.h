// A modal run: a nested main loop that a window's EndDialog quits. The
// window is destroyed by its owner after Run returns, never inside one of
// the loop's handlers.
#pragma once

#include <glib.h>

namespace vostra::ui {

class CModalLoop {
public:
    CModalLoop() = default;
    CModalLoop(const CModalLoop&) = delete;
    CModalLoop& operator=(const CModalLoop&) = delete;

    // Runs until Quit; events of every window go on being handled.
    void Run() {
        m_pLoop = g_main_loop_new(nullptr, FALSE);
        g_main_loop_run(m_pLoop);
        g_main_loop_unref(m_pLoop);
        m_pLoop = nullptr;
    }
    // Ends a running Run once control is back in the loop; nothing when
    // none runs.
    void Quit() {
        if (m_pLoop != nullptr) g_main_loop_quit(m_pLoop);
    }
    bool Running() const { return m_pLoop != nullptr; }

private:
    GMainLoop* m_pLoop = nullptr;
};

}  // namespace vostra::ui
