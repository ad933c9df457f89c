#include "launcher/lander_kx_dlg.h"

#include <gdk/gdkx.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "app/resource_strings.h"
#include "login/game_window_line.h"
#include "login/lander_login.h"
#include "platform/known_folders.h"
#include "platform/process_spawn.h"
#include "platform/web_engine.h"
#include "ui/buffered_paint.h"
#include "ui/custom_message_box.h"
#include "ui/dialog_base.h"
#include "ui/drawing.h"

namespace vostra {
namespace {

constexpr guint kRefitDelayMs = 10;
constexpr useconds_t kAfterCloseSleepUs = 50 * 1000;

size_t IndexOf(int id) {
    for (size_t i = 0; i < kTitleButtons.size(); ++i) {
        if (kTitleButtons[i].id == id) return i;
    }
    return 0;
}

ui::Rect ToRect(const StripRect& r) { return {r.x, r.y, r.width, r.height}; }

// The whole rectangle of the monitor that shows most of the window.
ui::Rect MonitorRect(GtkWidget* window) {
    GdkDisplay* display = gdk_display_get_default();
    GdkWindow* own = gtk_widget_get_window(window);
    GdkMonitor* monitor = own != nullptr ? gdk_display_get_monitor_at_window(display, own) : nullptr;
    if (monitor == nullptr) monitor = gdk_display_get_primary_monitor(display);
    if (monitor == nullptr) monitor = gdk_display_get_monitor(display, 0);
    if (monitor == nullptr) return {};
    GdkRectangle r;
    gdk_monitor_get_geometry(monitor, &r);
    return {r.x, r.y, r.width, r.height};
}

}  // namespace

CLander_KxDlg::CLander_KxDlg() = default;

CLander_KxDlg::~CLander_KxDlg() {
    m_pCleaning.reset();  // stops a running walk, waits for its worker
    m_pHotKeys.reset();
    m_tray.Remove();
    m_refitTimer.Stop();
    m_receiver.Remove();
    m_pOverlay.reset();
    for (auto& b : m_buttons) b.DestroyWindow();
    m_signals.DisconnectAll();
    if (m_pWindow != nullptr) gtk_widget_destroy(m_pWindow);
}

int CLander_KxDlg::DoModal() {
    if (!ui::InitUiToolkit()) {
        fprintf(stderr, "vostra-launcher: cannot show the login window: no display\n");
        return -1;
    }
    if (!OnInitDialog()) return -1;
    m_loop.Run();
    return 0;
}

void CLander_KxDlg::EndDialog(int) { m_loop.Quit(); }

bool CLander_KxDlg::OnInitDialog() {
    m_bMinimizedByButton = 0;
    {
        // The login first; its window, its web view and the view's engine
        // process are gone before the frame shows.
        CLanderLogin login;
        if (login.DoModal() < 0) return false;
        m_strGameUrl = login.GetPlayUrl();
    }
    // No page is left in this process: its web engine's network process
    // may go too. The cache cleaning makes a context of its own.
    ReleaseSharedWebContext();
    CreateFrameWindow();
    AddTrayIcon();
    CreateButtons();
    m_pStripLeft = ui::LoadPngImage(kStripLeftPng);
    m_pStripTile = ui::LoadPngImage(kStripTilePng);
    m_pStripRight = ui::LoadPngImage(kStripRightPng);

    const ui::Rect centred = ui::CentredIn(ui::WorkArea(nullptr), kFrameWidth, kFrameHeight);
    gtk_window_move(GTK_WINDOW(m_pWindow), centred.x, centred.y);
    gtk_widget_show_all(m_pWindow);
    m_receiver.Install(gtk_widget_get_window(m_pWindow),
                       [this](const WindowMessage& msg) { return OnWindowMessage(msg); });
    if (HasWindowManager()) gtk_window_maximize(GTK_WINDOW(m_pWindow));
    m_bMaximized = true;
    FitToWorkArea();
    LayoutTitleButtons();
    ShowMaximizeButton(false);
    InvalidateStrip();

    m_pOverlay = std::make_unique<ui::CMenbanDlg>();
    m_pOverlay->Create(GTK_WINDOW(m_pWindow));
    m_pHotKeys = CreateGlobalHotKeys([this](int id) { OnHotKey(id); });
    m_hotKeys = RegisterHotKeys(*m_pHotKeys);
    m_signals.Connect(m_pWindow, "notify::is-active", G_CALLBACK(&CLander_KxDlg::OnActiveChanged), this);
    HoldActiveOnlyHotKeys(*m_pHotKeys, m_hotKeys, IsTopParentActive());
    SpawnGameWindow();
    return true;
}

void CLander_KxDlg::CreateFrameWindow() {
    // Maximised and restored: its size is not fixed, and its buttons must
    // not hold it at the width they were laid out for.
    m_pWindow = ui::CreateResizableBorderlessWindow(kFrameWidth, kFrameHeight, &m_pFixed);
    gtk_window_set_title(GTK_WINDOW(m_pWindow), LoadResString(IDS_PRODUCT_TITLE).c_str());
    m_signals.Connect(m_pWindow, "draw", G_CALLBACK(&CLander_KxDlg::OnDraw), this);
    m_signals.Connect(m_pWindow, "button-press-event", G_CALLBACK(&CLander_KxDlg::OnButtonPress), this);
    gtk_widget_add_events(m_pWindow, GDK_BUTTON1_MOTION_MASK);
    m_signals.Connect(m_pWindow, "motion-notify-event", G_CALLBACK(&CLander_KxDlg::OnMotion), this);
    m_signals.Connect(m_pWindow, "key-press-event", G_CALLBACK(&CLander_KxDlg::OnKeyPress), this);
    m_signals.Connect(m_pWindow, "delete-event", G_CALLBACK(&CLander_KxDlg::OnDelete), this);
    m_signals.Connect(m_pWindow, "configure-event", G_CALLBACK(&CLander_KxDlg::OnConfigure), this);
    m_signals.Connect(m_pWindow, "window-state-event", G_CALLBACK(&CLander_KxDlg::OnWindowState), this);
}

void CLander_KxDlg::CreateButtons() {
    for (size_t i = 0; i < kTitleButtons.size(); ++i) {
        const TitleButton& button = kTitleButtons[i];
        m_buttons[i].Create(this, GTK_FIXED(m_pFixed), button.id, ToRect(TitleButtonRect(button, m_nWidth)));
        m_buttons[i].SetImages(button.normal_png, button.hover_png, button.pressed_png);
        if (!button.tooltip.empty()) m_buttons[i].SetToolTipText(std::string(button.tooltip), true);
    }
}

void CLander_KxDlg::LayoutTitleButtons() {
    for (size_t i = 0; i < kTitleButtons.size(); ++i) {
        GtkWidget* w = m_buttons[i].Widget();
        if (w == nullptr) continue;
        const StripRect r = TitleButtonRect(kTitleButtons[i], m_nWidth);
        gtk_fixed_move(GTK_FIXED(m_pFixed), w, r.x, r.y);
        gtk_widget_set_size_request(w, r.width, r.height);
    }
}

void CLander_KxDlg::ShowTitleButtons(bool show) {
    for (auto& b : m_buttons) {
        if (b.Widget() == nullptr) continue;
        if (show) gtk_widget_show(b.Widget());
        else gtk_widget_hide(b.Widget());
    }
}

void CLander_KxDlg::ShowMaximizeButton(bool maximize_shown) {
    GtkWidget* maximize = m_buttons[IndexOf(IDC_BTN_MAXIMIZE)].Widget();
    GtkWidget* restore = m_buttons[IndexOf(IDC_BTN_RESTORE)].Widget();
    if (maximize != nullptr) gtk_widget_set_visible(maximize, maximize_shown);
    if (restore != nullptr) gtk_widget_set_visible(restore, !maximize_shown);
}

bool CLander_KxDlg::HasWindowManager() const {
    GdkScreen* screen = gdk_screen_get_default();
    return screen != nullptr && GDK_IS_X11_SCREEN(screen) &&
           gdk_x11_screen_supports_net_wm_hint(screen,
                                               gdk_atom_intern_static_string("_NET_WM_STATE_MAXIMIZED_VERT"));
}

bool CLander_KxDlg::IsZoomed() const {
    if (HasWindowManager()) return gtk_window_is_maximized(GTK_WINDOW(m_pWindow)) || m_bMaximized;
    return m_bMaximized;
}

// The buttons sit at the right edge, and the window cannot be made
// narrower than its buttons reach: they move to the new width first.
void CLander_KxDlg::MoveResize(const ui::Rect& r) {
    if (r.width <= 0 || r.height <= 0) return;
    m_nWidth = r.width;
    LayoutTitleButtons();
    gtk_window_move(GTK_WINDOW(m_pWindow), r.x, r.y);
    gtk_window_resize(GTK_WINDOW(m_pWindow), r.width, r.height);
}

// The work area of the frame's monitor, whatever edge its panels sit at.
void CLander_KxDlg::FitToWorkArea() {
    MoveResize(ui::WorkArea(m_pWindow));
    SendToGame(WM_GAMEWND_FIT, 0);
    InvalidateStrip();
}

void CLander_KxDlg::InvalidateStrip() {
    if (m_pWindow != nullptr) gtk_widget_queue_draw_area(m_pWindow, 0, 0, m_nWidth, kStripHeight);
}

void CLander_KxDlg::SendToGame(uint32_t message, long wparam) {
    // A game window that died is a window that never started: X errors
    // are caught inside, and nothing else happens.
    if (m_hGameWnd != 0) SendWindowMessage(m_hGameWnd, {message, wparam, 0});
}

void CLander_KxDlg::CloseGameWindow() {
    if (m_hGameWnd == 0) return;
    SendWindowMessage(m_hGameWnd, {WM_CLOSE_MESSAGE, 0, 0});
    usleep(kAfterCloseSleepUs);
}

void CLander_KxDlg::SpawnGameWindow() {
    const std::string exe = GetModuleFilePath();
    const int64_t frame = static_cast<int64_t>(GDK_WINDOW_XID(gtk_widget_get_window(m_pWindow)));
    std::string url = m_strGameUrl;
    std::thread([exe, frame, url] {
        const GameWindowLine line = ComposeGameWindowLine(exe, frame, url);
        if (line.status != GameLineStatus::kComposed) {
            fprintf(stderr, "vostra-launcher: game window not started (%s)\n",
                    GameLineStatusName(line.status));
            return;
        }
        StartOwnProcess(exe, &line.line);
    }).detach();
}

long CLander_KxDlg::OnWindowMessage(const WindowMessage& msg) {
    if (msg.message == WM_GAMEWND_READY) m_hGameWnd = static_cast<::Window>(msg.wparam);
    return 0;
}

void CLander_KxDlg::Maximize() {
    m_bMinimizedByButton = 0;
    if (HasWindowManager()) gtk_window_maximize(GTK_WINDOW(m_pWindow));
    m_bMaximized = true;
    LayoutTitleButtons();
    ShowMaximizeButton(false);
    FitToWorkArea();
}

void CLander_KxDlg::Restore() {
    m_bMinimizedByButton = 0;
    m_bMaximized = false;
    if (HasWindowManager()) gtk_window_unmaximize(GTK_WINDOW(m_pWindow));
    MoveResize(ui::CentredIn(ui::WorkArea(m_pWindow), kFrameWidth, kFrameHeight));
    SendToGame(WM_GAMEWND_FIT, 0);
    ShowMaximizeButton(true);
    InvalidateStrip();
}

void CLander_KxDlg::Minimize() {
    m_bMinimizedByButton = 1;
    gtk_window_iconify(GTK_WINDOW(m_pWindow));
}

void CLander_KxDlg::EnterFullScreen() {
    m_bMinimizedByButton = 0;
    m_bFullScreen = true;
    if (HasWindowManager()) {
        gtk_window_fullscreen(GTK_WINDOW(m_pWindow));
    } else {
        MoveResize(MonitorRect(m_pWindow));
    }
    SendToGame(WM_GAMEWND_FIT, 1);
    ShowTitleButtons(false);
    gtk_widget_queue_draw(m_pWindow);
}

void CLander_KxDlg::LeaveFullScreen() {
    m_bFullScreen = false;
    if (HasWindowManager()) {
        gtk_window_unfullscreen(GTK_WINDOW(m_pWindow));
        gtk_window_maximize(GTK_WINDOW(m_pWindow));
    }
    m_bMaximized = true;
    FitToWorkArea();
    LayoutTitleButtons();
    ShowTitleButtons(true);
    ShowMaximizeButton(false);
}

void CLander_KxDlg::ConfirmExit() {
    if (m_bAsking) return;
    m_bAsking = true;
    ui::CCustomMessageBox box(GTK_WINDOW(m_pWindow));
    box.SetText("关闭提示", "是否退出" + LoadResString(IDS_PRODUCT_TITLE) + "？");
    const int answer = box.DoModal();
    m_bAsking = false;
    if (answer != ui::IDOK) return;
    m_tray.Remove();
    CloseGameWindow();
    EndDialog(0);
}

bool CLander_KxDlg::IsTopParentActive() const {
    // The frame counts as active while the game window inside it has the
    // focus too: X reports focus in a child window to its toplevel.
    return m_pWindow != nullptr && gtk_window_is_active(GTK_WINDOW(m_pWindow));
}

void CLander_KxDlg::OnActiveChanged(GObject*, GParamSpec*, gpointer self) {
    auto* dlg = static_cast<CLander_KxDlg*>(self);
    if (dlg->m_pHotKeys) HoldActiveOnlyHotKeys(*dlg->m_pHotKeys, dlg->m_hotKeys, dlg->IsTopParentActive());
}

void CLander_KxDlg::OnHotKey(int id) {
    switch (id) {
        case HOTKEY_REFRESH:
            if (IsTopParentActive() && m_hGameWnd != 0) {
                PostWindowMessage(m_hGameWnd, {WM_GAMEWND_REFRESH, 0, 0});
            }
            break;
        case HOTKEY_BOSS:
            if (m_bMinimizedByButton) {
                gtk_widget_show(m_pWindow);
                if (m_bMaximized) Maximize();
                else Restore();
                ShowAndActivate();
            } else {
                ToggleVisibility();
            }
            break;
        case HOTKEY_FULLSCREEN:
            if (!IsTopParentActive()) break;
            if (m_bFullScreen) LeaveFullScreen();
            else EnterFullScreen();
            break;
        default:
            break;
    }
}

void CLander_KxDlg::ToggleVisibility() {
    if (gtk_widget_get_visible(m_pWindow)) gtk_widget_hide(m_pWindow);
    else ShowAndActivate();
}

void CLander_KxDlg::ShowAndActivate() {
    gtk_widget_show(m_pWindow);
    gtk_window_deiconify(GTK_WINDOW(m_pWindow));
    gtk_window_present(GTK_WINDOW(m_pWindow));
}

void CLander_KxDlg::AddTrayIcon() {
    m_tray.Add(
        LoadResString(IDS_PRODUCT_TITLE), [this](int, int, guint32) { ShowAndActivate(); },
        [this](int x, int y, guint32 time) { OnTrayMenu(x, y, time); });
}

void CLander_KxDlg::OnTrayMenu(int x, int y, guint32 time) {
    ShowTrayMenu(x, y, time, [this](int id) { OnCommand(id); });
}

void CLander_KxDlg::StartCacheCleaning() {
    if (m_pCleaning && m_pCleaning->Running()) return;
    if (!m_pCleaning) {
        m_pCleaning = std::make_unique<CCacheCleaning>(
            DefaultWebEngineFolders().cache_dir, [this] { OnCommand(ID_CACHE_CLEAN_DONE); });
    }
    // Over the frame's rectangle as it is now; moving the frame later does
    // not move the curtain.
    if (m_pOverlay) m_pOverlay->ShowOverOwner();
    m_pCleaning->Start();
}

void CLander_KxDlg::ChooseNewServer() {
    if (m_bAsking) return;
    m_bAsking = true;
    ui::CCustomMessageBox box(GTK_WINDOW(m_pWindow));
    box.SetText("选服", "您是否退出当前服务器，重新选择新服务器？");
    const int answer = box.DoModal();
    m_bAsking = false;
    if (answer != ui::IDOK) return;
    gtk_widget_hide(m_pWindow);
    CloseGameWindow();
    StartOwnProcess(GetModuleFilePath(), nullptr);
    EndDialog(0);
}

void CLander_KxDlg::OnCommand(int id) {
    switch (id) {
        case IDC_BTN_MAXIMIZE: Maximize(); break;
        case IDC_BTN_RESTORE: Restore(); break;
        case IDC_BTN_MINIMIZE: Minimize(); break;
        case IDC_BTN_FULLSCREEN: EnterFullScreen(); break;
        case IDC_BTN_BOSSKEY: gtk_widget_hide(m_pWindow); break;
        case IDC_BTN_NEWSERVER: ChooseNewServer(); break;
        case IDC_BTN_CLOSE: ConfirmExit(); break;
        case IDC_BTN_REFRESH:
            if (m_hGameWnd != 0) PostWindowMessage(m_hGameWnd, {WM_GAMEWND_REFRESH, 0, 0});
            break;
        case IDC_BTN_CLEARCACHE:
        case ID_TRAY_CLEAN_CACHE: StartCacheCleaning(); break;
        case ID_CACHE_CLEAN_DONE:
            if (m_pOverlay) m_pOverlay->HideOverlay();
            break;
        case ID_TRAY_TOGGLE: ToggleVisibility(); break;
        case ID_TRAY_EXIT: ConfirmExit(); break;
        default:
            break;
    }
}

void CLander_KxDlg::PaintBackground(cairo_t* cr) {
    if (m_bFullScreen || !m_pStripLeft || !m_pStripTile || !m_pStripRight) return;
    const StripParts parts =
        LayoutStrip(m_nWidth, ui::SurfaceWidth(m_pStripLeft.get()), ui::SurfaceWidth(m_pStripRight.get()));
    ui::FillTiledRect(cr, m_pStripLeft.get(), ToRect(parts.left));
    ui::FillTiledRect(cr, m_pStripTile.get(), ToRect(parts.middle));
    ui::FillTiledRect(cr, m_pStripRight.get(), ToRect(parts.right));
}

gboolean CLander_KxDlg::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    auto* dlg = static_cast<CLander_KxDlg*>(self);
    // Below the strip the game window covers the frame; until it comes,
    // the client area is black rather than whatever the screen held.
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    if (!dlg->m_bFullScreen) {
        ui::CBufferedPaint strip(dlg->m_nWidth, kStripHeight);
        dlg->PaintBackground(strip.Context());
        strip.PaintTo(cr);
    }
    return FALSE;  // the buttons paint themselves
}

