#include "title_strip.h"

#include "canvas.h"
#include "emblem.h"
#include "families.h"

namespace artgen {

void PaintStripBand(cairo_t* cr, int x, int w) {
    cairo_save(cr);
    cairo_rectangle(cr, x, 0, w, kStripHeight);
    SetVerticalGradient(cr, 1, 28, Hex(0x1d3566), Hex(0x0b1631));
    cairo_fill(cr);
    HLine(cr, x, x + w, 0, Hex(0x3a5a98));    // light catching the top edge
    HLine(cr, x, x + w, 27, Hex(0x2a1f0c));   // shadow above the gold rule
    HLine(cr, x, x + w, 28, pal::kGold);      // gold rule along the bottom
    HLine(cr, x, x + w, 29, pal::kInk);       // seam to the game below
    cairo_restore(cr);
}

namespace {

// A tapering gold line with a diamond, trailing off the product name.
void Flourish(cairo_t* cr, int x0, int x1, int y) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, pal::kGold.r, pal::kGold.g, pal::kGold.b, 0.9);
    cairo_pattern_add_color_stop_rgba(p, 1, pal::kGold.r, pal::kGold.g, pal::kGold.b, 0.0);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x0 + 6, y, x1 - x0 - 6, 1);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_move_to(cr, x0 + 0.5, y + 0.5);
    cairo_line_to(cr, x0 + 3.5, y - 2.5);
    cairo_line_to(cr, x0 + 6.5, y + 0.5);
    cairo_line_to(cr, x0 + 3.5, y + 3.5);
    cairo_close_path(cr);
    SetColour(cr, pal::kGoldLight);
    cairo_fill(cr);
}

void DrawLeftEnd(Output& out) {
    Canvas c(203, kStripHeight);
    cairo_t* cr = c.cr();
    PaintStripBand(cr, 0, c.width());
    DrawEmblem(cr, 8, 3, 18);

    TextStyle name{16, true, true, pal::kGoldLight, 0.5};
    const std::string text = "Vostra登录器";
    const TextSize size = MeasureText(cr, text, name);
    // Gold lettering with a dark drop shadow, centred on the band above
    // the rule.
    TextStyle shadow = name;
    shadow.colour = pal::kInk;
    DrawTextCentred(cr, text, shadow, 33, 2, size.width, 26);
    cairo_save(cr);
    cairo_push_group(cr);
    DrawTextCentred(cr, text, name, 33, 1, size.width, 26);
    cairo_pattern_t* mask = cairo_pop_group(cr);
    SetGoldSource(cr, 7, 22);
    cairo_mask(cr, mask);
    cairo_pattern_destroy(mask);
    cairo_restore(cr);

    Flourish(cr, 33 + int(size.width) + 6, 196, 14);
    out.Png(203, c);
}

void DrawMiddleTile(Output& out) {
    Canvas c(1, kStripHeight);
    PaintStripBand(c.cr(), 0, 1);
    out.Png(172, c);
}

void DrawRightEnd(Output& out) {
    Canvas c(92, kStripHeight);
    cairo_t* cr = c.cr();
    PaintStripBand(cr, 0, c.width());
    // A darker bay under the three window buttons, cut in at a slant with
    // a gold edge.
    cairo_move_to(cr, 14, 0);
    cairo_line_to(cr, 92, 0);
    cairo_line_to(cr, 92, 27);
    cairo_line_to(cr, 2, 27);
    cairo_close_path(cr);
    SetVerticalGradient(cr, 0, 27, Hex(0x14264d), Hex(0x070f24));
    cairo_fill(cr);
    HLine(cr, 14, 92, 0, Hex(0x2c4680));
    cairo_move_to(cr, 14.5, 0);
    cairo_line_to(cr, 2.5, 27);
    SetColour(cr, WithAlpha(pal::kGold, 0.8));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    out.Png(206, c);
}

}  // namespace

void DrawTitleStrip(Output& out) {
    DrawMiddleTile(out);
    DrawLeftEnd(out);
    DrawRightEnd(out);
}

}  // namespace artgen
