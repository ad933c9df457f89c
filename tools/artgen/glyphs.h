// Small pictograms drawn on the pixel grid: the window-button symbols and
// the icons in front of the tool-button labels. (x, y) is the top-left
// corner of the glyph's box.
#pragma once

#include <cairo.h>

#include "palette.h"

namespace artgen {

// Window-button symbols, 10 x 10.
void GlyphMinimise(cairo_t* cr, int x, int y, Rgba c);
void GlyphMaximise(cairo_t* cr, int x, int y, Rgba c);
void GlyphRestore(cairo_t* cr, int x, int y, Rgba c);
// A cross of `size` pixels with strokes `thick` pixels wide.
void GlyphCross(cairo_t* cr, int x, int y, int size, int thick, Rgba c);

// Tool-button icons, 12 x 12.
void GlyphSwitchServer(cairo_t* cr, int x, int y, Rgba c);
void GlyphKey(cairo_t* cr, int x, int y, Rgba c);
void GlyphFullScreen(cairo_t* cr, int x, int y, Rgba c);
void GlyphRefresh(cairo_t* cr, int x, int y, Rgba c);
void GlyphBroom(cairo_t* cr, int x, int y, Rgba c);

}  // namespace artgen