gboolean CLander_KxDlg::OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self) {
    auto* dlg = static_cast<CLander_KxDlg*>(self);
    if (event->button != GDK_BUTTON_PRIMARY || event->window != gtk_widget_get_window(widget)) {
        return FALSE;
    }
    if (event->type == GDK_2BUTTON_PRESS) {
        dlg->m_bDragArmed = false;
        // A double click toggles the state; it is no use of the buttons,
        // so what the boss key knows of a minimise stays as it was.
        const int minimized_by_button = dlg->m_bMinimizedByButton;
        if (dlg->IsZoomed()) dlg->Restore();
        else dlg->Maximize();
        dlg->m_bMinimizedByButton = minimized_by_button;
        return TRUE;
    }
    // The drag itself starts once the pointer moves: a drag begun on the
    // press would swallow the second press of a double click.
    if (event->type == GDK_BUTTON_PRESS && !dlg->IsZoomed()) {
        dlg->m_bDragArmed = true;
        dlg->m_nDragX = static_cast<int>(event->x);
        dlg->m_nDragY = static_cast<int>(event->y);
    }
    return FALSE;
}

gboolean CLander_KxDlg::OnMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self) {
    auto* dlg = static_cast<CLander_KxDlg*>(self);
    if (!dlg->m_bDragArmed || (event->state & GDK_BUTTON1_MASK) == 0) {
        dlg->m_bDragArmed = false;
        return FALSE;
    }
    if (!gtk_drag_check_threshold(widget, dlg->m_nDragX, dlg->m_nDragY, static_cast<int>(event->x),
                                  static_cast<int>(event->y))) {
        return FALSE;
    }
    dlg->m_bDragArmed = false;
    if (dlg->IsZoomed()) return FALSE;
    gtk_window_begin_move_drag(GTK_WINDOW(widget), GDK_BUTTON_PRIMARY, static_cast<int>(event->x_root),
                               static_cast<int>(event->y_root), event->time);
    return TRUE;
}

