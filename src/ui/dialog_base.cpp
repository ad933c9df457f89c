#include "ui/dialog_base.h"

#include "ui/free_size_fixed.h"

namespace vostra::ui {

bool InitUiToolkit() {
    if (gdk_display_get_default() != nullptr) return true;
    return gtk_init_check(nullptr, nullptr) != FALSE;
}

namespace {

GtkWidget* MakeBorderlessWindow(GtkWidget* container, GtkWidget** fixed) {
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
    gtk_widget_set_app_paintable(window, TRUE);
    gtk_widget_add_events(window, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                      GDK_KEY_PRESS_MASK | GDK_STRUCTURE_MASK);
    gtk_container_add(GTK_CONTAINER(window), container);
    if (fixed != nullptr) *fixed = container;
    return window;
}

}  // namespace

GtkWidget* CreateBorderlessWindow(int width, int height, GtkWidget** fixed) {
    GtkWidget* window = MakeBorderlessWindow(gtk_fixed_new(), fixed);
    gtk_window_set_default_size(GTK_WINDOW(window), width, height);
    gtk_widget_set_size_request(window, width, height);
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    return window;
}

GtkWidget* CreateResizableBorderlessWindow(int width, int height, GtkWidget** fixed) {
    GtkWidget* window = MakeBorderlessWindow(FreeSizeFixedNew(), fixed);
    gtk_window_set_default_size(GTK_WINDOW(window), width, height);
    gtk_window_set_resizable(GTK_WINDOW(window), TRUE);
    return window;
}

gboolean BeginBodyDrag(GtkWidget* window, GdkEventButton* event) {
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY) return FALSE;
    if (event->window != gtk_widget_get_window(window)) return FALSE;
    gtk_window_begin_move_drag(GTK_WINDOW(window), static_cast<int>(event->button),
                               static_cast<int>(event->x_root), static_cast<int>(event->y_root),
                               event->time);
    return TRUE;
}

Rect WindowScreenRect(GtkWidget* window) {
    GdkWindow* gdk_window = gtk_widget_get_window(window);
    if (gdk_window == nullptr) return {};
    GdkRectangle r;
    gdk_window_get_frame_extents(gdk_window, &r);
    return {r.x, r.y, r.width, r.height};
}

Rect WorkArea(GtkWidget* window) {
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = nullptr;
    if (window != nullptr && gtk_widget_get_window(window) != nullptr)
        monitor = gdk_display_get_monitor_at_window(display, gtk_widget_get_window(window));
    if (monitor == nullptr) monitor = gdk_display_get_primary_monitor(display);
    if (monitor == nullptr) monitor = gdk_display_get_monitor(display, 0);
    if (monitor == nullptr) return {0, 0, 0, 0};
    GdkRectangle r;
    gdk_monitor_get_workarea(monitor, &r);
    return {r.x, r.y, r.width, r.height};
}

Rect CentredIn(const Rect& area, int width, int height) {
    return {area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width, height};
}

Rect KeepInside(const Rect& r, const Rect& area) {
    Rect out = r;
    if (out.x + out.width > area.x + area.width) out.x = area.x + area.width - out.width;
    if (out.y + out.height > area.y + area.height) out.y = area.y + area.height - out.height;
    if (out.x < area.x) out.x = area.x;
    if (out.y < area.y) out.y = area.y;
    return out;
}

bool ScreenIsComposited(GtkWidget* window) {
    GdkScreen* screen = window != nullptr ? gtk_widget_get_screen(window) : gdk_screen_get_default();
    return screen != nullptr && gdk_screen_is_composited(screen);
}

}  // namespace vostra::ui
