#include "canvas.h"
#include "emblem.h"
#include "families.h"
#include "glyphs.h"
#include "title_strip.h"

namespace artgen {
namespace {

constexpr int kW = 256, kH = 110;

// An L-shaped gold bracket in a body corner; (sx, sy) give its direction.
void CornerBracket(cairo_t* cr, int x, int y, int sx, int sy) {
    const Rgba c = WithAlpha(pal::kGold, 0.7);
    for (int i = 0; i < 8; ++i) FillRect(cr, x + sx * i, y, 1, 1, c);
    for (int i = 1; i < 8; ++i) FillRect(cr, x, y + sy * i, 1, 1, c);
    FillRect(cr, x + sx * 2, y + sy * 2, 1, 1, pal::kGoldLight);
}

void DrawBackground(Output& out) {
    Canvas c(kW, kH);
    cairo_t* cr = c.cr();
    // Title band: the launcher's strip in small, with the crest.
    PaintStripBand(cr, 0, kW);
    DrawEmblem(cr, 10, 5, 15);
    // Body with a soft light behind the message.
    cairo_rectangle(cr, 0, 30, kW, kH - 30);
    SetVerticalGradient(cr, 30, kH, pal::kNavy, pal::kNavyDeep);
    cairo_fill(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(128, 50, 4, 128, 50, 120);
    cairo_pattern_add_color_stop_rgba(glow, 0, pal::kSteel.r, pal::kSteel.g, pal::kSteel.b, 0.35);
    cairo_pattern_add_color_stop_rgba(glow, 1, pal::kSteel.r, pal::kSteel.g, pal::kSteel.b, 0);
    cairo_rectangle(cr, 0, 30, kW, kH - 30);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);

    CornerBracket(cr, 5, 35, 1, 1);
    CornerBracket(cr, kW - 6, 35, -1, 1);
    CornerBracket(cr, 5, kH - 6, 1, -1);
    CornerBracket(cr, kW - 6, kH - 6, -1, -1);

    // Double frame: gold outside, dark inside.
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 0.5, 0.5, kW - 1, kH - 1);
    SetColour(cr, pal::kGold);
    cairo_stroke(cr);
    cairo_rectangle(cr, 1.5, 1.5, kW - 3, kH - 3);
    SetColour(cr, WithAlpha(pal::kInk, 0.7));
    cairo_stroke(cr);
    out.Png(304, c);
}

struct ButtonLook {
    Rgba top, bottom, edge, text, textShadow;
};

void DrawButton(Output& out, int id, const char* label, const ButtonLook& look) {
    Canvas c(82, 34);
    cairo_t* cr = c.cr();
    RoundedRect(cr, 3, 4, 76, 28, 5);  // shadow
    SetColour(cr, WithAlpha(pal::kInk, 0.6));
    cairo_fill(cr);
    RoundedRect(cr, 3.5, 3.5, 75, 27, 4.5);
    SetVerticalGradient(cr, 3, 31, look.top, look.bottom);
    cairo_fill_preserve(cr);
    SetColour(cr, look.edge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    HLine(cr, 7, 75, 5, WithAlpha(Hex(0xffffff), 0.35));  // upper sheen
    const TextStyle text{14, true, false, look.text, 4};
    DrawLabel(cr, label, text, 2, 3, 80, 28, look.textShadow);
    out.Png(id, c);
}

}  // namespace

void DrawMessageBox(Output& out) {
    DrawBackground(out);
    const Rgba darkText = Hex(0x2a1a04);
    const Rgba lightShadow = WithAlpha(pal::kGoldLight, 0.6);
    DrawButton(out, 314, "确定", {pal::kGoldLight, pal::kGoldDark, Hex(0x5a4216), darkText, lightShadow});
    DrawButton(out, 313, "确定", {Hex(0xfff0b8), pal::kGold, Hex(0xfff4c8), darkText, lightShadow});
    const Rgba inkShadow = WithAlpha(pal::kInk, 0.9);
    DrawButton(out, 312, "取消", {pal::kNavyLight, pal::kNavyDeep, pal::kGoldDark, pal::kCreamDim, inkShadow});
    DrawButton(out, 311, "取消", {pal::kSteel, pal::kNavy, pal::kGold, pal::kCream, inkShadow});

    Canvas cross(9, 9);
    GlyphCross(cross.cr(), 0, 0, 9, 2, pal::kGoldLight);
    out.Png(316, cross);
}

}  // namespace artgen
