#include "scenery.h"

#include <cmath>
#include <vector>

namespace artgen {

void PaintSky(cairo_t* cr, const Area& a, double horizonY) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, a.y, 0, horizonY);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.027, 0.05, 0.13);
    cairo_pattern_add_color_stop_rgb(p, 0.55, 0.08, 0.15, 0.33);
    cairo_pattern_add_color_stop_rgb(p, 0.85, 0.20, 0.22, 0.40);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.52, 0.36, 0.26);  // ember glow at the horizon
    cairo_rectangle(cr, a.x, a.y, a.w, a.h);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void PaintStars(cairo_t* cr, const Area& a, Random& rnd, int count) {
    for (int i = 0; i < count; ++i) {
        const double x = std::floor(a.x + rnd.Next() * a.w);
        const double y = std::floor(a.y + rnd.Next() * a.h);
        const double fade = 1.0 - (y - a.y) / a.h;  // fewer near the horizon
        const double bright = rnd.Next();
        const double alpha = (0.25 + 0.75 * bright) * fade;
        FillRect(cr, int(x), int(y), 1, 1, Rgba{1.0, 0.97, 0.88, alpha});
        if (bright > 0.93) {  // a few larger stars with a cross of light
            const Rgba halo{1.0, 0.95, 0.8, alpha * 0.45};
            FillRect(cr, int(x) - 1, int(y), 1, 1, halo);
            FillRect(cr, int(x) + 1, int(y), 1, 1, halo);
            FillRect(cr, int(x), int(y) - 1, 1, 1, halo);
            FillRect(cr, int(x), int(y) + 1, 1, 1, halo);
        }
    }
}

void PaintMoon(cairo_t* cr, double cx, double cy, double r) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, r * 0.8, cx, cy, r * 5);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.93, 0.75, 0.35);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.93, 0.75, 0.0);
    cairo_arc(cr, cx, cy, r * 5, 0, 2 * M_PI);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_pattern_t* disc = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.3, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(disc, 0, 1.0, 0.98, 0.9);
    cairo_pattern_add_color_stop_rgb(disc, 1, 0.93, 0.82, 0.6);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, disc);
    cairo_fill(cr);
    cairo_pattern_destroy(disc);
    // A few darker seas on its face.
    SetColour(cr, Rgba{0.78, 0.68, 0.5, 0.35});
    cairo_arc(cr, cx + r * 0.25, cy - r * 0.1, r * 0.28, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_arc(cr, cx - r * 0.3, cy + r * 0.35, r * 0.18, 0, 2 * M_PI);
    cairo_fill(cr);
}

namespace {

// Midpoint displacement over 2^levels segments.
std::vector<double> Ridge(Random& rnd, int levels, double amplitude) {
    const size_t n = size_t(1) << levels;
    std::vector<double> h(n + 1, 0.0);
    h[0] = (rnd.Next() - 0.5) * amplitude;
    h[n] = (rnd.Next() - 0.5) * amplitude;
    double spread = amplitude;
    for (size_t step = n; step > 1; step /= 2) {
        for (size_t i = 0; i < n; i += step)
            h[i + step / 2] = (h[i] + h[i + step]) / 2 + (rnd.Next() - 0.5) * spread;
        spread *= 0.55;
    }
    return h;
}

}  // namespace

void PaintRange(cairo_t* cr, const Area& a, Random& rnd, double baseY, double amplitude,
                Rgba top, Rgba bottom) {
    const std::vector<double> h = Ridge(rnd, 7, amplitude * 2);
    const double step = a.w / double(h.size() - 1);
    cairo_move_to(cr, a.x, a.y + a.h);
    for (size_t i = 0; i < h.size(); ++i) cairo_line_to(cr, a.x + i * step, baseY + h[i]);
    cairo_line_to(cr, a.x + a.w, a.y + a.h);
    cairo_close_path(cr);
    SetVerticalGradient(cr, baseY - amplitude, a.y + a.h, top, bottom);
    cairo_fill(cr);
}

