#include <cmath>

#include "canvas.h"
#include "emblem.h"
#include "families.h"
#include "scenery.h"

namespace artgen {
namespace {

constexpr int kW = 1199, kH = 733;
// Where the login popup lies over this picture (its offset and size are
// fixed by the login window).
constexpr double kPopX = 409, kPopY = 139, kPopW = 714, kPopH = 488;
// The body of the window and the pointed crest tab rising above it.
constexpr double kLeft = 14, kTop = 52, kRight = 1185, kBottom = 719, kRadius = 20;
constexpr double kTabX = 205, kTabHalf = 105, kTabPeak = 4;
constexpr double kColumnX = 20, kColumnW = kPopX - 26;  // the left column beside the popup

// The window's outline: a rounded body with the crest tab on its top edge.
void ShapePath(cairo_t* cr) {
    const double k = M_PI / 180;
    cairo_new_path(cr);
    cairo_move_to(cr, kLeft + kRadius, kTop);
    cairo_line_to(cr, kTabX - kTabHalf, kTop);
    cairo_curve_to(cr, kTabX - kTabHalf + 20, kTop, kTabX - 60, kTop - 16, kTabX - 40, kTop - 30);
    cairo_curve_to(cr, kTabX - 25, kTop - 40, kTabX - 10, kTabPeak + 10, kTabX, kTabPeak);
    cairo_curve_to(cr, kTabX + 10, kTabPeak + 10, kTabX + 25, kTop - 40, kTabX + 40, kTop - 30);
    cairo_curve_to(cr, kTabX + 60, kTop - 16, kTabX + kTabHalf - 20, kTop, kTabX + kTabHalf, kTop);
    cairo_arc(cr, kRight - kRadius, kTop + kRadius, kRadius, -90 * k, 0);
    cairo_arc(cr, kRight - kRadius, kBottom - kRadius, kRadius, 0, 90 * k);
    cairo_arc(cr, kLeft + kRadius, kBottom - kRadius, kRadius, 90 * k, 180 * k);
    cairo_arc(cr, kLeft + kRadius, kTop + kRadius, kRadius, 180 * k, 270 * k);
    cairo_close_path(cr);
}

void PaintLandscape(cairo_t* cr) {
    const Area all{0, 0, kW, kH};
    Random rnd(20240517);
    PaintSky(cr, all, 600);
    PaintStars(cr, Area{0, 0, kW, 520}, rnd, 900);
    PaintMoon(cr, 1135, 96, 20);
    PaintRange(cr, Area{0, 0, kW, kH}, rnd, 500, 110, Hex(0x3a4670), Hex(0x1e2848));
    PaintMist(cr, all, 560, 60, 0.25);
    PaintRange(cr, Area{0, 0, kW, kH}, rnd, 585, 60, Hex(0x1c2a50), Hex(0x0f1936));
    PaintMist(cr, all, 640, 50, 0.18);
    PaintCastle(cr, 205, 640, 1.0, Hex(0x080f24));
    PaintRange(cr, Area{0, 0, kW, kH}, rnd, 680, 22, Hex(0x0b1430), Hex(0x050a18));
}

// A dark glassy slot with a gold frame into which the popup fits.
void PaintPopupSlot(cairo_t* cr) {
    for (int i = 8; i >= 1; --i) {  // soft shadow around the slot
        cairo_rectangle(cr, kPopX - 4 - i, kPopY - 4 - i + 3, kPopW + 8 + 2 * i, kPopH + 8 + 2 * i);
        SetColour(cr, WithAlpha(pal::kInk, 0.07));
        cairo_fill(cr);
    }
    cairo_rectangle(cr, kPopX - 4, kPopY - 4, kPopW + 8, kPopH + 8);
    SetColour(cr, pal::kNavyDeep);
    cairo_fill(cr);
    cairo_set_line_width(cr, 2);
    cairo_rectangle(cr, kPopX - 5, kPopY - 5, kPopW + 10, kPopH + 10);
    SetGoldSource(cr, kPopY - 5, kPopY + kPopH + 5);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, kPopX - 1.5, kPopY - 1.5, kPopW + 3, kPopH + 3);
    SetColour(cr, WithAlpha(pal::kGold, 0.5));
    cairo_stroke(cr);
    // Jewels on the frame's corners.
    for (double x : {kPopX - 5, kPopX + kPopW + 5})
        for (double y : {kPopY - 5, kPopY + kPopH + 5}) {
            StarPath(cr, x, y, 9, 0.35);
            SetColour(cr, pal::kInk);
            cairo_fill(cr);
            StarPath(cr, x, y, 7, 0.35);
            SetGoldSource(cr, y - 7, y + 7);
            cairo_fill(cr);
        }
}

void PaintTitle(cairo_t* cr) {
    // Light behind the crest and the name.
    cairo_pattern_t* glow = cairo_pattern_create_radial(kTabX, 150, 10, kTabX, 150, 200);
    cairo_pattern_add_color_stop_rgba(glow, 0, 0.45, 0.55, 0.85, 0.35);
    cairo_pattern_add_color_stop_rgba(glow, 1, 0.45, 0.55, 0.85, 0);
    cairo_rectangle(cr, 0, 0, kPopX - 6, kH);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);

