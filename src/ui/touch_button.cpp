#include "ui/touch_button.h"

namespace vostra::ui {

CTouchButton::~CTouchButton() { DestroyWindow(); }

void CTouchButton::Create(CControlParent* parent, GtkFixed* container, int id, const Rect& rect) {
    DestroyWindow();
    m_pParent = parent;
    m_nId = id;
    m_rect = rect;
    m_pWidget = gtk_drawing_area_new();
    g_object_ref_sink(m_pWidget);
    gtk_widget_set_size_request(m_pWidget, rect.width, rect.height);
    gtk_widget_add_events(m_pWidget, GDK_POINTER_MOTION_MASK | GDK_ENTER_NOTIFY_MASK |
                                         GDK_LEAVE_NOTIFY_MASK | GDK_BUTTON_PRESS_MASK |
                                         GDK_BUTTON_RELEASE_MASK);
    m_signals.Connect(m_pWidget, "draw", G_CALLBACK(&CTouchButton::OnDraw), this);
    m_signals.Connect(m_pWidget, "motion-notify-event", G_CALLBACK(&CTouchButton::OnMotion), this);
    m_signals.Connect(m_pWidget, "enter-notify-event", G_CALLBACK(&CTouchButton::OnEnter), this);
    m_signals.Connect(m_pWidget, "leave-notify-event", G_CALLBACK(&CTouchButton::OnLeave), this);
    m_signals.Connect(m_pWidget, "button-press-event", G_CALLBACK(&CTouchButton::OnButtonPress),
                      this);
    m_signals.Connect(m_pWidget, "button-release-event",
                      G_CALLBACK(&CTouchButton::OnButtonRelease), this);
    gtk_fixed_put(container, m_pWidget, rect.x, rect.y);
    gtk_widget_show(m_pWidget);
}

void CTouchButton::DestroyWindow() {
    m_hoverTimer.Stop();
    m_pToolTip.reset();
    m_signals.DisconnectAll();
    if (m_pWidget != nullptr) {
        gtk_widget_destroy(m_pWidget);
        g_object_unref(m_pWidget);
        m_pWidget = nullptr;
    }
}

void CTouchButton::SetImages(int normalId, int hoverId, int pressedId) {
    m_pHoverImage = std::make_unique<CGdiPlusBitmapResource>();
    m_pHoverImage->Load(hoverId);
    m_pNormalImage = std::make_unique<CGdiPlusBitmapResource>();
    m_pNormalImage->Load(normalId);
    m_pPressedImage = std::make_unique<CGdiPlusBitmapResource>();
    m_pPressedImage->Load(pressedId);
}

void CTouchButton::SetToolTipText(const std::string& text, bool activate) {
    if (text.empty()) return;
    if (!m_pToolTip) m_pToolTip = std::make_unique<CToolTipWindow>();
    m_strToolTipText = text;
    m_pToolTip->SetText(text);
    m_pToolTip->SetAutomaticDelay(kToolTipDelayMs);
    m_pToolTip->Activate(activate);
}

SurfacePtr CTouchButton::ComposeFace(cairo_surface_t* image) const {
    SurfacePtr face(cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_rect.width, m_rect.height));
    cairo_t* cr = cairo_create(face.get());
    cairo_set_source_surface(cr, m_background.get(), 0, 0);
    cairo_paint(cr);
    if (image != nullptr) {
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_rectangle(cr, 0, 0, SurfaceWidth(image), SurfaceHeight(image));
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    return face;
}

void CTouchButton::BuildFaces() {
    if (m_bFacesBuilt || !m_pHoverImage || !m_pNormalImage || !m_pPressedImage) return;
    if (!m_background) {
        // The parent's picture under the button, drawn off screen.
        int x = m_rect.x;
        int y = m_rect.y;
        GtkWidget* top = gtk_widget_get_toplevel(m_pWidget);
        gtk_widget_translate_coordinates(m_pWidget, top, 0, 0, &x, &y);
        m_background.reset(
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_rect.width, m_rect.height));
        cairo_t* cr = cairo_create(m_background.get());
        cairo_translate(cr, -x, -y);
        if (m_pParent != nullptr) m_pParent->PaintBackground(cr);
        cairo_destroy(cr);
    }
    if (!m_normalFace) m_normalFace = ComposeFace(m_pNormalImage->Surface());
    if (!m_pressedFace) m_pressedFace = ComposeFace(m_pPressedImage->Surface());
    if (!m_hoverFace) {
        SurfacePtr bright(CreateBrightenedCopy(m_pHoverImage->Surface()));
        m_hoverFace = ComposeFace(bright.get());
    }
    if (m_face == Face::kNone) m_face = Face::kNormal;
    m_bFacesBuilt = true;
}

