// CCustomMessageBox: the question box of the whole launcher. Used like the
// system message box:
//
//   CCustomMessageBox box(owner);           // owner may be null
//   box.SetText("卸载", "您是否确认卸载《Vostra》？");
//   if (box.DoModal() == IDOK) { ... }
//
// A 256 x 110 borderless window painted from picture 304 with a title, a
// message of up to two lines, OK, Cancel and a close cross. It is centred
// over its owner (or the screen's work area), can be dragged by its body,
// and blocks the rest of the program's windows while it runs.
#pragma once

#include <gtk/gtk.h>

#include <string>

#include "ui/control_parent.h"
#include "ui/modal_loop.h"
#include "ui/png_image.h"
#include "ui/signal_group.h"
#include "ui/touch_button.h"

namespace vostra::ui {

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
// DoModal's answer when the box could not be shown at all (no display).
inline constexpr int kDoModalFailed = -1;

class CCustomMessageBox : public CControlParent {
public:
    explicit CCustomMessageBox(GtkWindow* owner = nullptr);
    ~CCustomMessageBox() override;
    CCustomMessageBox(const CCustomMessageBox&) = delete;
    CCustomMessageBox& operator=(const CCustomMessageBox&) = delete;

    // Replaces the title (default "温馨提示") and the message (default
    // empty). The caller formats the message.
    void SetText(const std::string& title, const std::string& message);

    // Shows the box and runs a nested main loop until it is answered:
    // IDOK for a click on the OK button and nothing else (Enter does not
    // answer); IDCANCEL for Cancel, the close cross, Esc or a close by the
    // window manager; kDoModalFailed when no display could be opened.
    // Callers act only on IDOK.
    int DoModal();

    // Ends the modal run with `result`.
    void EndDialog(int result);

    // The box's window while DoModal runs, else null.
    GtkWidget* Window() const { return m_pWindow; }

    void PaintBackground(cairo_t* cr) override;
    void OnCommand(int id) override;

private:
    void OnInitDialog();
    void DestroyWindow();
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean OnKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
    static gboolean OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);

    CTouchButton m_btnOK;
    CTouchButton m_btnCancel;
    CTouchButton m_btnClose;
    SurfacePtr m_pBackground;
    std::string m_strTitle = "温馨提示";
    std::string m_strMessage;

    GtkWindow* m_pOwner;
    GtkWidget* m_pWindow = nullptr;
    CModalLoop m_loop;
    int m_nResult = IDCANCEL;
    CSignalGroup m_signals;
};

}  // namespace vostra::ui
