// TrayIcon: the launcher's one icon in the notification area, on
// GtkStatusIcon (an XEmbed system tray, as most X11 panels and trayer
// offer). A left button press and a right button release reach the
// owner with the pointer's place on the screen. When the tray itself
// restarts, GtkStatusIcon docks the icon again by itself.
//
// The tray menu (ShowTrayMenu) has the three commands "隐藏/显示(F10)",
// "清理缓存" and "退出"; it opens with its left edge 130 pixels left of
// the pointer and its top at the pointer, moved up by the toolkit where it
// would leave the monitor.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "ui/signal_group.h"

namespace vostra {

inline constexpr int ID_TRAY_TOGGLE = 32775;
inline constexpr int ID_TRAY_CLEAN_CACHE = 32776;
inline constexpr int ID_TRAY_EXIT = 32777;

class TrayIcon {
public:
    // Where a click came from: the pointer on the screen, the event time.
    using ClickHandler = std::function<void(int x, int y, guint32 time)>;

    TrayIcon() = default;
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shows picture 273 with `tip`; "added" from then on, whether or not a
    // tray takes the icon.
    void Add(const std::string& tip, ClickHandler on_left_press, ClickHandler on_right_release);
    void Remove();
    bool Added() const { return m_bAdded; }

private:
    static gboolean OnPress(GtkStatusIcon*, GdkEventButton* event, gpointer self);
    static gboolean OnRelease(GtkStatusIcon*, GdkEventButton* event, gpointer self);

    GtkStatusIcon* m_pIcon = nullptr;
    bool m_bAdded = false;
    ClickHandler m_onLeftPress, m_onRightRelease;
    ui::CSignalGroup m_signals;
};

// Pops the tray menu up at (x - 130, y); the chosen item's id goes to
// `on_command` (on the GUI thread, after the menu has closed).
void ShowTrayMenu(int x, int y, guint32 time, std::function<void(int id)> on_command);

}  // namespace vostra
