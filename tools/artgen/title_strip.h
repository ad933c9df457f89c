// The launcher's 30-pixel title strip band, shared by its three pieces so
// that the tile and both ends join without a seam.
#pragma once

#include <cairo.h>

namespace artgen {

constexpr int kStripHeight = 30;

// Paints the plain band over columns [x, x + w).
void PaintStripBand(cairo_t* cr, int x, int w);

}  // namespace artgen
