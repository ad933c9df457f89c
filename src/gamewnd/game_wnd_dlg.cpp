#include "gamewnd/game_wnd_dlg.h"

#include <gdk/gdkx.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "ui/dialog_base.h"

namespace vostra {
namespace {

constexpr auto kWatchdogPeriod = std::chrono::milliseconds(1000);

Display* GdkXDisplay() { return GDK_DISPLAY_XDISPLAY(gdk_display_get_default()); }

// The frame, and with it this window, can vanish at any moment (the
// launcher ended, crashed or was killed): a request that reaches the X
// server after that fails with BadWindow or BadDrawable. Those end nothing;
// every other error goes to the toolkit's own handler as before.
XErrorHandler g_toolkitErrorHandler = nullptr;

int IgnoreVanishedWindows(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
    return g_toolkitErrorHandler != nullptr ? g_toolkitErrorHandler(display, error) : 0;
}

gboolean CloseFromWatchdog(gpointer self) {
    static_cast<CGameWndDlg*>(self)->OnMessage({WM_CLOSE_MESSAGE, 0, 0});
    return G_SOURCE_REMOVE;
}

}  // namespace

CGameWndDlg::CGameWndDlg(Window frame, std::string game_url)
    : m_hFrameWnd(frame), m_strGameUrl(std::move(game_url)) {}

CGameWndDlg::~CGameWndDlg() {
    m_signals.DisconnectAll();
    m_receiver.Remove();
    m_pView.reset();
    if (m_pWindow != nullptr) gtk_widget_destroy(m_pWindow);
}

int CGameWndDlg::Run() {
    if (!ui::InitUiToolkit()) {
        fprintf(stderr, "vostra-launcher: cannot show the game window: no display\n");
        return 1;
    }
    g_toolkitErrorHandler = XSetErrorHandler(IgnoreVanishedWindows);
    OnInitDialog();
    m_loop.Run();
    return 0;
}

bool CGameWndDlg::FrameClientSize(int* width, int* height) const {
    GdkDisplay* display = gdk_display_get_default();
    XWindowAttributes attributes;
    gdk_x11_display_error_trap_push(display);
    const Status ok = XGetWindowAttributes(GdkXDisplay(), m_hFrameWnd, &attributes);
    const bool clean = gdk_x11_display_error_trap_pop(display) == 0;
    if (!clean || ok == 0) return false;
    *width = attributes.width;
    *height = attributes.height;
    return true;
}

void CGameWndDlg::OnInitDialog() {
    // A popup window is left alone by the window manager: it is reparented
    // into the frame before it is first shown, as a toplevel would be taken
    // over by the window manager and end up unmapped.
    m_pWindow = gtk_window_new(GTK_WINDOW_POPUP);
    gtk_window_set_title(GTK_WINDOW(m_pWindow), "Vostra");
    m_signals.Connect(m_pWindow, "destroy", G_CALLBACK(&CGameWndDlg::OnWindowDestroyed), this);
    if (m_hFrameWnd != 0) {
        m_pView = std::make_unique<CMyHtmlView>();
        if (!m_pView->Create(GTK_CONTAINER(m_pWindow))) m_pView.reset();
        if (m_pView) {
            m_pView->on_pointer = [this](guint32 time) { TakeFocus(time); };
            m_pView->Navigate2(m_strGameUrl);
        }
        int width = 0, height = 0;
        const bool frame_there = FrameClientSize(&width, &height);
        const int h = height > kTitleStripHeight ? height - kTitleStripHeight : 1;
        gtk_window_set_default_size(GTK_WINDOW(m_pWindow), width > 0 ? width : 1, h);
        gtk_widget_realize(m_pWindow);
        GdkWindow* own = gtk_widget_get_window(m_pWindow);
        if (frame_there) {
            GdkDisplay* display = gdk_display_get_default();
            gdk_x11_display_error_trap_push(display);
            GdkWindow* frame = gdk_x11_window_foreign_new_for_display(display, m_hFrameWnd);
            if (frame != nullptr) gdk_window_reparent(own, frame, 0, kTitleStripHeight);
            gdk_x11_display_error_trap_pop_ignored(display);
        }
        m_receiver.Install(own, [this](const WindowMessage& msg) { return OnMessage(msg); });
        gtk_window_move(GTK_WINDOW(m_pWindow), 0, kTitleStripHeight);
        gtk_window_resize(GTK_WINDOW(m_pWindow), width > 0 ? width : 1, h);
        gtk_widget_show_all(m_pWindow);
        if (m_pView) gtk_widget_grab_focus(m_pView->Widget());
        const Window xid = GDK_WINDOW_XID(own);
        SendWindowMessage(m_hFrameWnd, {WM_GAMEWND_READY, static_cast<long>(xid), 0});
    }
    StartFrameWatchdog();
}

long CGameWndDlg::OnMessage(const WindowMessage& msg) {
    switch (msg.message) {
        case WM_GAMEWND_REFRESH:
            if (m_pView) m_pView->Refresh();
            return 0;
        case WM_GAMEWND_FIT:
            Fit(msg.wparam != 0);
            return 0;
        case WM_CLOSE_MESSAGE:
            OnClose();
            return 0;
        default:
            return 0;
    }
}

void CGameWndDlg::Fit(bool full) {
    if (m_hFrameWnd == 0 || m_pWindow == nullptr) return;
    int width = 0, height = 0;
    if (!FrameClientSize(&width, &height)) return;
    const int top = full ? 0 : kTitleStripHeight;
    const int h = height - top > 0 ? height - top : 1;
    gtk_window_move(GTK_WINDOW(m_pWindow), 0, top);
    gtk_window_resize(GTK_WINDOW(m_pWindow), width > 0 ? width : 1, h);
    // Hidden by us or unmapped by anyone else: either way it shows again
    // (mapping a mapped window changes nothing).
    if (!gtk_widget_get_visible(m_pWindow)) gtk_widget_show(m_pWindow);
    GdkWindow* own = gtk_widget_get_window(m_pWindow);
    if (own != nullptr) gdk_window_show_unraised(own);
}

void CGameWndDlg::OnWindowDestroyed(GtkWidget*, gpointer self) {
    // The X server destroyed the window with its parent, the frame: the
    // launcher is gone. Nothing more may touch the window; the run ends.
    auto* dlg = static_cast<CGameWndDlg*>(self);
    dlg->m_pWindow = nullptr;
    dlg->m_receiver.Remove();
    dlg->OnClose();
}

void CGameWndDlg::OnClose() {
    m_pView.reset();
    m_loop.Quit();
}

void CGameWndDlg::TakeFocus(guint32 time) {
    // The frame's process does not hand us the keyboard: the window takes
    // it itself, on press and on release (a window manager may take it
    // back between the two).
    GdkWindow* own = m_pWindow != nullptr ? gtk_widget_get_window(m_pWindow) : nullptr;
    if (own == nullptr) return;
    GdkDisplay* display = gdk_display_get_default();
    gdk_x11_display_error_trap_push(display);
    XSetInputFocus(GdkXDisplay(), GDK_WINDOW_XID(own), RevertToParent, time);
    gdk_x11_display_error_trap_pop_ignored(display);
}

void CGameWndDlg::StartFrameWatchdog() {
    const Window frame = m_hFrameWnd;
    std::thread([frame, self = this] {
        Display* display = XOpenDisplay(nullptr);
        while (display != nullptr && IsWindow(display, frame)) std::this_thread::sleep_for(kWatchdogPeriod);
        if (display != nullptr) XCloseDisplay(display);
        // The close as the frame would ask for it, on the UI thread; if the
        // UI thread cannot take it, the process ends anyway a second later.
        g_idle_add(CloseFromWatchdog, self);
        std::this_thread::sleep_for(kWatchdogPeriod);
        fflush(nullptr);
        _exit(0);
    }).detach();
}

}  // namespace vostra
