#include "login/login_popup_dlg.h"

#include <cstdio>

#include "login/lander_login.h"
#include "login/login_keys.h"
#include "login/login_navigation.h"
#include "login/download_progress_text.h"
#include "login/login_urls.h"
#include "platform/resources.h"
#include "ui/buffered_paint.h"
#include "ui/dialog_base.h"
#include "ui/text_draw.h"
#include "ui/window_shape.h"

namespace vostra {
namespace {

constexpr int kBackgroundBitmap = 318;
constexpr int kMinimizePngs[] = {320, 321, 322};
constexpr int kClosePngs[] = {323, 324, 325};

// The download's progress, drawn where the form will appear.
constexpr uint32_t kProgressText = 0xFFE8DCB5;
constexpr uint32_t kProgressTrack = 0xFF1B2A55;
constexpr uint32_t kProgressFill = 0xFFCBAE5B;
constexpr int kBarWidth = 420;
constexpr int kBarHeight = 10;

}  // namespace

CLoginPopupDlg::CLoginPopupDlg(CLanderLogin* parent) : m_pLoginWnd(parent) {}

CLoginPopupDlg::~CLoginPopupDlg() {
    // The form first: its view lives in this window's container.
    m_pForm.reset();
    m_btnMinimize.DestroyWindow();
    m_btnClose.DestroyWindow();
    m_signals.DisconnectAll();
    if (m_pWindow != nullptr) gtk_widget_destroy(m_pWindow);
}

void CLoginPopupDlg::Create(GtkWindow* owner) {
    m_pOwner = owner;
    m_pWindow = ui::CreateBorderlessWindow(popup::kWidth, popup::kHeight, &m_pFixed);
    gtk_widget_set_size_request(m_pFixed, popup::kWidth, popup::kHeight);
    // A window that may not be resized takes its content's natural size,
    // and a web view's natural height is its page's: the popup would grow
    // with the page. Its size is fixed by hints instead.
    gtk_window_set_resizable(GTK_WINDOW(m_pWindow), TRUE);
    GdkGeometry hints{};
    hints.min_width = hints.max_width = popup::kWidth;
    hints.min_height = hints.max_height = popup::kHeight;
    gtk_window_set_geometry_hints(GTK_WINDOW(m_pWindow), nullptr, &hints,
                                  static_cast<GdkWindowHints>(GDK_HINT_MIN_SIZE | GDK_HINT_MAX_SIZE));
    gtk_window_set_title(GTK_WINDOW(m_pWindow), "");
    // Named for tools and tests that look for it; it has no title of its own.
    gtk_window_set_role(GTK_WINDOW(m_pWindow), "vostra-login-popup");
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(m_pWindow), TRUE);
    gtk_window_set_skip_pager_hint(GTK_WINDOW(m_pWindow), TRUE);
    if (owner != nullptr) gtk_window_set_transient_for(GTK_WINDOW(m_pWindow), owner);
    m_signals.Connect(m_pWindow, "draw", G_CALLBACK(&CLoginPopupDlg::OnDraw), this);
    m_signals.Connect(m_pWindow, "key-press-event", G_CALLBACK(&CLoginPopupDlg::OnKeyPress), this);
    m_signals.Connect(m_pWindow, "delete-event", G_CALLBACK(&CLoginPopupDlg::OnDelete), this);
    m_signals.Connect(m_pWindow, "realize", G_CALLBACK(&CLoginPopupDlg::OnRealize), this);
    gtk_widget_show(m_pFixed);
    OnInitDialog();
}

void CLoginPopupDlg::OnInitDialog() {
    // The web form: created over the whole client area, then kept
    // invisible while the login page loads.
    m_pForm = std::make_unique<WebFormLogin>();
    m_pForm->m_hOwner = this;
    m_pForm->m_bUpdateChecked = 0;
    m_pForm->ActivateInPlace();
    m_pForm->SetLayout(popup::kFormRect);
    m_pForm->NavigateTo(LoginPageUrl());
    m_pForm->SetBrowserRect({0, 0, 0, 0});

    auto* fixed = GTK_FIXED(m_pFixed);
    m_btnClose.Create(this, fixed, popup::kCloseId, {popup::kWidth - 35, 1, 35, 36});
    m_btnClose.SetImages(kClosePngs[0], kClosePngs[1], kClosePngs[2]);
    m_btnMinimize.Create(this, fixed, popup::kMinimizeId, {popup::kWidth - 70, 5, 35, 36});
    m_btnMinimize.SetImages(kMinimizePngs[0], kMinimizePngs[1], kMinimizePngs[2]);

    if (const auto bytes = LoadResourceBytes("BITMAP", kBackgroundBitmap)) {
        m_brBackground.reset(ui::DecodeImageBytes(bytes->data(), bytes->size()));
    }
    const ui::RegionPtr shape = m_brBackground
                                    ? ui::RegionWithoutColour(m_brBackground.get(), popup::kColourKey)
                                    : ui::RegionPtr();
    // The colour key makes its pixels fully transparent: they are cut out
    // of the window with or without a compositor.
    if (shape) ui::ApplyWindowShape(m_pWindow, shape.get(), false);
}

void CLoginPopupDlg::OnRealize(GtkWidget*, gpointer self) {
    static_cast<CLoginPopupDlg*>(self)->ApplyTranslucency();
}

void CLoginPopupDlg::ApplyTranslucency() {
    // The opacity must reach the realized X window; GTK drops a value set
    // on a toplevel that has none yet.
    if (ui::ScreenIsComposited(m_pWindow)) {
        gdk_window_set_opacity(gtk_widget_get_window(m_pWindow), popup::kOpacity / 255.0);
    }
}

