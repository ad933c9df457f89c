// CGameWndDlg: the game window, the second process of the launcher. It
// shows the game page (CMyHtmlView) in a borderless window that it places
// inside the launcher's frame, below the frame's 30-pixel title strip, and
// makes a child of the frame's X window across the process boundary.
//
// Messages from the frame (X ClientMessages, see platform/window_messages.h):
//   WM_GAMEWND_REFRESH        reload the page (nothing before the view exists)
//   WM_GAMEWND_FIT(full)      cover the frame's whole client area (1) or all
//                             but its top 30 pixels (0); shows a hidden window
//   WM_CLOSE                  destroy the view and end the process (code 0)
// To the frame, once placed: WM_GAMEWND_READY with this window's X id.
//
// A watchdog thread checks every second that the frame still exists; once
// it is gone (the launcher exited, crashed or was killed) the window closes
// and the process ends within about two seconds.
#pragma once

#include <X11/Xlib.h>
#include <gtk/gtk.h>

#include <memory>
#include <string>

#include "gamewnd/my_html_view.h"
#include "platform/window_messages.h"
#include "ui/modal_loop.h"
#include "ui/signal_group.h"

namespace vostra {

// The height of the frame's title strip, which the game window leaves free
// except in full screen.
inline constexpr int kTitleStripHeight = 30;

class CGameWndDlg {
public:
    CGameWndDlg(Window frame, std::string game_url);
    ~CGameWndDlg();
    CGameWndDlg(const CGameWndDlg&) = delete;
    CGameWndDlg& operator=(const CGameWndDlg&) = delete;

    // Runs the window until WM_CLOSE: 0 then; 1 when there is no display.
    int Run();

    long OnMessage(const WindowMessage& msg);

private:
    void OnInitDialog();
    bool FrameClientSize(int* width, int* height) const;
    void Fit(bool full);
    void OnClose();
    void TakeFocus(guint32 time);
    void StartFrameWatchdog();
    static void OnWindowDestroyed(GtkWidget* widget, gpointer self);

    std::unique_ptr<CMyHtmlView> m_pView;
    Window m_hFrameWnd;
    std::string m_strGameUrl;

    GtkWidget* m_pWindow = nullptr;
    ui::CModalLoop m_loop;
    CWindowMessageReceiver m_receiver;
    ui::CSignalGroup m_signals;
};

}  // namespace vostra
