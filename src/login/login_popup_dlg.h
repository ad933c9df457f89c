// CLoginPopupDlg: the borderless popup that sits over the login window's
// picture at (409, 139) and carries the login web form and two image
// buttons (minimise 1016, close 1027). 714 x 488, drawn from bitmap 318;
// its pure-green pixels are cut out of the window, and where a compositor
// runs the whole popup is drawn at 250/255 opacity. Without a compositor
// it is drawn opaque: blending over a capture of what lies beneath would
// freeze the login picture into the popup, and the difference at 250/255
// is a shade no player can see.
//
// While a new client downloads, the popup shows the download's progress
// where the form will appear.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <memory>

#include "login/web_form_login.h"
#include "ui/control_parent.h"
#include "ui/png_image.h"
#include "ui/signal_group.h"
#include "ui/touch_button.h"

namespace vostra {

class CLanderLogin;

namespace popup {
inline constexpr int kWidth = 714;
inline constexpr int kHeight = 488;
inline constexpr int kOffsetX = 409;  // from the login window's top-left corner
inline constexpr int kOffsetY = 139;
inline constexpr int kMinimizeId = 1016;
inline constexpr int kCloseId = 1027;
inline constexpr uint32_t kColourKey = 0x00FF00;  // pure green: cut out
inline constexpr int kOpacity = 250;
// The form's rectangle: (0, 47) to (client width - 28, client height - 4).
inline constexpr BrowserRect kFormRect = {0, 47, kWidth - 28, kHeight - 4};
}  // namespace popup

class CLoginPopupDlg : public ui::CControlParent, public CWebFormOwner {
public:
    // `parent` is the login window the popup belongs to, or null.
    explicit CLoginPopupDlg(CLanderLogin* parent);
    ~CLoginPopupDlg() override;
    CLoginPopupDlg(const CLoginPopupDlg&) = delete;
    CLoginPopupDlg& operator=(const CLoginPopupDlg&) = delete;

    // Creates the window, hidden, owned by `owner`, and starts loading the
    // login page.
    void Create(GtkWindow* owner);
    // Moves the popup to its offset over the login window and shows it.
    void PlacePopup();
    void Hide();

    GtkWidget* Window() const { return m_pWindow; }
    WebFormLogin* Form() const { return m_pForm.get(); }
    // Stops the self-update if it is running (before the process exits).
    void StopUpdateCheck();

    // CControlParent and CWebFormOwner.
    void PaintBackground(cairo_t* cr) override;
    void OnCommand(int id) override;
    GtkWidget* FormContainer() override { return m_pFixed; }
    void OnUpdateProgress(int64_t received, int64_t total) override;
    void OnUpdateCheckReturned() override;

private:
    void OnInitDialog();
    void ApplyTranslucency();
    void DrawProgress(cairo_t* cr) const;
    void OnWebFormNavigate();
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean OnKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
    static void OnRealize(GtkWidget* widget, gpointer self);

    CLanderLogin* m_pLoginWnd;
    ui::CTouchButton m_btnMinimize;
    ui::CTouchButton m_btnClose;
    ui::SurfacePtr m_brBackground;
    std::unique_ptr<WebFormLogin> m_pForm;

    GtkWindow* m_pOwner = nullptr;
    GtkWidget* m_pWindow = nullptr;
    GtkWidget* m_pFixed = nullptr;
    bool m_bDownloading = false;
    int64_t m_nReceived = 0;
    int64_t m_nTotal = 0;
    ui::CSignalGroup m_signals;
};

}  // namespace vostra
