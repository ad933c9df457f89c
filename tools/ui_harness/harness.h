// vostra-ui-harness: shows one piece of the UI kit on its own, for the
// window tests and for anyone working on the look.
#pragma once

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "ui/drawing.h"

namespace vostra::harness {

using Args = std::vector<std::string>;

int RunMessageBox(const Args& args);
int RunButtons(const Args& args);
int RunOverlay(const Args& args);

// The test pattern the harness's own windows paint: red grows to the
// right, green downwards, blue fixed, so a test can tell any pixel's
// expected colour from its position.
void PaintPattern(cairo_t* cr, int width, int height);
uint32_t PatternPixel(int x, int y, int width, int height);

// A plain window painted with the pattern, at `rect`.
GtkWidget* CreatePatternWindow(const std::string& title, const ui::Rect& rect);

// Parses "WxH"; false when malformed.
bool ParseSize(const std::string& text, int* width, int* height);

// Prints one line on standard output at once (the tests read it).
void Say(const std::string& line);

// The X window id of a realized GTK window.
unsigned long XidOf(GtkWidget* window);

}  // namespace vostra::harness

namespace vostra::harness {

// Prints "shown XID X Y W H" after the window's first paint.
void AnnounceOnFirstDraw(GtkWidget* window);

}  // namespace vostra::harness
