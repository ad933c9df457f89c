#include "ui/custom_message_box.h"

#include <cstdio>

#include "ui/buffered_paint.h"
#include "ui/dialog_base.h"
#include "ui/message_box_layout.h"
#include "ui/text_draw.h"

namespace vostra::ui {

CCustomMessageBox::CCustomMessageBox(GtkWindow* owner) : m_pOwner(owner) {}

CCustomMessageBox::~CCustomMessageBox() { DestroyWindow(); }

void CCustomMessageBox::SetText(const std::string& title, const std::string& message) {
    m_strTitle = title;
    m_strMessage = message;
}

void CCustomMessageBox::OnInitDialog() {
    GtkWidget* fixed = nullptr;
    m_pWindow = CreateBorderlessWindow(msgbox::kWidth, msgbox::kHeight, &fixed);
    gtk_window_set_title(GTK_WINDOW(m_pWindow), m_strTitle.c_str());
    gtk_window_set_type_hint(GTK_WINDOW(m_pWindow), GDK_WINDOW_TYPE_HINT_DIALOG);
    if (m_pOwner != nullptr) gtk_window_set_transient_for(GTK_WINDOW(m_pWindow), m_pOwner);
    gtk_window_set_modal(GTK_WINDOW(m_pWindow), TRUE);

    auto* box = GTK_FIXED(fixed);
    m_btnClose.Create(this, box, msgbox::kCloseId, msgbox::CloseRect());
    m_btnClose.SetImages(msgbox::kClosePng, msgbox::kClosePng, msgbox::kClosePng);
    m_btnOK.Create(this, box, IDOK, msgbox::OkRect());
    m_btnOK.SetImages(msgbox::kOkNormalPng, msgbox::kOkHoverPng, msgbox::kOkHoverPng);
    m_btnCancel.Create(this, box, IDCANCEL, msgbox::CancelRect());
    m_btnCancel.SetImages(msgbox::kCancelNormalPng, msgbox::kCancelHoverPng,
                          msgbox::kCancelHoverPng);
    m_pBackground = LoadPngImage(msgbox::kBackgroundPng);

    m_signals.Connect(m_pWindow, "draw", G_CALLBACK(&CCustomMessageBox::OnDraw), this);
    m_signals.Connect(m_pWindow, "key-press-event", G_CALLBACK(&CCustomMessageBox::OnKeyPress),
                      this);
    m_signals.Connect(m_pWindow, "delete-event", G_CALLBACK(&CCustomMessageBox::OnDelete), this);
    m_signals.Connect(m_pWindow, "button-press-event",
                      G_CALLBACK(&CCustomMessageBox::OnButtonPress), this);

    // Centred over the owner, or over the work area when there is none;
    // kept inside the work area when the owner reaches past the screen's
    // edge, so that the question is always whole on screen.
    GtkWidget* owner = m_pOwner != nullptr ? GTK_WIDGET(m_pOwner) : nullptr;
    Rect area = owner != nullptr ? WindowScreenRect(owner) : Rect{};
    const Rect work = WorkArea(owner);
    if (area.width <= 0 || area.height <= 0) area = work;  // owner not on screen
    Rect at = CentredIn(area, msgbox::kWidth, msgbox::kHeight);
    if (work.width > 0 && work.height > 0) at = KeepInside(at, work);
    gtk_window_move(GTK_WINDOW(m_pWindow), at.x, at.y);
}

int CCustomMessageBox::DoModal() {
    if (!InitUiToolkit()) {
        fprintf(stderr, "vostra: cannot show the question \"%s\": no display\n",
                m_strTitle.c_str());
        return kDoModalFailed;
    }
    DestroyWindow();
    m_nResult = IDCANCEL;
    OnInitDialog();
    gtk_widget_show_all(m_pWindow);
    gtk_window_present(GTK_WINDOW(m_pWindow));

    m_loop.Run();

    // Destroyed here, after the loop, never inside one of its handlers.
    DestroyWindow();
    return m_nResult;
}

void CCustomMessageBox::EndDialog(int result) {
    m_nResult = result;
    m_loop.Quit();
}

void CCustomMessageBox::DestroyWindow() {
    m_btnOK.DestroyWindow();
    m_btnCancel.DestroyWindow();
    m_btnClose.DestroyWindow();
    m_signals.DisconnectAll();
    if (m_pWindow != nullptr) {
        gtk_widget_destroy(m_pWindow);
        m_pWindow = nullptr;
    }
}

void CCustomMessageBox::PaintBackground(cairo_t* cr) {
    cairo_save(cr);
    if (m_pBackground) {
        cairo_set_source_surface(cr, m_pBackground.get(), 0, 0);
        cairo_rectangle(cr, 0, 0, SurfaceWidth(m_pBackground.get()),
                        SurfaceHeight(m_pBackground.get()));
        cairo_fill(cr);
    } else {
        SetSourceArgb(cr, msgbox::kPlaceholderColour);
        cairo_rectangle(cr, 0, 0, msgbox::kWidth, msgbox::kHeight);
        cairo_fill(cr);
    }
    const FontPtr title_font = MakeArialFont(msgbox::kTitleFontPx, FontStyle::kBold);
    const FontPtr message_font = MakeArialFont(msgbox::kMessageFontPx, FontStyle::kRegular);
    DrawTextInRect(cr, m_strTitle,
                   {title_font.get(), msgbox::kTitleColour, Trimming::kEllipsisCharacter},
                   msgbox::kTitleRect);
    DrawTextInRect(cr, m_strMessage,
                   {message_font.get(), msgbox::kMessageColour, Trimming::kEllipsisCharacter},
                   msgbox::kMessageRect);
    cairo_restore(cr);
}

gboolean CCustomMessageBox::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    CBufferedPaint paint(msgbox::kWidth, msgbox::kHeight);
    static_cast<CCustomMessageBox*>(self)->PaintBackground(paint.Context());
    paint.PaintTo(cr);
    return FALSE;  // the buttons paint themselves on top
}

void CCustomMessageBox::OnCommand(int id) {
    if (id == IDOK) EndDialog(IDOK);
    if (id == IDCANCEL || id == msgbox::kCloseId) EndDialog(IDCANCEL);
}

gboolean CCustomMessageBox::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto* box = static_cast<CCustomMessageBox*>(self);
    // Esc is the one key that answers, with Cancel. OK is given only by a
    // click on its button: a stray Enter must not confirm an uninstall or
    // an exit.
    if (event->keyval != GDK_KEY_Escape) return FALSE;
    box->EndDialog(IDCANCEL);
    return TRUE;
}

gboolean CCustomMessageBox::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<CCustomMessageBox*>(self)->EndDialog(IDCANCEL);
    return TRUE;  // destroyed by DoModal once the loop has returned
}

gboolean CCustomMessageBox::OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer) {
    return BeginBodyDrag(widget, event);
}

}  // namespace vostra::ui
