#include <gdk/gdkx.h>

#include <cstdio>

#include "harness.h"
#include "ui/dialog_base.h"

namespace vostra::harness {

uint32_t PatternPixel(int x, int y, int width, int height) {
    const uint32_t r = static_cast<uint32_t>(x * 255 / (width > 1 ? width - 1 : 1));
    const uint32_t g = static_cast<uint32_t>(y * 255 / (height > 1 ? height - 1 : 1));
    return 0xFF000000u | (r << 16) | (g << 8) | 0x80u;
}

void PaintPattern(cairo_t* cr, int width, int height) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) row[x] = PatternPixel(x, y, width, height);
    }
    cairo_surface_mark_dirty(s);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(s);
}

namespace {

gboolean DrawPattern(GtkWidget* widget, cairo_t* cr, gpointer) {
    PaintPattern(cr, gtk_widget_get_allocated_width(widget), gtk_widget_get_allocated_height(widget));
    return FALSE;
}

}  // namespace

GtkWidget* CreatePatternWindow(const std::string& title, const ui::Rect& rect) {
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), title.c_str());
    gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
    gtk_widget_set_app_paintable(window, TRUE);
    gtk_widget_set_size_request(window, rect.width, rect.height);
    gtk_window_set_default_size(GTK_WINDOW(window), rect.width, rect.height);
    gtk_window_move(GTK_WINDOW(window), rect.x, rect.y);
    g_signal_connect(window, "draw", G_CALLBACK(DrawPattern), nullptr);
    return window;
}

bool ParseSize(const std::string& text, int* width, int* height) {
    return sscanf(text.c_str(), "%dx%d", width, height) == 2 && *width > 0 && *height > 0;
}

void Say(const std::string& line) {
    fprintf(stdout, "%s\n", line.c_str());
    fflush(stdout);
}

unsigned long XidOf(GtkWidget* window) {
    GdkWindow* w = gtk_widget_get_window(window);
    return w != nullptr ? GDK_WINDOW_XID(w) : 0;
}

}  // namespace vostra::harness

namespace vostra::harness {
namespace {

gboolean SayShown(gpointer data) {
    auto* window = static_cast<GtkWidget*>(data);
    const ui::Rect r = ui::WindowScreenRect(window);
    char line[160];
    snprintf(line, sizeof line, "shown %lu %d %d %d %d", XidOf(window), r.x, r.y, r.width,
             r.height);
    Say(line);
    g_object_unref(window);
    return G_SOURCE_REMOVE;
}

gboolean AfterFirstDraw(GtkWidget* window, cairo_t*, gpointer) {
    g_signal_handlers_disconnect_by_func(window, reinterpret_cast<gpointer>(AfterFirstDraw),
                                         nullptr);
    g_timeout_add(30, SayShown, g_object_ref(window));
    return FALSE;
}

}  // namespace

void AnnounceOnFirstDraw(GtkWidget* window) {
    g_signal_connect_after(window, "draw", G_CALLBACK(AfterFirstDraw), nullptr);
}

}  // namespace vostra::harness
