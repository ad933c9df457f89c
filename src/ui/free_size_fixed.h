// A GtkFixed that asks for no room of its own. A plain GtkFixed asks for
// as much as its children reach, so a window whose buttons sit at its
// right edge could never be made narrower than it is; this one lets the
// window take whatever size it is given, and the owner moves the children.
#pragma once

#include <gtk/gtk.h>

namespace vostra::ui {

GtkWidget* FreeSizeFixedNew();

}  // namespace vostra::ui
