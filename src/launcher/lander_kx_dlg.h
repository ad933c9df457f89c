// CLander_KxDlg: the launcher's frame. It first runs the login window; with
// the play link it yields, it shows a borderless window titled
// "Vostra登录器" over the work area, with a painted 30-pixel title strip and
// nine image buttons, starts the game window (a second process of this
// executable) and lets that window sit inside it below the strip.
//
// States: maximised (the work area; the restore button shows), restored
// (1000 x 700, centred, draggable by the strip), minimised, hidden (button
// 1005) and full screen (the monitor, no strip, the game window over all),
// which is always left to maximised. A double click on the strip toggles
// maximised and restored. Only a confirmed exit ("是否退出Vostra登录器？")
// or a new server ("选服") ends the frame; Enter, Esc and F5 do nothing.
//
// With a window manager the states are its own (maximised, iconic,
// full screen); without one, maximising and full screen are the frame's
// own moves to the work area and to the monitor.
#pragma once

#include <X11/Xlib.h>
#include <gtk/gtk.h>

#include <array>
#include <memory>
#include <string>

#include "launcher/cache_cleaning.h"
#include "launcher/hot_key_registration.h"
#include "launcher/title_strip_layout.h"
#include "launcher/tray_icon.h"
#include "platform/global_hot_keys.h"
#include "platform/window_messages.h"
#include "ui/control_parent.h"
#include "ui/menban_dlg.h"
#include "ui/modal_loop.h"
#include "ui/png_image.h"
#include "ui/signal_group.h"
#include "ui/touch_button.h"

namespace vostra {

inline constexpr int kFrameWidth = 1000;
inline constexpr int kFrameHeight = 700;
inline constexpr int TIMER_REFIT = 102;
// The cache cleaning's end, as a command to the frame.
inline constexpr int ID_CACHE_CLEAN_DONE = 10002;

class CLander_KxDlg : public ui::CControlParent {
public:
    CLander_KxDlg();
    ~CLander_KxDlg() override;
    CLander_KxDlg(const CLander_KxDlg&) = delete;
    CLander_KxDlg& operator=(const CLander_KxDlg&) = delete;

    // The launcher's whole run: 0 when it ended by the exit or the new
    // server; -1 when there is no display.
    int DoModal();
    void EndDialog(int result);

    void PaintBackground(cairo_t* cr) override;
    void OnCommand(int id) override;

    // The states' commands, also for the hot keys and the tray.
    void Maximize();
    void Restore();
    void Minimize();
    void EnterFullScreen();
    void LeaveFullScreen();
    void ConfirmExit();
    void ChooseNewServer();
    bool IsZoomed() const;
    // The hot keys' and the tray's own actions.
    void OnHotKey(int id);
    void StartCacheCleaning();
    void ToggleVisibility();
    void ShowAndActivate();
    bool IsTopParentActive() const;

    GtkWidget* Window() const { return m_pWindow; }
    ::Window GameWindow() const { return m_hGameWnd; }

private:
    bool OnInitDialog();
    void CreateFrameWindow();
    void CreateButtons();
    void LayoutTitleButtons();
    void ShowTitleButtons(bool show);
    void ShowMaximizeButton(bool maximize_shown);
    void FitToWorkArea();
    void MoveResize(const ui::Rect& r);
    void InvalidateStrip();
    void SendToGame(uint32_t message, long wparam);
    void CloseGameWindow();
    void SpawnGameWindow();
    bool HasWindowManager() const;
    long OnWindowMessage(const WindowMessage& msg);
    void AddTrayIcon();
    void OnTrayMenu(int x, int y, guint32 time);
    static void OnActiveChanged(GObject*, GParamSpec*, gpointer self);

    static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static gboolean OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
    static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean OnMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self);
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer self);
    static gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self);
    static gboolean OnRefitTimer(gpointer self);

    std::array<ui::CTouchButton, 9> m_buttons;  // in the order of kTitleButtons
    bool m_bFullScreen = false;
    bool m_bMaximized = false;
    std::unique_ptr<ui::CMenbanDlg> m_pOverlay;
    ::Window m_hGameWnd = 0;
    std::string m_strGameUrl;
    ui::SurfacePtr m_pStripLeft, m_pStripTile, m_pStripRight;
    int m_bMinimizedByButton = 0;

    GtkWidget* m_pWindow = nullptr;
    GtkWidget* m_pFixed = nullptr;
    int m_nWidth = kFrameWidth;
    int m_nHeight = kFrameHeight;
    bool m_bAsking = false;
    bool m_bDragArmed = false;  // the left button went down on the strip of a restored frame
    int m_nDragX = 0, m_nDragY = 0;
    std::unique_ptr<GlobalHotKeys> m_pHotKeys;
    LauncherHotKeys m_hotKeys;
    TrayIcon m_tray;
    std::unique_ptr<CCacheCleaning> m_pCleaning;
    ui::CModalLoop m_loop;
    ui::CTimer m_refitTimer;
    CWindowMessageReceiver m_receiver;
    ui::CSignalGroup m_signals;
};

}  // namespace vostra
