#include <cmath>

#include "canvas.h"
#include "families.h"

namespace artgen {
namespace {

// Eight beads on a ring; two bright heads opposite each other run one bead
// per frame with fading tails. The pattern repeats every half turn, so
// four frames loop without a jump.
void DrawFrame(Output& out, int id, int frame) {
    Canvas c(23, 23);
    cairo_t* cr = c.cr();
    const double cx = 11.5, cy = 11.5, ring = 8.0;
    for (int i = 0; i < 8; ++i) {
        const int behind = ((frame - i) % 4 + 4) % 4;  // 0 = a head
        const double level = behind == 0 ? 1.0 : behind == 1 ? 0.62 : behind == 2 ? 0.38 : 0.2;
        const double a = -M_PI / 2 + i * M_PI / 4;
        const double x = cx + ring * cos(a), y = cy + ring * sin(a);
        const double r = 1.6 + 0.9 * level;
        cairo_arc(cr, x, y, r + 0.8, 0, 2 * M_PI);
        SetColour(cr, WithAlpha(pal::kInk, 0.5 * level));
        cairo_fill(cr);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        SetColour(cr, WithAlpha(behind == 0 ? pal::kCream : pal::kGold, 0.35 + 0.65 * level));
        cairo_fill(cr);
    }
    out.Png(id, c);
}

}  // namespace

void DrawOverlayFrames(Output& out) {
    Canvas shade(1, 1);
    cairo_set_source_rgba(shade.cr(), 0, 0, 0, 230.0 / 255.0);
    cairo_paint(shade.cr());
    out.Png(275, shade);
    for (int f = 0; f < 4; ++f) DrawFrame(out, 276 + f, f);
}

}  // namespace artgen
