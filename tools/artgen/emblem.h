// The game's crest: a gold-rimmed night-blue shield carrying a gold "V"
// under a four-pointed star. It marks the title strip, the login window,
// the login popup and the program icon.
#pragma once

#include <cairo.h>

#include "palette.h"

namespace artgen {

// Draws the crest with its top-left at (x, y), `width` wide and
// 1.2 x `width` tall.
void DrawEmblem(cairo_t* cr, double x, double y, double width);

// A four-pointed star centred on (cx, cy) with the given outer radius.
void StarPath(cairo_t* cr, double cx, double cy, double radius, double waist);

// Gold metal: a vertical gradient from light gold to dark gold between y0
// and y1, made the current source.
void SetGoldSource(cairo_t* cr, double y0, double y1);

}  // namespace artgen
