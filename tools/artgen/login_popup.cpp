#include <cmath>

#include "canvas.h"
#include "emblem.h"
#include "families.h"
#include "glyphs.h"

namespace artgen {
namespace {

constexpr int kW = 714, kH = 488;
constexpr int kHeader = 47;             // the web form starts below this band
constexpr int kFormRight = kW - 28;     // ... and ends left of the side bar
constexpr int kFormBottom = kH - 4;
constexpr int kCorner = 6;              // radius of the keyed-out corners

void PaintHeader(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, kW, kHeader);
    SetVerticalGradient(cr, 0, kHeader, Hex(0x1d3566), Hex(0x0b1631));
    cairo_fill(cr);
    HLine(cr, 0, kW, 1, Hex(0x3a5a98));
    HLine(cr, 0, kW, kHeader - 3, Hex(0x2a1f0c));
    HLine(cr, 0, kW, kHeader - 2, pal::kGold);
    HLine(cr, 0, kW, kHeader - 1, pal::kInk);

    DrawEmblem(cr, 14, 7, 25);
    const TextStyle title{19, true, true, pal::kGoldLight, 2};
    const TextSize size = MeasureText(cr, "用户登录", title);
    cairo_save(cr);
    cairo_push_group(cr);
    DrawTextCentred(cr, "用户登录", title, 50, 6, size.width, 24);
    cairo_pattern_t* mask = cairo_pop_group(cr);
    SetColour(cr, pal::kInk);
    cairo_translate(cr, 0, 1);
    cairo_mask(cr, mask);
    cairo_translate(cr, 0, -1);
    SetGoldSource(cr, 9, 28);
    cairo_mask(cr, mask);
    cairo_pattern_destroy(mask);
    cairo_restore(cr);
    const TextStyle sub{9, false, false, WithAlpha(pal::kGold, 0.8), 2.5};
    DrawText(cr, "ACCOUNT LOGIN", sub, 51, 30);
}

void PaintBody(cairo_t* cr) {
    cairo_rectangle(cr, 0, kHeader, kW, kH - kHeader);
    SetVerticalGradient(cr, kHeader, kH, pal::kNavy, pal::kNavyDeep);
    cairo_fill(cr);
    // A faint crest in the middle of the form area, seen while the page loads.
    cairo_push_group(cr);
    DrawEmblem(cr, kFormRight / 2.0 - 60, 150, 120);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.08);
}

// The narrow bar right of the web form: gold rails with jewels.
void PaintSideBar(cairo_t* cr) {
    cairo_rectangle(cr, kFormRight, kHeader, kW - kFormRight, kH - kHeader);
    SetVerticalGradient(cr, kHeader, kH, Hex(0x14264d), Hex(0x070f24));
    cairo_fill(cr);
    VLine(cr, kFormRight, kHeader, kH, pal::kInk);
    VLine(cr, kFormRight + 1, kHeader, kH, WithAlpha(pal::kGold, 0.7));
    VLine(cr, kFormRight + 13, kHeader + 14, kH - 14, WithAlpha(pal::kGold, 0.35));
    for (double y : {kHeader + 14.0, (kHeader + kH) / 2.0, kH - 14.0}) {
        StarPath(cr, kFormRight + 13.5, std::round(y) + 0.5, 6, 0.35);
        SetGoldSource(cr, y - 6, y + 6);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 0, kFormBottom, kFormRight, kH - kFormBottom);
    SetColour(cr, pal::kNavyDeep);
    cairo_fill(cr);
}

void PaintFrame(cairo_t* cr) {
    cairo_set_line_width(cr, 1);
    RoundedRect(cr, 0.5, 0.5, kW - 1, kH - 1, kCorner);
    SetColour(cr, pal::kGold);
    cairo_stroke(cr);
    // Outside the rounded corners: the colour key, with hard edges so no
    // blend of it and the frame appears.
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, 0, 0, kW, kH);
    RoundedRect(cr, 0, 0, kW, kH, kCorner);
    SetColour(cr, pal::kColourKey);
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawBackground(Output& out) {
    Canvas c(kW, kH);
    cairo_t* cr = c.cr();
    PaintBody(cr);
    PaintHeader(cr);
    PaintSideBar(cr);
    PaintFrame(cr);
    out.Bitmap(318, c);
}

// The square pad of the header buttons, 24 x 24 at (x, y).
void Pad(cairo_t* cr, double x, double y, Face face, bool danger) {
    RoundedRect(cr, x + 0.5, y + 0.5, 23, 23, 4);
    cairo_set_line_width(cr, 1);
    if (face == Face::Normal) {
        SetVerticalGradient(cr, y, y + 24, Hex(0x1a2f5e, 0.6), Hex(0x050a18, 0.6));
        cairo_fill_preserve(cr);
        SetColour(cr, WithAlpha(pal::kGold, 0.55));
    } else if (face == Face::Hover) {
        SetVerticalGradient(cr, y, y + 24, danger ? Hex(0xd2473c) : pal::kSteel,
                            danger ? pal::kRedDark : pal::kNavy);
        cairo_fill_preserve(cr);
        SetColour(cr, danger ? Hex(0xf08a74) : pal::kGoldLight);
    } else {
        SetVerticalGradient(cr, y, y + 24, danger ? pal::kRedDark : pal::kInk,
                            danger ? Hex(0x9c2620) : pal::kNavy);
        cairo_fill_preserve(cr);
        SetColour(cr, danger ? Hex(0xc85a4a) : pal::kGold);
    }
    cairo_stroke(cr);
}

void DrawMinimise(Output& out, int id, Face face) {
    Canvas c(31, 30);
    cairo_t* cr = c.cr();
    Pad(cr, 6, 3, face, false);
    const int dy = face == Face::Pressed ? 1 : 0;
    const Rgba ink = face == Face::Normal ? pal::kCreamDim : pal::kCream;
    FillRect(cr, 13, 18 + dy, 10, 2, WithAlpha(pal::kInk, 0.8));
    FillRect(cr, 13, 17 + dy, 10, 2, ink);
    out.Png(id, c);
}

void DrawClose(Output& out, int id, Face face) {
    Canvas c(35, 36);
    cairo_t* cr = c.cr();
    Pad(cr, 5, 7, face, true);
    const int dy = face == Face::Pressed ? 1 : 0;
    const Rgba ink = face == Face::Normal ? pal::kCreamDim : Hex(0xffffff);
    GlyphCross(cr, 12, 15 + dy, 10, 2, WithAlpha(pal::kInk, 0.8));
    GlyphCross(cr, 12, 14 + dy, 10, 2, ink);
    out.Png(id, c);
}

}  // namespace

void DrawLoginPopup(Output& out) {
    DrawBackground(out);
    DrawMinimise(out, 320, Face::Normal);
    DrawMinimise(out, 321, Face::Hover);
    DrawMinimise(out, 322, Face::Pressed);
    DrawClose(out, 323, Face::Normal);
    DrawClose(out, 324, Face::Hover);
    DrawClose(out, 325, Face::Pressed);
}

}  // namespace artgen
