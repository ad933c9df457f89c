#include "ui/drawing.h"

#include <algorithm>
#include <cmath>

namespace vostra::ui {

void SetSourceArgb(cairo_t* cr, uint32_t argb) {
    cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                          (argb & 0xFF) / 255.0, ((argb >> 24) & 0xFF) / 255.0);
}

FontPtr MakeArialFont(double size_px, FontStyle style) {
    FontPtr font(pango_font_description_new());
    pango_font_description_set_family(font.get(), kArialFamilies);
    pango_font_description_set_absolute_size(font.get(), size_px * PANGO_SCALE);
    pango_font_description_set_weight(
        font.get(), style == FontStyle::kBold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    return font;
}

void FillTiledRect(cairo_t* cr, cairo_surface_t* tile, const Rect& rect) {
    if (tile == nullptr || rect.width <= 0 || rect.height <= 0) return;
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, -rect.x, -rect.y);
    cairo_pattern_set_matrix(pattern, &m);
    cairo_save(cr);
    cairo_set_source(cr, pattern);
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(pattern);
}

namespace {

uint32_t BrightenChannel(uint32_t value) {
    const long v = std::lround(1.05 * value + 0.05 * 255.0);
    return static_cast<uint32_t>(std::clamp(v, 0L, 255L));
}

}  // namespace

uint32_t BrightenPixel(uint32_t premultiplied_argb) {
    const uint32_t a = premultiplied_argb >> 24;
    if (a == 0) return 0;
    uint32_t out = a << 24;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const uint32_t premul = (premultiplied_argb >> shift) & 0xFF;
        const uint32_t straight = std::min<uint32_t>(255, (premul * 255 + a / 2) / a);
        const uint32_t bright = BrightenChannel(straight);
        out |= ((bright * a + 127) / 255) << shift;
    }
    return out;
}

cairo_surface_t* CreateBrightenedCopy(cairo_surface_t* image) {
    if (image == nullptr) return nullptr;
    const int w = cairo_image_surface_get_width(image);
    const int h = cairo_image_surface_get_height(image);
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(copy);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(copy);
    unsigned char* data = cairo_image_surface_get_data(copy);
    const int stride = cairo_image_surface_get_stride(copy);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        for (int x = 0; x < w; ++x) row[x] = BrightenPixel(row[x]);
    }
    cairo_surface_mark_dirty(copy);
    return copy;
}

}  // namespace vostra::ui
