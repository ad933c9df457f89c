#include "canvas.h"
#include "families.h"
#include "glyphs.h"

namespace artgen {
namespace {

using GlyphFn = void (*)(cairo_t*, int, int, Rgba);

struct CaptionButton {
    GlyphFn glyph;
    bool danger;  // the close button turns red under the pointer
    int normalId, hoverId, pressedId;
};

// The pad behind the symbol when the button is hovered or pressed.
void Pad(cairo_t* cr, Face face, bool danger) {
    Rgba top, bottom, edge;
    if (face == Face::Hover) {
        top = danger ? Hex(0xd2473c) : pal::kSteel;
        bottom = danger ? pal::kRedDark : pal::kNavyLight;
        edge = danger ? Hex(0xf08a74) : WithAlpha(pal::kGoldLight, 0.75);
    } else {
        top = danger ? pal::kRedDark : pal::kNavyDeep;
        bottom = danger ? Hex(0x9c2620) : pal::kNavy;
        edge = danger ? Hex(0xc85a4a) : pal::kGold;
    }
    RoundedRect(cr, 2.5, 2.5, 23, 21, 3);
    SetVerticalGradient(cr, 2, 24, top, bottom);
    cairo_fill_preserve(cr);
    SetColour(cr, edge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void DrawOne(Output& out, const CaptionButton& b, Face face, int id) {
    Canvas c(28, 26);
    cairo_t* cr = c.cr();
    if (face != Face::Normal) Pad(cr, face, b.danger);
    const int x = 9, y = face == Face::Pressed ? 9 : 8;
    const Rgba ink = face == Face::Normal ? pal::kCreamDim
                     : face == Face::Hover ? (b.danger ? Hex(0xffffff) : pal::kCream)
                                           : pal::kGoldLight;
    b.glyph(cr, x, y + 1, WithAlpha(pal::kInk, 0.8));  // shadow
    b.glyph(cr, x, y, ink);
    out.Png(id, c);
}

void CrossGlyph(cairo_t* cr, int x, int y, Rgba c) { GlyphCross(cr, x, y, 10, 2, c); }

}  // namespace

void DrawCaptionButtons(Output& out) {
    const CaptionButton buttons[] = {
        {CrossGlyph, true, 207, 208, 227},
        {GlyphMaximise, false, 220, 213, 228},
        {GlyphRestore, false, 221, 217, 229},
        {GlyphMinimise, false, 209, 210, 230},
    };
    for (const auto& b : buttons) {
        DrawOne(out, b, Face::Normal, b.normalId);
        DrawOne(out, b, Face::Hover, b.hoverId);
        DrawOne(out, b, Face::Pressed, b.pressedId);
    }
}

}  // namespace artgen