void CLoginPopupDlg::PlacePopup() {
    if (m_pWindow == nullptr || m_pLoginWnd == nullptr) return;
    int x = 0, y = 0;
    m_pLoginWnd->ScreenOrigin(&x, &y);
    gtk_window_move(GTK_WINDOW(m_pWindow), x + popup::kOffsetX, y + popup::kOffsetY);
    if (!gtk_widget_get_visible(m_pWindow)) gtk_widget_show(m_pWindow);
}

void CLoginPopupDlg::Hide() {
    if (m_pWindow != nullptr) gtk_widget_hide(m_pWindow);
}

void CLoginPopupDlg::StopUpdateCheck() {
    if (m_pForm) m_pForm->StopUpdateCheck();
}

void CLoginPopupDlg::PaintBackground(cairo_t* cr) {
    cairo_save(cr);
    if (m_brBackground) {
        ui::FillTiledRect(cr, m_brBackground.get(), {0, 0, popup::kWidth, popup::kHeight});
    } else {
        ui::SetSourceArgb(cr, 0xFF0F1A3A);
        cairo_paint(cr);
    }
    cairo_restore(cr);
}

void CLoginPopupDlg::DrawProgress(cairo_t* cr) const {
    const BrowserRect& r = popup::kFormRect;
    const int x = r.left + (r.Width() - kBarWidth) / 2;
    const int y = r.top + r.Height() / 2;
    const ui::FontPtr font = ui::MakeArialFont(14, ui::FontStyle::kRegular);
    ui::DrawTextInRect(cr, DownloadProgressText(m_nReceived, m_nTotal),
                       {font.get(), kProgressText, ui::Trimming::kEllipsisCharacter},
                       {x, y - 32, kBarWidth, 24});
    ui::SetSourceArgb(cr, kProgressTrack);
    cairo_rectangle(cr, x, y, kBarWidth, kBarHeight);
    cairo_fill(cr);
    if (m_nTotal > 0) {
        const double done = m_nReceived >= m_nTotal ? 1.0 : static_cast<double>(m_nReceived) / m_nTotal;
        ui::SetSourceArgb(cr, kProgressFill);
        cairo_rectangle(cr, x, y, kBarWidth * done, kBarHeight);
        cairo_fill(cr);
    }
}

gboolean CLoginPopupDlg::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    auto* dlg = static_cast<CLoginPopupDlg*>(self);
    ui::CBufferedPaint paint(popup::kWidth, popup::kHeight);
    dlg->PaintBackground(paint.Context());
    if (dlg->m_bDownloading) dlg->DrawProgress(paint.Context());
    paint.PaintTo(cr);
    return FALSE;  // the buttons and the form draw themselves on top
}

void CLoginPopupDlg::OnUpdateProgress(int64_t received, int64_t total) {
    m_bDownloading = true;
    m_nReceived = received;
    m_nTotal = total;
    if (m_pWindow != nullptr) {
        const BrowserRect& r = popup::kFormRect;
        gtk_widget_queue_draw_area(m_pWindow, r.left, r.top, r.Width(), r.Height());
    }
}

void CLoginPopupDlg::OnUpdateCheckReturned() {
    m_bDownloading = false;
    if (m_pWindow != nullptr) gtk_widget_queue_draw(m_pWindow);
    // The page's own fields take the keys from now on (its autofocus too).
    if (m_pForm && m_pForm->FindDocumentWindow() != nullptr) {
        gtk_widget_grab_focus(m_pForm->FindDocumentWindow());
    }
}

void CLoginPopupDlg::OnCommand(int id) {
    switch (id) {
        case popup::kMinimizeId:
            if (m_pLoginWnd != nullptr) m_pLoginWnd->ShowWindowMinimized();
            break;
        case popup::kCloseId:
            if (m_pLoginWnd != nullptr) m_pLoginWnd->ConfirmLoginExit();
            break;
        case ID_WEBFORM_NAVIGATE:
            OnWebFormNavigate();
            break;
        default:
            break;
    }
}

void CLoginPopupDlg::OnWebFormNavigate() {
    if (!IsPlayLink(g_strLastNavUrl)) return;
    if (m_pLoginWnd == nullptr) return;
    GameUrlCheck refused = GameUrlCheck::kAccepted;
    const auto play = PlayLinkToHandOver(g_strLastNavUrl, &refused);
    if (!play) {
        fprintf(stderr, "vostra: play link refused (%s)\n", GameUrlCheckName(refused));
        return;
    }
    m_pLoginWnd->HandOver(*play);
}

gboolean CLoginPopupDlg::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto* dlg = static_cast<CLoginPopupDlg*>(self);
    const LoginKey key{event->keyval, (event->state & GDK_CONTROL_MASK) != 0,
                       (event->state & GDK_MOD1_MASK) != 0};
    switch (ClassifyPopupKey(key)) {
        case LoginKeyAction::kExitQuestion:
            if (dlg->m_pLoginWnd != nullptr) dlg->m_pLoginWnd->ConfirmLoginExit();
            return TRUE;
        case LoginKeyAction::kSwallow:
            return TRUE;
        case LoginKeyAction::kToPage:
        case LoginKeyAction::kDefault:
            return FALSE;  // the window's own handling gives it to the focused page
    }
    return FALSE;
}

gboolean CLoginPopupDlg::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    auto* dlg = static_cast<CLoginPopupDlg*>(self);
    if (dlg->m_pLoginWnd != nullptr) dlg->m_pLoginWnd->ConfirmLoginExit();
    return TRUE;  // a close request never closes the popup itself
}

}  // namespace vostra
