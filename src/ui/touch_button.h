// CTouchButton: the image button of every window. It shows one of three
// pictures (normal, hover, pressed) composited over what its parent paints
// beneath it, carries an optional tooltip, and reports a click to its
// parent as a command with the control's id.
//
// The three faces are built once, at the first paint after SetImages, over
// the parent's pixels as they are then; each later repaint only copies a
// prepared face. Pressed (left button held on the control) wins over hover,
// hover over normal. Hover starts 1 ms after the pointer comes to rest on
// the button and ends when it leaves. A double click counts as two clicks.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string>

#include "ui/control_parent.h"
#include "ui/drawing.h"
#include "ui/png_image.h"
#include "ui/signal_group.h"
#include "ui/tooltip_window.h"

namespace vostra::ui {

class CTouchButton {
public:
    enum class Face { kNone, kNormal, kHover, kPressed };

    static constexpr int kHoverTimeMs = 1;
    static constexpr int kToolTipDelayMs = 2000;

    CTouchButton() = default;
    ~CTouchButton();
    CTouchButton(const CTouchButton&) = delete;
    CTouchButton& operator=(const CTouchButton&) = delete;

    // Creates the control on `parent`'s container at `rect` (client
    // coordinates of the parent window). Commands go to `parent`.
    void Create(CControlParent* parent, GtkFixed* container, int id, const Rect& rect);

    // Loads the three pictures by PNG id (hover first, then normal, then
    // pressed). One id may serve several states. A picture that fails to
    // load leaves its face showing only the parent's pixels.
    void SetImages(int normalId, int hoverId, int pressedId);

    // Gives the button a tooltip shown 2000 ms after the pointer comes to
    // rest on it. An empty text does nothing at all.
    void SetToolTipText(const std::string& text, bool activate = true);

    // Disconnects the handlers and destroys the control; safe to call twice
    // and after the parent window destroyed the widget.
    void DestroyWindow();

    GtkWidget* Widget() const { return m_pWidget; }
    int Id() const { return m_nId; }
    Face CurrentFace() const { return m_face; }
    bool FacesBuilt() const { return m_bFacesBuilt; }
    const CToolTipWindow* ToolTip() const { return m_pToolTip.get(); }

private:
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean OnMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self);
    static gboolean OnEnter(GtkWidget* widget, GdkEventCrossing* event, gpointer self);
    static gboolean OnLeave(GtkWidget* widget, GdkEventCrossing* event, gpointer self);
    static gboolean OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
    static gboolean OnButtonRelease(GtkWidget* widget, GdkEventButton* event, gpointer self);
    static gboolean OnHoverTimer(gpointer self);

    void BuildFaces();
    SurfacePtr ComposeFace(cairo_surface_t* image) const;
    void TrackPointer(double x, double y);
    void OnMouseHover();
    void OnMouseLeave();
    bool Inside(double x, double y) const;

    CControlParent* m_pParent = nullptr;
    GtkWidget* m_pWidget = nullptr;
    int m_nId = 0;
    Rect m_rect;

    bool m_bFacesBuilt = false;
    bool m_bHovering = false;
    bool m_bTracking = false;
    bool m_bLeftDown = false;      // the left button went down on the control
    bool m_bPointerInside = false;
    std::unique_ptr<CGdiPlusBitmapResource> m_pHoverImage;
    std::unique_ptr<CGdiPlusBitmapResource> m_pNormalImage;
    std::unique_ptr<CGdiPlusBitmapResource> m_pPressedImage;
    std::string m_strToolTipText;
    std::unique_ptr<CToolTipWindow> m_pToolTip;

    SurfacePtr m_background;
    SurfacePtr m_normalFace;
    SurfacePtr m_pressedFace;
    SurfacePtr m_hoverFace;
    Face m_face = Face::kNone;

    CTimer m_hoverTimer;
    CSignalGroup m_signals;
};

}  // namespace vostra::ui
