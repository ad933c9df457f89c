#include "emblem.h"

#include <cmath>

#include "canvas.h"

namespace artgen {
namespace {

// The shield outline in a box of width w and height 1.2 w.
void ShieldPath(cairo_t* cr, double x, double y, double w) {
    const double h = 1.2 * w;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, x, y + 0.06 * h);
    cairo_curve_to(cr, x + 0.25 * w, y + 0.06 * h, x + 0.4 * w, y + 0.03 * h, x + 0.5 * w, y);
    cairo_curve_to(cr, x + 0.6 * w, y + 0.03 * h, x + 0.75 * w, y + 0.06 * h, x + w, y + 0.06 * h);
    cairo_line_to(cr, x + w, y + 0.5 * h);
    cairo_curve_to(cr, x + w, y + 0.78 * h, x + 0.7 * w, y + 0.9 * h, x + 0.5 * w, y + h);
    cairo_curve_to(cr, x + 0.3 * w, y + 0.9 * h, x, y + 0.78 * h, x, y + 0.5 * h);
    cairo_close_path(cr);
}

// The "V": two blades meeting at the bottom, in the shield's box.
void VeePath(cairo_t* cr, double x, double y, double w) {
    const double h = 1.2 * w;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, x + 0.17 * w, y + 0.30 * h);
    cairo_line_to(cr, x + 0.40 * w, y + 0.30 * h);
    cairo_line_to(cr, x + 0.50 * w, y + 0.60 * h);
    cairo_line_to(cr, x + 0.60 * w, y + 0.30 * h);
    cairo_line_to(cr, x + 0.83 * w, y + 0.30 * h);
    cairo_line_to(cr, x + 0.50 * w, y + 0.84 * h);
    cairo_close_path(cr);
}

}  // namespace

void StarPath(cairo_t* cr, double cx, double cy, double radius, double waist) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < 8; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 4;
        const double r = (i % 2 == 0) ? radius : radius * waist;
        if (i == 0) cairo_move_to(cr, cx + r * cos(a), cy + r * sin(a));
        else cairo_line_to(cr, cx + r * cos(a), cy + r * sin(a));
    }
    cairo_close_path(cr);
}

void SetGoldSource(cairo_t* cr, double y0, double y1) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    const Rgba a = pal::kGoldLight, b = pal::kGold, c = pal::kGoldDark;
    cairo_pattern_add_color_stop_rgb(p, 0.0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(p, 0.45, b.r, b.g, b.b);
    cairo_pattern_add_color_stop_rgb(p, 1.0, c.r, c.g, c.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void DrawEmblem(cairo_t* cr, double x, double y, double w) {
    const double h = 1.2 * w;
    const double rim = std::max(1.0, w * 0.08);
    cairo_save(cr);
    // Dark halo so the crest separates from any background.
    ShieldPath(cr, x - rim * 0.6, y - rim * 0.6, w + rim * 1.2);
    SetColour(cr, WithAlpha(pal::kInk, 0.8));
    cairo_fill(cr);
    // Gold rim, then the blue field inside it.
    ShieldPath(cr, x, y, w);
    SetGoldSource(cr, y, y + h);
    cairo_fill(cr);
    ShieldPath(cr, x + rim, y + rim * 1.2, w - 2 * rim);
    SetVerticalGradient(cr, y, y + h, pal::kNavyLight, pal::kNavyDeep);
    cairo_fill(cr);
    // The letter and the star.
    VeePath(cr, x, y, w);
    SetGoldSource(cr, y + 0.3 * h, y + 0.84 * h);
    cairo_fill(cr);
    if (w >= 14) {
        StarPath(cr, x + 0.5 * w, y + 0.2 * h, 0.11 * w, 0.32);
        SetColour(cr, pal::kCream);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

}  // namespace artgen
