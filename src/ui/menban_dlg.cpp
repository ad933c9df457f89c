#include "ui/menban_dlg.h"

#include "app/resource_strings.h"
#include "ui/buffered_paint.h"
#include "ui/dialog_base.h"
#include "ui/overlay_layout.h"
#include "ui/text_draw.h"

namespace vostra::ui {
namespace {

// The even grey of the shade tile (black at alpha 230 over white), drawn
// when the tile itself is missing.
constexpr uint32_t kShadePlaceholder = 0xFF191919;

}  // namespace

CMenbanDlg::~CMenbanDlg() { DestroyWindow(); }

void CMenbanDlg::Create(GtkWindow* owner) {
    DestroyWindow();
    m_pOwner = owner;
    m_pWindow = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_decorated(GTK_WINDOW(m_pWindow), FALSE);
    gtk_widget_set_app_paintable(m_pWindow, TRUE);
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(m_pWindow), TRUE);
    gtk_window_set_skip_pager_hint(GTK_WINDOW(m_pWindow), TRUE);
    // It takes no input of its own: keys stay with the launcher beneath.
    gtk_window_set_accept_focus(GTK_WINDOW(m_pWindow), FALSE);
    gtk_window_set_focus_on_map(GTK_WINDOW(m_pWindow), FALSE);
    gtk_window_set_title(GTK_WINDOW(m_pWindow), LoadResString(IDS_PLEASE_WAIT).c_str());
    if (owner != nullptr) gtk_window_set_transient_for(GTK_WINDOW(m_pWindow), owner);
    m_signals.Connect(m_pWindow, "draw", G_CALLBACK(&CMenbanDlg::OnDraw), this);
    OnInitDialog();
}

void CMenbanDlg::OnInitDialog() {
    m_pShadeTile = LoadPngImage(overlay::kShadePng);
    for (size_t i = 0; i < m_frames.size(); ++i) m_frames[i] = LoadPngImage(overlay::kFramePngs[i]);
    m_nCurrentFrame = 1;
    m_nFrameCounter = 1;
}

void CMenbanDlg::DestroyWindow() {
    m_animationTimer.Stop();
    m_signals.DisconnectAll();
    if (m_pWindow != nullptr) {
        gtk_widget_destroy(m_pWindow);
        m_pWindow = nullptr;
    }
    m_beneath.reset();
}

void CMenbanDlg::ShowOverOwner() {
    if (m_pWindow == nullptr) return;
    if (m_pOwner != nullptr) SetWindowPos(WindowScreenRect(GTK_WIDGET(m_pOwner)));
    SetTimer(overlay::kAnimationTimer, overlay::kAnimationPeriodMs);
    ShowWindow(true);
}

void CMenbanDlg::HideOverlay() {
    KillTimer(overlay::kAnimationTimer);
    ShowWindow(false);
}

void CMenbanDlg::SetWindowPos(const Rect& r) {
    if (m_pWindow == nullptr || r.width <= 0 || r.height <= 0) return;
    m_rect = r;
    gtk_widget_set_size_request(m_pWindow, r.width, r.height);
    gtk_window_resize(GTK_WINDOW(m_pWindow), r.width, r.height);
    gtk_window_move(GTK_WINDOW(m_pWindow), r.x, r.y);
}

void CMenbanDlg::SetTimer(int id, int period_ms) {
    if (id != overlay::kAnimationTimer || period_ms <= 0) return;
    m_animationTimer.Start(static_cast<guint>(period_ms), &CMenbanDlg::OnAnimationTick, this);
}

void CMenbanDlg::KillTimer(int id) {
    if (id == overlay::kAnimationTimer) m_animationTimer.Stop();
}

void CMenbanDlg::ShowWindow(bool show) {
    if (m_pWindow == nullptr) return;
    if (!show) {
        gtk_widget_hide(m_pWindow);
        m_beneath.reset();
        return;
    }
    if (gtk_widget_get_visible(m_pWindow)) return;
    // With a compositor the window itself is made 229/255 opaque; without
    // one, the same result is drawn by blending over what lies beneath.
    m_bBlend = !ScreenIsComposited(m_pWindow);
    if (m_bBlend) {
        CaptureBeneath();
    } else {
        // On the realized X window: GTK keeps an opacity set on a toplevel
        // that is not realized yet without ever passing it to the X window,
        // and the compositor would show the overlay fully opaque.
        gtk_widget_realize(m_pWindow);
        gdk_window_set_opacity(gtk_widget_get_window(m_pWindow), overlay::kOpacity / 255.0);
    }
    gtk_widget_show(m_pWindow);
}

