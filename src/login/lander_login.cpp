#include "login/lander_login.h"

#include <pango/pangocairo.h>

#include <cstdio>
#include <cstdlib>

#include "app/file_version.h"
#include "app/resource_strings.h"
#include "install/self_install.h"
#include "login/login_keys.h"
#include "platform/known_folders.h"
#include "ui/custom_message_box.h"
#include "ui/dialog_base.h"
#include "ui/drawing.h"
#include "ui/window_shape.h"

namespace vostra {
namespace {

constexpr int kBackgroundPng = 319;
constexpr uint32_t kVersionColour = 0xFFCBAE5B;
constexpr double kVersionFontPx = 10;
// The popup comes at the latest this long after the window was shown,
// should the picture never be drawn (a window manager that does not map it).
constexpr guint kFirstFrameWaitMs = 400;

}  // namespace

CLanderLogin::CLanderLogin() = default;

CLanderLogin::~CLanderLogin() { DestroyWindow(); }

int CLanderLogin::DoModal() {
    if (!ui::InitUiToolkit()) {
        fprintf(stderr, "vostra-launcher: cannot show the login window: no display\n");
        return -1;
    }
    m_nResult = 0;
    OnInitDialog();
    m_loop.Run();
    // Destroyed after the loop, never inside one of its handlers.
    DestroyWindow();
    return m_nResult;
}

void CLanderLogin::EndDialog(int result) {
    m_nResult = result;
    m_loop.Quit();
}

void CLanderLogin::OnInitDialog() {
    m_pBackground = ui::LoadPngImage(kBackgroundPng);
    m_nImageWidth = ui::SurfaceWidth(m_pBackground.get());
    m_nImageHeight = ui::SurfaceHeight(m_pBackground.get());

    // A missing picture is a window of no pixels: nothing of its own shows,
    // while the popup is still placed relative to its position.
    m_pWindow = ui::CreateBorderlessWindow(m_nImageWidth > 0 ? m_nImageWidth : 1,
                                           m_nImageHeight > 0 ? m_nImageHeight : 1, nullptr);
    gtk_window_set_title(GTK_WINDOW(m_pWindow), LoadResString(IDS_PRODUCT_TITLE).c_str());
    m_signals.Connect(m_pWindow, "draw", G_CALLBACK(&CLanderLogin::OnDraw), this);
    m_signals.Connect(m_pWindow, "button-press-event", G_CALLBACK(&CLanderLogin::OnButtonPress), this);
    m_signals.Connect(m_pWindow, "key-press-event", G_CALLBACK(&CLanderLogin::OnKeyPress), this);
    m_signals.Connect(m_pWindow, "delete-event", G_CALLBACK(&CLanderLogin::OnDelete), this);
    m_signals.Connect(m_pWindow, "configure-event", G_CALLBACK(&CLanderLogin::OnConfigure), this);
    m_signals.Connect(m_pWindow, "window-state-event", G_CALLBACK(&CLanderLogin::OnWindowState), this);

    const ui::Rect at = ui::CentredIn(ui::WorkArea(nullptr), m_nImageWidth, m_nImageHeight);
    gtk_window_move(GTK_WINDOW(m_pWindow), at.x, at.y);
    PaintLayeredWindow();
    // The popup, its web view and the install follow once the picture is
    // on screen: starting the web engine takes a few hundred milliseconds,
    // which the player would otherwise spend looking at nothing.
    m_firstFrameTimer.Start(kFirstFrameWaitMs, &CLanderLogin::OnFirstFrameTimeout, this);
}

void CLanderLogin::CreatePopup() {
    if (m_pPopup || m_pWindow == nullptr) return;
    m_firstFrameTimer.Stop();
    m_pPopup = std::make_unique<CLoginPopupDlg>(this);
    m_pPopup->Create(GTK_WINDOW(m_pWindow));
    m_pPopup->PlacePopup();
    // Done before the page's first load is handled: that load can only
    // be reported by the main loop, after this returns.
    EnsureInstalled();
    // Last, the version text: the first use of the text machinery (fonts)
    // would otherwise hold up both the picture and the page.
    m_nVersionText = g_idle_add_full(G_PRIORITY_LOW, &CLanderLogin::OnVersionTextIdle, this, nullptr);
}

gboolean CLanderLogin::OnVersionTextIdle(gpointer self) {
    auto* login = static_cast<CLanderLogin*>(self);
    login->m_nVersionText = 0;
    if (!login->m_pBackground || !login->m_picture) return G_SOURCE_REMOVE;
    cairo_t* cr = cairo_create(login->m_picture.get());
    login->DrawVersionText(cr);
    cairo_destroy(cr);
    gtk_widget_queue_draw_area(login->m_pWindow, login->m_nImageWidth - 60, login->m_nImageHeight - 33,
                               200, 31);
    return G_SOURCE_REMOVE;
}

gboolean CLanderLogin::OnFirstFrameTimeout(gpointer self) {
    auto* login = static_cast<CLanderLogin*>(self);
    login->m_firstFrameTimer.Fired();
    login->CreatePopup();
    return G_SOURCE_REMOVE;
}

gboolean CLanderLogin::OnAfterFirstFrame(gpointer self) {
    auto* login = static_cast<CLanderLogin*>(self);
    login->m_nAfterFirstFrame = 0;
    login->CreatePopup();
    return G_SOURCE_REMOVE;
}

void CLanderLogin::PaintLayeredWindow() {
    m_bComposited = ui::ScreenIsComposited(m_pWindow);
    if (m_bComposited) {
        GdkVisual* rgba = gdk_screen_get_rgba_visual(gtk_widget_get_screen(m_pWindow));
        if (rgba != nullptr) gtk_widget_set_visual(m_pWindow, rgba);
    }
    const int width = m_nImageWidth > 0 ? m_nImageWidth : 1;
    const int height = m_nImageHeight > 0 ? m_nImageHeight : 1;
    m_picture.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    cairo_t* cr = cairo_create(m_picture.get());
    if (m_pBackground) {
        cairo_set_source_surface(cr, m_pBackground.get(), 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    // The shape comes from the picture alone: only its own pixels are the
    // window, whatever is drawn over them.
    const ui::RegionPtr shape = ui::RegionFromAlpha(m_pBackground.get());
    ui::ApplyWindowShape(m_pWindow, shape.get(), m_bComposited);
    gtk_widget_show(m_pWindow);
}

void CLanderLogin::DrawVersionText(cairo_t* cr) const {
    const std::string version = GetFileVersionString(GetModuleFilePath());
    const ui::FontPtr font = ui::MakeArialFont(kVersionFontPx, ui::FontStyle::kRegular);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    pango_layout_set_font_description(layout, font.get());
    pango_layout_set_text(layout, version.c_str(), -1);
    pango_layout_set_width(layout, 200 * PANGO_SCALE);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    cairo_save(cr);
    cairo_rectangle(cr, m_nImageWidth - 60, m_nImageHeight - 33, 200, 31);
    cairo_clip(cr);
    ui::SetSourceArgb(cr, kVersionColour);
    cairo_move_to(cr, m_nImageWidth - 60, m_nImageHeight - 33);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
}

gboolean CLanderLogin::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    auto* login = static_cast<CLanderLogin*>(self);
    // After this frame has gone out: idle sources run after the redraw.
    if (!login->m_pPopup && login->m_nAfterFirstFrame == 0) {
        login->m_nAfterFirstFrame =
            g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, &CLanderLogin::OnAfterFirstFrame, login, nullptr);
    }
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    if (login->m_picture) {
        cairo_set_source_surface(cr, login->m_picture.get(), 0, 0);
    } else {
        cairo_set_source_rgba(cr, 0, 0, 0, 0);
    }
    cairo_paint(cr);
    cairo_restore(cr);
    return TRUE;
}

void CLanderLogin::DestroyWindow() {
    m_firstFrameTimer.Stop();
    if (m_nAfterFirstFrame != 0) g_source_remove(m_nAfterFirstFrame);
    m_nAfterFirstFrame = 0;
    if (m_nVersionText != 0) g_source_remove(m_nVersionText);
    m_nVersionText = 0;
    m_pPopup.reset();
    m_signals.DisconnectAll();
    if (m_pWindow != nullptr) {
        gtk_widget_destroy(m_pWindow);
        m_pWindow = nullptr;
    }
}

void CLanderLogin::ScreenOrigin(int* x, int* y) const {
    *x = 0;
    *y = 0;
    if (m_pWindow == nullptr) return;
    GdkWindow* window = gtk_widget_get_window(m_pWindow);
    if (window != nullptr && gtk_widget_get_mapped(m_pWindow)) {
        gdk_window_get_root_origin(window, x, y);
        return;
    }
    gtk_window_get_position(GTK_WINDOW(m_pWindow), x, y);
}

void CLanderLogin::ConfirmLoginExit() {
    if (m_bAsking) return;  // one question at a time
    m_bAsking = true;
    ui::CCustomMessageBox box(m_pWindow != nullptr ? GTK_WINDOW(m_pWindow) : nullptr);
    box.SetText("关闭提示", "是否退出" + LoadResString(IDS_PRODUCT_TITLE) + "？");
    const int answer = box.DoModal();
    m_bAsking = false;
    if (answer != ui::IDOK) return;
    // A download in progress stops and leaves no part file behind.
    if (m_pPopup) m_pPopup->StopUpdateCheck();
    fflush(nullptr);
    std::exit(0);
}

void CLanderLogin::HandOver(const std::string& play_url) {
    m_strPlayUrl = play_url;
    EndDialog(0);
}

void CLanderLogin::ShowWindowMinimized() {
    if (m_pWindow != nullptr) gtk_window_iconify(GTK_WINDOW(m_pWindow));
}

gboolean CLanderLogin::OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer) {
    return ui::BeginBodyDrag(widget, event);
}

