#include "glyphs.h"

#include <cmath>

#include "canvas.h"

namespace artgen {

void GlyphMinimise(cairo_t* cr, int x, int y, Rgba c) { FillRect(cr, x, y + 7, 10, 2, c); }

void GlyphMaximise(cairo_t* cr, int x, int y, Rgba c) {
    FillRect(cr, x, y, 10, 2, c);  // heavier top edge, like a window's caption
    VLine(cr, x, y, y + 10, c);
    VLine(cr, x + 9, y, y + 10, c);
    HLine(cr, x, x + 10, y + 9, c);
}

void GlyphRestore(cairo_t* cr, int x, int y, Rgba c) {
    // The rear window: only its top and right edges show.
    HLine(cr, x + 3, x + 10, y, c);
    HLine(cr, x + 3, x + 10, y + 1, c);
    VLine(cr, x + 9, y, y + 7, c);
    VLine(cr, x + 3, y, y + 3, c);
    // The front window.
    FillRect(cr, x, y + 3, 7, 2, c);
    VLine(cr, x, y + 3, y + 10, c);
    VLine(cr, x + 6, y + 3, y + 10, c);
    HLine(cr, x, x + 7, y + 9, c);
}

void GlyphCross(cairo_t* cr, int x, int y, int size, int thick, Rgba c) {
    // Pixel-exact diagonals: each row gets `thick` pixels on both strokes.
    for (int i = 0; i + thick <= size; ++i) {
        FillRect(cr, x + i, y + i, thick, 1, c);
        FillRect(cr, x + size - thick - i, y + i, thick, 1, c);
    }
    // Close the last rows so the ends are as tall as the cross is wide.
    for (int i = size - thick + 1; i < size; ++i) {
        FillRect(cr, x + size - thick, y + i, thick, 1, c);
        FillRect(cr, x, y + i, thick, 1, c);
    }
}

void GlyphSwitchServer(cairo_t* cr, int x, int y, Rgba c) {
    // Two opposed arrows: to the new server and back.
    HLine(cr, x + 1, x + 11, y + 3, c);
    HLine(cr, x + 1, x + 11, y + 4, c);
    for (int i = 0; i < 3; ++i) VLine(cr, x + 9 + i - 1, y + 1 + i, y + 7 - i, c);
    HLine(cr, x + 1, x + 11, y + 8, c);
    HLine(cr, x + 1, x + 11, y + 9, c);
    for (int i = 0; i < 3; ++i) VLine(cr, x + 2 - i, y + 6 + i, y + 12 - i, c);
}

void GlyphKey(cairo_t* cr, int x, int y, Rgba c) {
    SetColour(cr, c);
    cairo_set_line_width(cr, 1.6);
    cairo_arc(cr, x + 3.5, y + 6.0, 2.6, 0, 2 * M_PI);
    cairo_stroke(cr);
    FillRect(cr, x + 6, y + 5, 6, 2, c);   // shaft
    FillRect(cr, x + 9, y + 7, 1, 2, c);   // teeth
    FillRect(cr, x + 11, y + 7, 1, 3, c);
}

void GlyphFullScreen(cairo_t* cr, int x, int y, Rgba c) {
    // Four corner brackets, two pixels thick.
    const int o = 11, l = 4;
    for (int cx : {0, 1})
        for (int cy : {0, 1}) {
            const int px = x + cx * (o - 1), py = y + cy * (o - 1);
            const int hx = cx ? px - l + 2 : px, vy = cy ? py - l + 2 : py;
            FillRect(cr, hx, py, l, 2, c);
            FillRect(cr, px, vy, 2, l, c);
        }
}

void GlyphRefresh(cairo_t* cr, int x, int y, Rgba c) {
    // Three quarters of a turn ending at the top, where the arrow head
    // points on clockwise.
    SetColour(cr, c);
    cairo_set_line_width(cr, 1.8);
    cairo_arc(cr, x + 6, y + 7, 4.3, 0, M_PI * 1.5);
    cairo_stroke(cr);
    cairo_move_to(cr, x + 10.5, y + 2.7);
    cairo_line_to(cr, x + 6, y - 0.8);
    cairo_line_to(cr, x + 6, y + 6.2);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void GlyphBroom(cairo_t* cr, int x, int y, Rgba c) {
    SetColour(cr, c);
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, x + 11.2, y + 0.8);  // handle
    cairo_line_to(cr, x + 6.2, y + 5.8);
    cairo_stroke(cr);
    // The head: a fan of bristles.
    cairo_move_to(cr, x + 4.5, y + 4.6);
    cairo_line_to(cr, x + 7.4, y + 7.5);
    cairo_line_to(cr, x + 4.0, y + 12.0);
    cairo_line_to(cr, x + 0.0, y + 8.2);
    cairo_close_path(cr);
    cairo_fill(cr);
}

}  // namespace artgen