gboolean CLander_KxDlg::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto* dlg = static_cast<CLander_KxDlg*>(self);
    if ((event->state & GDK_MOD1_MASK) != 0 && event->keyval == GDK_KEY_F4) {
        dlg->OnDelete(nullptr, nullptr, self);
        return TRUE;
    }
    // Enter and Esc close nothing; F5 (the accelerator) does nothing.
    switch (event->keyval) {
        case GDK_KEY_Return: case GDK_KEY_KP_Enter: case GDK_KEY_Escape: case GDK_KEY_F5:
            return TRUE;
        default:
            return FALSE;
    }
}

gboolean CLander_KxDlg::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    auto* dlg = static_cast<CLander_KxDlg*>(self);
    dlg->ConfirmExit();
    // A declined close in full screen leaves full screen; the frame stays.
    if (dlg->m_loop.Running() && dlg->m_bFullScreen) {
        dlg->LeaveFullScreen();
        dlg->InvalidateStrip();
    }
    return TRUE;
}

gboolean CLander_KxDlg::OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer self) {
    auto* dlg = static_cast<CLander_KxDlg*>(self);
    if (event->width == dlg->m_nWidth && event->height == dlg->m_nHeight) return FALSE;
    dlg->m_nWidth = event->width;
    dlg->m_nHeight = event->height;
    dlg->LayoutTitleButtons();
    dlg->SendToGame(WM_GAMEWND_FIT, dlg->m_bFullScreen ? 1 : 0);
    return FALSE;
}

gboolean CLander_KxDlg::OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self) {
    auto* dlg = static_cast<CLander_KxDlg*>(self);
    const bool restored = (event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) != 0 &&
                          (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) == 0;
    // Back from the taskbar while maximised: to the launcher's own work
    // area size once the window manager has restored it.
    if (restored && dlg->m_bMaximized) {
        dlg->m_refitTimer.Start(kRefitDelayMs, &CLander_KxDlg::OnRefitTimer, dlg);
    }
    return FALSE;
}

gboolean CLander_KxDlg::OnRefitTimer(gpointer self) {
    auto* dlg = static_cast<CLander_KxDlg*>(self);
    dlg->m_refitTimer.Fired();
    dlg->FitToWorkArea();
    return G_SOURCE_REMOVE;
}

}  // namespace vostra
