// CLanderLogin: the window the player sees first. A borderless, shaped
// window drawn from PNG 319 (1199 x 733, per-pixel alpha), titled
// "Vostra登录器", shown in the taskbar and centred in the work area. It
// carries the login popup at (409, 139), which follows it wherever it is
// dragged and hides with it when it is minimised.
//
//   CLanderLogin login;
//   login.DoModal();                    // until the page hands over a play link
//   std::string url = login.GetPlayUrl();
//
// The modal run ends only by the hand-over; a confirmed close ends the
// whole process with exit code 0.
//
// Shape: with a compositor the window has an RGBA visual, shows the
// picture's alpha, and takes the pointer exactly where alpha > 0; without
// one the window itself is cut to those pixels. It is dragged by any
// visible pixel. The executable's FileVersion is drawn at (width - 60,
// height - 33) into the picture, once the popup and the page are under way.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string>

#include "login/login_popup_dlg.h"
#include "ui/modal_loop.h"
#include "ui/png_image.h"
#include "ui/signal_group.h"

namespace vostra {

class CLanderLogin {
public:
    CLanderLogin();
    ~CLanderLogin();
    CLanderLogin(const CLanderLogin&) = delete;
    CLanderLogin& operator=(const CLanderLogin&) = delete;

    // Runs the window until the hand-over: 0 then; -1 when there is no
    // display to show it on.
    int DoModal();
    std::string GetPlayUrl() const { return m_strPlayUrl; }

    // Asks "是否退出Vostra登录器？"; OK stops a running update, then ends the
    // process with exit code 0. Any other answer changes nothing.
    void ConfirmLoginExit();

    // What the popup calls on its login window.
    void HandOver(const std::string& play_url);
    void ShowWindowMinimized();
    void ScreenOrigin(int* x, int* y) const;
    void EndDialog(int result);

    GtkWidget* Window() const { return m_pWindow; }
    CLoginPopupDlg* Popup() const { return m_pPopup.get(); }

private:
    void OnInitDialog();
    void PaintLayeredWindow();
    void CreatePopup();
    static gboolean OnFirstFrameTimeout(gpointer self);
    static gboolean OnAfterFirstFrame(gpointer self);
    static gboolean OnVersionTextIdle(gpointer self);
    void DrawVersionText(cairo_t* cr) const;
    void DestroyWindow();
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
    static gboolean OnKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
    static gboolean OnConfigure(GtkWidget* widget, GdkEventConfigure* event, gpointer self);
    static gboolean OnWindowState(GtkWidget* widget, GdkEventWindowState* event, gpointer self);

    std::string m_strPlayUrl;
    ui::SurfacePtr m_pBackground;
    std::unique_ptr<CLoginPopupDlg> m_pPopup;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;

    GtkWidget* m_pWindow = nullptr;
    ui::SurfacePtr m_picture;  // the background with the version text, as shown
    bool m_bComposited = false;
    bool m_bAsking = false;
    ui::CModalLoop m_loop;
    ui::CTimer m_firstFrameTimer;
    guint m_nAfterFirstFrame = 0;
    guint m_nVersionText = 0;
    int m_nResult = 0;
    ui::CSignalGroup m_signals;
};

}  // namespace vostra