gboolean CTouchButton::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    auto* b = static_cast<CTouchButton*>(self);
    b->BuildFaces();
    if (!b->m_bFacesBuilt) return TRUE;  // no pictures: the parent shows through
    if (b->m_bLeftDown && b->m_bPointerInside)
        b->m_face = Face::kPressed;
    else
        b->m_face = b->m_bHovering ? Face::kHover : Face::kNormal;
    cairo_surface_t* face = b->m_face == Face::kPressed ? b->m_pressedFace.get()
                            : b->m_face == Face::kHover ? b->m_hoverFace.get()
                                                        : b->m_normalFace.get();
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, face, 0, 0);
    cairo_paint(cr);
    return TRUE;
}

bool CTouchButton::Inside(double x, double y) const {
    return x >= 0 && y >= 0 && x < m_rect.width && y < m_rect.height;
}

void CTouchButton::TrackPointer(double x, double y) {
    const bool inside = Inside(x, y);
    if (inside != m_bPointerInside) {
        m_bPointerInside = inside;
        if (m_bLeftDown) gtk_widget_queue_draw(m_pWidget);
    }
    // Hover is reported once per visit, after the pointer rested 1 ms.
    if (inside && !m_bTracking) {
        m_bTracking = true;
        m_hoverTimer.Start(kHoverTimeMs, &CTouchButton::OnHoverTimer, this);
    }
}

gboolean CTouchButton::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
    auto* b = static_cast<CTouchButton*>(self);
    b->TrackPointer(event->x, event->y);
    // A move restarts the rest period, as long as hover has not come yet.
    if (b->m_hoverTimer.Running())
        b->m_hoverTimer.Start(kHoverTimeMs, &CTouchButton::OnHoverTimer, self);
    return FALSE;
}

gboolean CTouchButton::OnEnter(GtkWidget*, GdkEventCrossing* event, gpointer self) {
    static_cast<CTouchButton*>(self)->TrackPointer(event->x, event->y);
    return FALSE;
}

gboolean CTouchButton::OnHoverTimer(gpointer self) {
    auto* b = static_cast<CTouchButton*>(self);
    b->m_hoverTimer.Fired();
    b->OnMouseHover();
    return G_SOURCE_REMOVE;
}

void CTouchButton::OnMouseHover() {
    m_bHovering = true;
    gtk_widget_queue_draw(m_pWidget);
    // The tooltip is rebuilt at every hover, then waits its delay.
    m_pToolTip.reset();
    SetToolTipText(m_strToolTipText, true);
    if (m_pToolTip) m_pToolTip->Arm();
}

gboolean CTouchButton::OnLeave(GtkWidget*, GdkEventCrossing* event, gpointer self) {
    auto* b = static_cast<CTouchButton*>(self);
    if (event->detail == GDK_NOTIFY_INFERIOR) return FALSE;
    b->m_bPointerInside = false;
    b->OnMouseLeave();
    return FALSE;
}

void CTouchButton::OnMouseLeave() {
    m_hoverTimer.Stop();
    m_bTracking = false;
    m_bHovering = false;
    if (m_pToolTip) m_pToolTip->Disarm();
    gtk_widget_queue_draw(m_pWidget);
}

gboolean CTouchButton::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto* b = static_cast<CTouchButton*>(self);
    // The second press of a double click arrives as an ordinary press
    // first; the extra double- and triple-click events are dropped, so two
    // quick clicks are two clicks.
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY) return TRUE;
    b->m_bLeftDown = true;
    b->m_bPointerInside = true;
    if (b->m_pToolTip) b->m_pToolTip->Disarm();
    gtk_widget_queue_draw(b->m_pWidget);
    return TRUE;  // a press on a button never drags the window
}

gboolean CTouchButton::OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto* b = static_cast<CTouchButton*>(self);
    if (event->button != GDK_BUTTON_PRIMARY || !b->m_bLeftDown) return TRUE;
    b->m_bLeftDown = false;
    const bool clicked = b->Inside(event->x, event->y);
    b->m_bPointerInside = clicked;
    gtk_widget_queue_draw(b->m_pWidget);
    // Last: the parent may end its modal run on this command.
    if (clicked && b->m_pParent != nullptr) b->m_pParent->OnCommand(b->m_nId);
    return TRUE;
}

}  // namespace vostra::ui