gboolean CLanderLogin::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
    const LoginKey key{event->keyval, (event->state & GDK_CONTROL_MASK) != 0,
                       (event->state & GDK_MOD1_MASK) != 0};
    switch (ClassifyLoginWindowKey(key)) {
        case LoginKeyAction::kExitQuestion:
            static_cast<CLanderLogin*>(self)->ConfirmLoginExit();
            return TRUE;
        case LoginKeyAction::kSwallow:
            return TRUE;
        default:
            return FALSE;
    }
}

gboolean CLanderLogin::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<CLanderLogin*>(self)->ConfirmLoginExit();
    return TRUE;  // declined: the window stays and the login goes on
}

gboolean CLanderLogin::OnConfigure(GtkWidget*, GdkEventConfigure*, gpointer self) {
    auto* login = static_cast<CLanderLogin*>(self);
    if (login->m_pPopup) login->m_pPopup->PlacePopup();
    return FALSE;
}

gboolean CLanderLogin::OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self) {
    auto* login = static_cast<CLanderLogin*>(self);
    if ((event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) == 0 || !login->m_pPopup) return FALSE;
    if ((event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0) {
        login->m_pPopup->Hide();
    } else {
        login->m_pPopup->PlacePopup();
        gtk_window_deiconify(GTK_WINDOW(login->m_pPopup->Window()));
    }
    return FALSE;
}

}  // namespace vostra
