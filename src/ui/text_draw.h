// Text in a rectangle as the windows draw it: centred line by line, starting
// at the top, wrapped at the rectangle's width, and cut with an ellipsis
// where it does not fit the rectangle's height.
#pragma once

#include <cairo.h>
#include <pango/pango.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/drawing.h"

namespace vostra::ui {

// Where text that does not fit is cut: after the last character that fits,
// or after the last whole word (for CJK text every character counts as a
// word, since a line may break between any two of them).
enum class Trimming { kEllipsisCharacter, kEllipsisWord };

// The lines a text takes in a rectangle. Line spacing is the font's own,
// whatever fallback face draws a glyph, so that two lines of Chinese fit
// where two lines of Latin text do.
struct FittedText {
    std::vector<std::string> lines;
    double line_step = 0;  // baseline to baseline, pixels
    double ascent = 0;     // top of the rectangle to the first baseline
    bool trimmed = false;  // an ellipsis was put in
};

FittedText FitText(PangoContext* context, std::string_view text,
                   const PangoFontDescription* font, int width, int height, Trimming trimming);

struct TextStyle {
    const PangoFontDescription* font = nullptr;
    uint32_t argb = 0xFF000000;
    Trimming trimming = Trimming::kEllipsisCharacter;
};

// Draws `text` into `rect`, each line centred horizontally, clipped to the
// rectangle.
void DrawTextInRect(cairo_t* cr, std::string_view text, const TextStyle& style, const Rect& rect);

}  // namespace vostra::ui
