#include "canvas.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <stdexcept>

namespace artgen {

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot create a drawing surface");
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void SetColour(cairo_t* cr, Rgba c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double k = M_PI / 180.0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -90 * k, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, 90 * k);
    cairo_arc(cr, x + r, y + h - r, r, 90 * k, 180 * k);
    cairo_arc(cr, x + r, y + r, r, 180 * k, 270 * k);
    cairo_close_path(cr);
}

void SetVerticalGradient(cairo_t* cr, double y0, double y1, Rgba top, Rgba bottom) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void FillRect(cairo_t* cr, int x, int y, int w, int h, Rgba c) {
    SetColour(cr, c);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

void HLine(cairo_t* cr, int x0, int x1, int y, Rgba c) { FillRect(cr, x0, y, x1 - x0, 1, c); }

void VLine(cairo_t* cr, int x, int y0, int y1, Rgba c) { FillRect(cr, x, y0, 1, y1 - y0, c); }

namespace {

// Latin text takes Liberation, CJK falls through to Noto CJK SC.
PangoLayout* MakeLayout(cairo_t* cr, const std::string& text, const TextStyle& style) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout);

    PangoFontDescription* font = pango_font_description_from_string(
        style.serif ? "Liberation Serif, Noto Serif CJK SC" : "Liberation Sans, Noto Sans CJK SC");
    pango_font_description_set_absolute_size(font, style.px * PANGO_SCALE);
    pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);

    if (style.letterSpacing != 0) {
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(
            attrs, pango_attr_letter_spacing_new(int(style.letterSpacing * PANGO_SCALE)));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

}  // namespace

TextSize MeasureText(cairo_t* cr, const std::string& text, const TextStyle& style) {
    PangoLayout* layout = MakeLayout(cr, text, style);
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    g_object_unref(layout);
    return TextSize{double(logical.width), double(logical.height)};
}

void DrawText(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double y) {
    PangoLayout* layout = MakeLayout(cr, text, style);
    SetColour(cr, style.colour);
    cairo_move_to(cr, std::round(x), std::round(y));
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

void DrawTextCentred(cairo_t* cr, const std::string& text, const TextStyle& style, double x,
                     double y, double w, double h) {
    PangoLayout* layout = MakeLayout(cr, text, style);
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    // Centre the inked glyphs vertically: CJK fonts carry tall ascents
    // that would push the letters low in a button.
    const double left = std::floor(x + (w - logical.width) / 2.0);
    const double top = std::round(y + (h - ink.height) / 2.0 - ink.y);
    SetColour(cr, style.colour);
    cairo_move_to(cr, left, top);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

void DrawLabel(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double y,
               double w, double h, Rgba shadow) {
    TextStyle dark = style;
    dark.colour = shadow;
    DrawTextCentred(cr, text, dark, x, y + 1, w, h);
    DrawTextCentred(cr, text, style, x, y, w, h);
}

void TextPath(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double y) {
    PangoLayout* layout = MakeLayout(cr, text, style);
    cairo_move_to(cr, x, y);
    pango_cairo_layout_path(cr, layout);
    g_object_unref(layout);
}

double Random::Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / double(1u << 24);
}

}  // namespace artgen
