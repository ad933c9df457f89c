// Pieces of the night landscape behind the login window: sky, stars,
// moon, mountain ranges, mist and a castle on its hill.
#pragma once

#include <cairo.h>

#include "canvas.h"

namespace artgen {

struct Area {
    double x, y, w, h;
};

void PaintSky(cairo_t* cr, const Area& a, double horizonY);
void PaintStars(cairo_t* cr, const Area& a, Random& rnd, int count);
void PaintMoon(cairo_t* cr, double cx, double cy, double r);

// A mountain range whose ridge wanders around `baseY` by up to
// `amplitude`; filled down to the bottom of the area.
void PaintRange(cairo_t* cr, const Area& a, Random& rnd, double baseY, double amplitude,
                Rgba top, Rgba bottom);

// A soft horizontal band of mist centred on y.
void PaintMist(cairo_t* cr, const Area& a, double y, double height, double alpha);

// A castle silhouette standing on `groundY`, centred on cx, with lit windows.
void PaintCastle(cairo_t* cr, double cx, double groundY, double scale, Rgba body);

}  // namespace artgen