    DrawEmblem(cr, kTabX - 42, 20, 84);

    const TextStyle title{58, true, true, pal::kGoldLight, 6};
    const TextSize size = MeasureText(cr, "VOSTRA", title);
    const double tx = std::round(kColumnX + (kColumnW - size.width) / 2), ty = 132;
    TextPath(cr, "VOSTRA", title, tx, ty);
    SetColour(cr, pal::kInk);
    cairo_set_line_width(cr, 5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    SetGoldSource(cr, ty + 14, ty + size.height - 10);
    cairo_fill(cr);

    // A rule with a diamond, and the launcher's subtitle.
    const double ry = 218;
    for (int side : {-1, 1}) {
        cairo_pattern_t* p = cairo_pattern_create_linear(kTabX, 0, kTabX + side * 150, 0);
        cairo_pattern_add_color_stop_rgba(p, 0, pal::kGold.r, pal::kGold.g, pal::kGold.b, 1);
        cairo_pattern_add_color_stop_rgba(p, 1, pal::kGold.r, pal::kGold.g, pal::kGold.b, 0);
        cairo_rectangle(cr, side < 0 ? kTabX - 150 : kTabX, ry, 150, 1);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    StarPath(cr, kTabX, ry + 0.5, 6, 0.3);
    SetColour(cr, pal::kGoldLight);
    cairo_fill(cr);
    const TextStyle sub{17, false, false, pal::kCream, 3};
    DrawLabel(cr, "Orbix网 · 官方登录器", sub, kColumnX, ry + 12, kColumnW, 24, pal::kInk);
}

// The gold rim along the outline: shade and a fine light line inside it,
// a dark line outside it.
void StrokeInside(cairo_t* cr, Rgba colour, double width) {
    cairo_save(cr);
    ShapePath(cr);
    cairo_clip(cr);
    ShapePath(cr);
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void PaintRim(cairo_t* cr) {
    StrokeInside(cr, WithAlpha(pal::kInk, 0.5), 16);
    StrokeInside(cr, WithAlpha(pal::kGoldLight, 0.45), 9);
    StrokeInside(cr, pal::kInk, 7);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    ShapePath(cr);
    SetColour(cr, pal::kInk);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    ShapePath(cr);
    SetGoldSource(cr, 0, kH);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
}

}  // namespace

void DrawLoginBackground(Output& out) {
    Canvas c(kW, kH);
    cairo_t* cr = c.cr();
    cairo_save(cr);
    ShapePath(cr);
    cairo_clip(cr);
    PaintLandscape(cr);
    PaintTitle(cr);
    PaintPopupSlot(cr);
    cairo_restore(cr);
    PaintRim(cr);
    // The crest sits on the tab, over the rim.
    DrawEmblem(cr, kTabX - 42, 20, 84);
    out.Png(319, c);
}

}  // namespace artgen
