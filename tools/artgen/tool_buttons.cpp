#include <string>

#include "canvas.h"
#include "families.h"
#include "glyphs.h"

namespace artgen {
namespace {

using GlyphFn = void (*)(cairo_t*, int, int, Rgba);

struct ToolButton {
    int width;
    GlyphFn glyph;
    const char* label;  // matches the button's tooltip
    int normalId, hoverId, pressedId;
};

constexpr int kHeight = 24;

void Body(cairo_t* cr, int w, Face face) {
    RoundedRect(cr, 0.5, 0.5, w - 1, kHeight - 1, 3.5);
    cairo_set_line_width(cr, 1);
    switch (face) {
    case Face::Normal:
        SetVerticalGradient(cr, 0, kHeight, Hex(0x1a2f5e, 0.55), Hex(0x050a18, 0.55));
        cairo_fill_preserve(cr);
        SetColour(cr, WithAlpha(pal::kGold, 0.45));
        break;
    case Face::Hover:
        SetVerticalGradient(cr, 0, kHeight, pal::kSteel, pal::kNavy);
        cairo_fill_preserve(cr);
        SetColour(cr, pal::kGoldLight);
        break;
    case Face::Pressed:
        SetVerticalGradient(cr, 0, kHeight, pal::kInk, pal::kNavy);
        cairo_fill_preserve(cr);
        SetColour(cr, pal::kGold);
        break;
    }
    cairo_stroke(cr);
    if (face == Face::Hover)  // glassy light along the top inside edge
        HLine(cr, 3, w - 3, 1, WithAlpha(Hex(0xffffff), 0.25));
}

void DrawOne(Output& out, const ToolButton& b, Face face, int id) {
    Canvas c(b.width, kHeight);
    cairo_t* cr = c.cr();
    Body(cr, b.width, face);

    const TextStyle text{12, false, false,
                         face == Face::Normal ? pal::kCreamDim
                         : face == Face::Hover ? pal::kCream
                                               : pal::kGoldLight};
    const double labelW = MeasureText(cr, b.label, text).width;
    const int groupW = 12 + 4 + int(labelW);
    const int x = (b.width - groupW) / 2;
    const int dy = face == Face::Pressed ? 1 : 0;
    const Rgba glyphInk = face == Face::Normal ? pal::kGold : pal::kGoldLight;
    b.glyph(cr, x, 6 + dy + 1, WithAlpha(pal::kInk, 0.8));
    b.glyph(cr, x, 6 + dy, glyphInk);
    DrawLabel(cr, b.label, text, x + 16, dy, labelW, kHeight, WithAlpha(pal::kInk, 0.85));
    out.Png(id, c);
}

}  // namespace

void DrawToolButtons(Output& out) {
    const ToolButton buttons[] = {
        {59, GlyphSwitchServer, "选服", 211, 212, 231},
        {97, GlyphKey, "老板键 F10", 223, 215, 233},
        {59, GlyphFullScreen, "全屏", 224, 214, 234},
        {78, GlyphRefresh, "刷新", 226, 219, 236},
        {78, GlyphBroom, "清除缓存", 252, 253, 261},
    };
    for (const auto& b : buttons) {
        DrawOne(out, b, Face::Normal, b.normalId);
        DrawOne(out, b, Face::Hover, b.hoverId);
        DrawOne(out, b, Face::Pressed, b.pressedId);
    }
}

}  // namespace artgen
