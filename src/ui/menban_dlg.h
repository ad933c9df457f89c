// CMenbanDlg: the please-wait curtain the launcher drops over its own
// window while the browser cache is cleaned. A borderless window of the
// owner's exact rectangle, dark and slightly see-through (229/255), with a
// four-frame busy animation 40 px above the centre and the text of string
// 116 centred. It takes no input of its own.
//
//   CMenbanDlg overlay;
//   overlay.Create(launcher);     // once, hidden
//   overlay.ShowOverOwner();      // cover the owner, animate
//   overlay.HideOverlay();        // stop; a later show resumes the animation
#pragma once

#include <gtk/gtk.h>

#include <array>
#include <functional>

#include "ui/drawing.h"
#include "ui/png_image.h"
#include "ui/signal_group.h"

namespace vostra::ui {

class CMenbanDlg {
public:
    CMenbanDlg() = default;
    ~CMenbanDlg();
    CMenbanDlg(const CMenbanDlg&) = delete;
    CMenbanDlg& operator=(const CMenbanDlg&) = delete;

    // Creates the overlay hidden, owned by `owner` so it stays above it.
    void Create(GtkWindow* owner);

    // What the owner does: place the overlay on its rectangle, start timer
    // 5000 at 200 ms and show it; to hide, kill the timer and hide it.
    void ShowOverOwner();
    void HideOverlay();

    // The window-level steps the two above are made of.
    void SetWindowPos(const Rect& screen_rect);
    void SetTimer(int id, int period_ms);
    void KillTimer(int id);
    void ShowWindow(bool show);

    // A timer tick; ids other than 5000 change nothing.
    void OnTimer(int id);

    int CurrentFrame() const { return m_nCurrentFrame; }
    int FrameCounter() const { return m_nFrameCounter; }
    GtkWidget* Window() const { return m_pWindow; }
    // Whether the translucency is drawn by blending over a capture of what
    // lies beneath (no compositor) rather than by window opacity.
    bool BlendsOverCapture() const { return m_bBlend; }

    // Called after each tick with the frame (1 to 4) it shows.
    void SetFrameObserver(std::function<void(int)> observer) { m_onFrame = std::move(observer); }

    void DestroyWindow();

private:
    void OnInitDialog();
    void CaptureBeneath();
    void PaintPicture(cairo_t* cr, int W, int H) const;
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean OnAnimationTick(gpointer self);

    SurfacePtr m_pShadeTile;
    std::array<SurfacePtr, 4> m_frames;
    int m_nCurrentFrame = 1;  // 1 to 4
    int m_nFrameCounter = 1;

    GtkWindow* m_pOwner = nullptr;
    GtkWidget* m_pWindow = nullptr;
    Rect m_rect;
    bool m_bBlend = false;
    SurfacePtr m_beneath;
    CTimer m_animationTimer;
    CSignalGroup m_signals;
    std::function<void(int)> m_onFrame;
};

}  // namespace vostra::ui
