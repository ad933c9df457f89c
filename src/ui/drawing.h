// Drawing helpers shared by the windows: rectangles, ARGB colours, the
// "arial" font, tiled fills and the hover brightening of a picture.
#pragma once

#include <cairo.h>
#include <pango/pango.h>

#include <cstdint>
#include <memory>

namespace vostra::ui {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Colours are 0xAARRGGBB, not premultiplied.
void SetSourceArgb(cairo_t* cr, uint32_t argb);

enum class FontStyle { kRegular = 0, kBold = 1 };

struct FontDeleter {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
using FontPtr = std::unique_ptr<PangoFontDescription, FontDeleter>;

// The family list behind MakeArialFont: "Arial" first (fontconfig answers
// it with a metric-compatible face such as Liberation Sans), then the
// generic sans-serif family for machines that have neither.
inline constexpr const char* kArialFamilies = "Arial,sans-serif";

// An "arial" font whose em size is `size_px` pixels.
FontPtr MakeArialFont(double size_px, FontStyle style);

// Fills `rect` with `tile` repeated, the pattern starting at the
// rectangle's top-left corner wherever the rectangle lies. A null tile
// fills nothing.
void FillTiledRect(cairo_t* cr, cairo_surface_t* tile, const Rect& rect);

// The hover brightening: red, green and blue become 1.05 times their value
// plus 5% of full scale (clamped), alpha stays. Works on one premultiplied
// ARGB32 pixel; the colour is taken out of premultiplication first so that
// half-transparent edges brighten like opaque ones.
uint32_t BrightenPixel(uint32_t premultiplied_argb);

// A brightened copy of an image surface (ARGB32); null for null.
cairo_surface_t* CreateBrightenedCopy(cairo_surface_t* image);

}  // namespace vostra::ui
