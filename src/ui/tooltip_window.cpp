#include "ui/tooltip_window.h"

#include <pango/pangocairo.h>

#include <algorithm>

#include "ui/buffered_paint.h"
#include "ui/dialog_base.h"
#include "ui/drawing.h"

namespace vostra::ui {
namespace {

constexpr double kFontPx = 12;
constexpr int kPadX = 5;
constexpr int kPadY = 3;
constexpr int kBelowPointer = 20;  // about a pointer's height below the hot spot
constexpr uint32_t kBackground = 0xFFFFFFFF;
constexpr uint32_t kBorder = 0xFF767676;
constexpr uint32_t kTextColour = 0xFF575757;

PangoLayout* MakeTipLayout(PangoContext* context, const std::string& text) {
    PangoLayout* layout = pango_layout_new(context);
    FontPtr font = MakeArialFont(kFontPx, FontStyle::kRegular);
    pango_layout_set_font_description(layout, font.get());
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

}  // namespace

CToolTipWindow::~CToolTipWindow() {
    m_showTimer.Stop();
    m_popTimer.Stop();
    m_signals.DisconnectAll();
    if (m_pWindow != nullptr) gtk_widget_destroy(m_pWindow);
}

void CToolTipWindow::SetAutomaticDelay(int ms) {
    m_nInitialMs = ms;
    m_nAutoPopMs = ms * 10;
}

void CToolTipWindow::Activate(bool active) {
    m_bActive = active;
    if (!active) Disarm();
}

void CToolTipWindow::Arm() {
    if (!m_bActive || m_strText.empty() || IsShown()) return;
    m_showTimer.Start(static_cast<guint>(m_nInitialMs), &CToolTipWindow::OnShowTimer, this);
}

void CToolTipWindow::Disarm() {
    m_showTimer.Stop();
    m_popTimer.Stop();
    if (m_pWindow != nullptr) gtk_widget_hide(m_pWindow);
}

gboolean CToolTipWindow::OnShowTimer(gpointer self) {
    auto* tip = static_cast<CToolTipWindow*>(self);
    tip->m_showTimer.Fired();
    tip->ShowAtPointer();
    return G_SOURCE_REMOVE;
}

gboolean CToolTipWindow::OnPopTimer(gpointer self) {
    auto* tip = static_cast<CToolTipWindow*>(self);
    tip->m_popTimer.Fired();
    if (tip->m_pWindow != nullptr) gtk_widget_hide(tip->m_pWindow);
    return G_SOURCE_REMOVE;
}

void CToolTipWindow::ShowAtPointer() {
    if (m_pWindow == nullptr) {
        m_pWindow = gtk_window_new(GTK_WINDOW_POPUP);
        gtk_window_set_type_hint(GTK_WINDOW(m_pWindow), GDK_WINDOW_TYPE_HINT_TOOLTIP);
        gtk_widget_set_app_paintable(m_pWindow, TRUE);
        m_signals.Connect(m_pWindow, "draw", G_CALLBACK(&CToolTipWindow::OnDraw), this);
    }
    PangoContext* context = gtk_widget_get_pango_context(m_pWindow);
    PangoLayout* layout = MakeTipLayout(context, m_strText);
    int text_w = 0;
    int text_h = 0;
    pango_layout_get_pixel_size(layout, &text_w, &text_h);
    g_object_unref(layout);
    const int w = text_w + 2 * kPadX;
    const int h = text_h + 2 * kPadY;

    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    int px = 0;
    int py = 0;
    gdk_device_get_position(gdk_seat_get_pointer(seat), nullptr, &px, &py);
    const Rect area = WorkArea(nullptr);
    const int x = std::clamp(px, area.x, std::max(area.x, area.x + area.width - w));
    int y = py + kBelowPointer;
    if (y + h > area.y + area.height) y = py - h - 2;

    gtk_widget_set_size_request(m_pWindow, w, h);
    gtk_window_resize(GTK_WINDOW(m_pWindow), w, h);
    gtk_window_move(GTK_WINDOW(m_pWindow), x, y);
    gtk_widget_show(m_pWindow);
    m_popTimer.Start(static_cast<guint>(m_nAutoPopMs), &CToolTipWindow::OnPopTimer, this);
}

gboolean CToolTipWindow::OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self) {
    auto* tip = static_cast<CToolTipWindow*>(self);
    const int w = gtk_widget_get_allocated_width(widget);
    const int h = gtk_widget_get_allocated_height(widget);
    CBufferedPaint paint(w, h);
    cairo_t* mem = paint.Context();
    SetSourceArgb(mem, kBorder);
    cairo_paint(mem);
    SetSourceArgb(mem, kBackground);
    cairo_rectangle(mem, 1, 1, w - 2, h - 2);
    cairo_fill(mem);
    PangoContext* context = pango_cairo_create_context(mem);
    PangoLayout* layout = MakeTipLayout(context, tip->m_strText);
    SetSourceArgb(mem, kTextColour);
    cairo_move_to(mem, kPadX, kPadY);
    pango_cairo_show_layout(mem, layout);
    g_object_unref(layout);
    g_object_unref(context);
    paint.PaintTo(cr);
    return TRUE;
}

}  // namespace vostra::ui