void PaintMist(cairo_t* cr, const Area& a, double y, double height, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y - height / 2, 0, y + height / 2);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.6, 0.66, 0.85, 0);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 0.6, 0.66, 0.85, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.6, 0.66, 0.85, 0);
    cairo_rectangle(cr, a.x, y - height / 2, a.w, height);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

namespace {

// A tower with battlements and a pointed roof; windows are added apart.
void Tower(cairo_t* cr, double x, double w, double top, double ground, double roof) {
    cairo_rectangle(cr, x, top, w, ground - top);
    if (roof > 0) {
        cairo_move_to(cr, x - w * 0.15, top);
        cairo_line_to(cr, x + w / 2, top - roof);
        cairo_line_to(cr, x + w * 1.15, top);
        cairo_close_path(cr);
    } else {
        const double merlon = w / 5;
        for (int i = 0; i < 5; i += 2) cairo_rectangle(cr, x + i * merlon, top - merlon, merlon, merlon);
    }
}

void Window(cairo_t* cr, double x, double y, double s) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, s * 4);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.75, 0.35, 0.45);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.75, 0.35, 0);
    cairo_arc(cr, x, y, s * 4, 0, 2 * M_PI);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_rectangle(cr, x - s / 2, y - s, s, s * 2);
    cairo_set_source_rgb(cr, 1.0, 0.84, 0.5);
    cairo_fill(cr);
}

}  // namespace

void PaintCastle(cairo_t* cr, double cx, double groundY, double s, Rgba body) {
    // Hill under the walls.
    cairo_move_to(cr, cx - 190 * s, groundY + 40 * s);
    cairo_curve_to(cr, cx - 120 * s, groundY - 10 * s, cx + 120 * s, groundY - 10 * s,
                   cx + 190 * s, groundY + 40 * s);
    cairo_line_to(cr, cx + 190 * s, groundY + 200 * s);
    cairo_line_to(cr, cx - 190 * s, groundY + 200 * s);
    cairo_close_path(cr);
    // Walls and towers.
    cairo_rectangle(cr, cx - 110 * s, groundY - 45 * s, 220 * s, 50 * s);
    Tower(cr, cx - 125 * s, 30 * s, groundY - 85 * s, groundY, 0);
    Tower(cr, cx + 95 * s, 30 * s, groundY - 85 * s, groundY, 0);
    Tower(cr, cx - 70 * s, 26 * s, groundY - 120 * s, groundY, 40 * s);
    Tower(cr, cx + 44 * s, 26 * s, groundY - 110 * s, groundY, 36 * s);
    Tower(cr, cx - 22 * s, 44 * s, groundY - 165 * s, groundY, 62 * s);  // the keep
    for (int i = -5; i <= 5; ++i)
        cairo_rectangle(cr, cx + i * 20 * s - 4 * s, groundY - 53 * s, 8 * s, 8 * s);
    SetColour(cr, body);
    cairo_fill(cr);
    // Flag on the keep.
    cairo_rectangle(cr, cx - 0.8 * s, groundY - 250 * s, 1.6 * s, 24 * s);
    cairo_move_to(cr, cx + 0.8 * s, groundY - 250 * s);
    cairo_line_to(cr, cx + 18 * s, groundY - 245 * s);
    cairo_line_to(cr, cx + 0.8 * s, groundY - 240 * s);
    SetColour(cr, body);
    cairo_fill(cr);

    Window(cr, cx, groundY - 135 * s, 3 * s);
    Window(cr, cx, groundY - 100 * s, 3 * s);
    Window(cr, cx - 57 * s, groundY - 95 * s, 2.5 * s);
    Window(cr, cx + 57 * s, groundY - 85 * s, 2.5 * s);
    Window(cr, cx - 110 * s, groundY - 65 * s, 2.5 * s);
    Window(cr, cx + 110 * s, groundY - 62 * s, 2.5 * s);
    Window(cr, cx - 35 * s, groundY - 25 * s, 2 * s);
    Window(cr, cx + 30 * s, groundY - 28 * s, 2 * s);
}

}  // namespace artgen