void CMenbanDlg::CaptureBeneath() {
    m_beneath.reset();
    if (m_rect.width <= 0 || m_rect.height <= 0) return;
    GdkPixbuf* pixels = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), m_rect.x,
                                                   m_rect.y, m_rect.width, m_rect.height);
    if (pixels == nullptr) return;
    m_beneath.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_rect.width, m_rect.height));
    cairo_t* cr = cairo_create(m_beneath.get());
    gdk_cairo_set_source_pixbuf(cr, pixels, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    g_object_unref(pixels);
}

void CMenbanDlg::PaintPicture(cairo_t* cr, int W, int H) const {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    if (m_pShadeTile) {
        FillTiledRect(cr, m_pShadeTile.get(), {0, 0, W, H});
    } else {
        SetSourceArgb(cr, kShadePlaceholder);
        cairo_paint(cr);
    }
    cairo_surface_t* frame = m_frames[static_cast<size_t>(m_nCurrentFrame - 1)].get();
    if (frame != nullptr) {
        const Rect r = overlay::FrameRect(W, H, SurfaceWidth(frame), SurfaceHeight(frame));
        cairo_set_source_surface(cr, frame, r.x, r.y);
        cairo_rectangle(cr, r.x, r.y, r.width, r.height);
        cairo_fill(cr);
    }
    const FontPtr font = MakeArialFont(overlay::kFontPx, FontStyle::kRegular);
    DrawTextInRect(cr, LoadResString(IDS_PLEASE_WAIT),
                   {font.get(), overlay::kTextColour, Trimming::kEllipsisWord},
                   overlay::TextRect(W, H));
}

gboolean CMenbanDlg::OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self) {
    const auto* dlg = static_cast<CMenbanDlg*>(self);
    const int W = gtk_widget_get_allocated_width(widget);
    const int H = gtk_widget_get_allocated_height(widget);
    CBufferedPaint picture(W, H);
    dlg->PaintPicture(picture.Context(), W, H);
    if (!dlg->m_bBlend || !dlg->m_beneath) {
        picture.PaintTo(cr);
        return FALSE;
    }
    CBufferedPaint blended(W, H);
    cairo_set_source_surface(blended.Context(), dlg->m_beneath.get(), 0, 0);
    cairo_paint(blended.Context());
    cairo_set_source_surface(blended.Context(), picture.Surface(), 0, 0);
    cairo_paint_with_alpha(blended.Context(), overlay::kOpacity / 255.0);
    blended.PaintTo(cr);
    return FALSE;  // app-painted: nothing else draws over it
}

gboolean CMenbanDlg::OnAnimationTick(gpointer self) {
    static_cast<CMenbanDlg*>(self)->OnTimer(overlay::kAnimationTimer);
    return G_SOURCE_CONTINUE;
}

void CMenbanDlg::OnTimer(int id) {
    if (id != overlay::kAnimationTimer) return;
    m_nCurrentFrame = overlay::NextFrame(m_nFrameCounter);
    if (m_pWindow != nullptr) {
        // Only the frame's rectangle reaches the screen again.
        const int W = gtk_widget_get_allocated_width(m_pWindow);
        const int H = gtk_widget_get_allocated_height(m_pWindow);
        cairo_surface_t* frame = m_frames[static_cast<size_t>(m_nCurrentFrame - 1)].get();
        const Rect r = overlay::FrameRect(W, H, SurfaceWidth(frame), SurfaceHeight(frame));
        if (r.width > 0) gtk_widget_queue_draw_area(m_pWindow, r.x, r.y, r.width, r.height);
    }
    if (m_onFrame) m_onFrame(m_nCurrentFrame);
}

}  // namespace vostra::ui
