// Helpers every borderless window of the launcher uses.
#pragma once

#include <gtk/gtk.h>

#include "ui/drawing.h"

namespace vostra::ui {

// Opens the display for GTK once per process; false when there is none.
bool InitUiToolkit();

// An undecorated, fixed-size, app-painted top-level window holding a
// GtkFixed for its controls (returned through `fixed`).
GtkWidget* CreateBorderlessWindow(int width, int height, GtkWidget** fixed);

// The same, but resizable, starting at width x height: its container asks
// for no room (FreeSizeFixedNew), so the window takes whatever size it is
// given and the owner places the controls for it.
GtkWidget* CreateResizableBorderlessWindow(int width, int height, GtkWidget** fixed);

// Starts a window-manager move when the left button goes down on the
// window's own body (not on a control, which keeps its presses): the
// stand-in for answering a caption hit test. Returns TRUE when it did.
gboolean BeginBodyDrag(GtkWidget* window, GdkEventButton* event);

// The window's outer rectangle on screen, frame included.
Rect WindowScreenRect(GtkWidget* window);

// The work area of the monitor that shows most of `window`, or of the
// primary monitor when there is no window.
Rect WorkArea(GtkWidget* window);

// Where a window of the given size goes to be centred on `area`.
Rect CentredIn(const Rect& area, int width, int height);

// `r` moved as little as needed to lie inside `area` (its top-left corner
// wins when it is larger than the area), as a dialog centred over a window
// that reaches past the screen's edge is kept on the screen.
Rect KeepInside(const Rect& r, const Rect& area);

// Whether the screen has a compositing manager, so that window opacity
// and per-pixel alpha take effect.
bool ScreenIsComposited(GtkWidget* window);

}  // namespace vostra::ui
