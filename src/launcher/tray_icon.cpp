#include "launcher/tray_icon.h"

#include "platform/resources.h"

namespace vostra {
namespace {

constexpr char kTrayIconResource[] = "/res/icon/273.png";
// The menu's left edge, this far left of the pointer.
constexpr int kMenuLeftOfPointer = 130;

GdkPixbuf* LoadTrayPicture() {
    const auto bytes = LoadResourceByPath(kTrayIconResource);
    if (!bytes) return nullptr;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    GdkPixbuf* pixbuf = nullptr;
    if (gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(bytes->data()),
                                bytes->size(), nullptr) &&
        gdk_pixbuf_loader_close(loader, nullptr)) {
        pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
        if (pixbuf != nullptr) g_object_ref(pixbuf);
    } else {
        gdk_pixbuf_loader_close(loader, nullptr);
    }
    g_object_unref(loader);
    return pixbuf;
}

struct MenuRun {
    GtkWidget* menu = nullptr;
    int x = 0, y = 0;
    int chosen = 0;
    std::function<void(int)> on_command;
};

void PlaceMenu(GtkMenu*, gint* x, gint* y, gboolean* push_in, gpointer data) {
    const auto* run = static_cast<const MenuRun*>(data);
    *x = run->x - kMenuLeftOfPointer;
    *y = run->y;
    // The toolkit clamps the menu into the monitor's work area; pushed in
    // instead, it would scroll a menu that starts above a top panel.
    *push_in = FALSE;
}

void OnItemActivated(GtkMenuItem* item, gpointer data) {
    auto* run = static_cast<MenuRun*>(data);
    run->chosen = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(item), "vostra-command"));
}

// After the menu has gone: the chosen command, then the menu's end.
gboolean FinishMenu(gpointer data) {
    auto* run = static_cast<MenuRun*>(data);
    gtk_widget_destroy(run->menu);
    g_object_unref(run->menu);
    if (run->chosen != 0 && run->on_command) run->on_command(run->chosen);
    delete run;
    return G_SOURCE_REMOVE;
}

void OnMenuDeactivated(GtkMenuShell*, gpointer data) { g_idle_add(FinishMenu, data); }

}  // namespace

void TrayIcon::Add(const std::string& tip, ClickHandler on_left_press,
                   ClickHandler on_right_release) {
    Remove();
    m_onLeftPress = std::move(on_left_press);
    m_onRightRelease = std::move(on_right_release);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GdkPixbuf* picture = LoadTrayPicture();
    m_pIcon = picture != nullptr ? gtk_status_icon_new_from_pixbuf(picture)
                                 : gtk_status_icon_new_from_icon_name("applications-games");
    if (picture != nullptr) g_object_unref(picture);
    gtk_status_icon_set_tooltip_text(m_pIcon, tip.c_str());
    gtk_status_icon_set_title(m_pIcon, tip.c_str());
    gtk_status_icon_set_visible(m_pIcon, TRUE);
    G_GNUC_END_IGNORE_DEPRECATIONS
    m_signals.Connect(m_pIcon, "button-press-event", G_CALLBACK(&TrayIcon::OnPress), this);
    m_signals.Connect(m_pIcon, "button-release-event", G_CALLBACK(&TrayIcon::OnRelease), this);
    m_bAdded = true;
}

void TrayIcon::Remove() {
    if (!m_bAdded) return;
    m_signals.DisconnectAll();
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_status_icon_set_visible(m_pIcon, FALSE);
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_object_unref(m_pIcon);
    m_pIcon = nullptr;
    m_bAdded = false;
}

gboolean TrayIcon::OnPress(GtkStatusIcon*, GdkEventButton* event, gpointer self) {
    auto* icon = static_cast<TrayIcon*>(self);
    if (event->type == GDK_BUTTON_PRESS && event->button == 1 && icon->m_onLeftPress) {
        icon->m_onLeftPress(static_cast<int>(event->x_root), static_cast<int>(event->y_root),
                            event->time);
    }
    return TRUE;  // no activate or popup-menu signal on top
}

gboolean TrayIcon::OnRelease(GtkStatusIcon*, GdkEventButton* event, gpointer self) {
    auto* icon = static_cast<TrayIcon*>(self);
    if (event->button == 3 && icon->m_onRightRelease) {
        icon->m_onRightRelease(static_cast<int>(event->x_root), static_cast<int>(event->y_root),
                               event->time);
    }
    return TRUE;
}

void ShowTrayMenu(int x, int y, guint32 time, std::function<void(int id)> on_command) {
    static constexpr struct {
        int id;
        const char* text;
    } kItems[] = {{ID_TRAY_TOGGLE, "隐藏/显示(F10)"},
                  {ID_TRAY_CLEAN_CACHE, "清理缓存"},
                  {ID_TRAY_EXIT, "退出"}};
    auto* run = new MenuRun;
    run->x = x;
    run->y = y;
    run->on_command = std::move(on_command);
    run->menu = gtk_menu_new();
    g_object_ref_sink(run->menu);
    for (const auto& entry : kItems) {
        GtkWidget* item = gtk_menu_item_new_with_label(entry.text);
        g_object_set_data(G_OBJECT(item), "vostra-command", GINT_TO_POINTER(entry.id));
        g_signal_connect(item, "activate", G_CALLBACK(OnItemActivated), run);
        gtk_menu_shell_append(GTK_MENU_SHELL(run->menu), item);
    }
    gtk_widget_show_all(run->menu);
    g_signal_connect(run->menu, "deactivate", G_CALLBACK(OnMenuDeactivated), run);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_menu_popup(GTK_MENU(run->menu), nullptr, nullptr, PlaceMenu, run, 3, time);
    G_GNUC_END_IGNORE_DEPRECATIONS
}

}  // namespace vostra
