// A drawing surface and the few drawing helpers every picture shares:
// rounded rectangles, gradients, pixel-aligned lines and lettering.
#pragma once

#include <cairo.h>

#include <string>

#include "palette.h"

namespace artgen {

// An ARGB surface of a fixed size with its cairo context; starts fully
// transparent.
// The three looks of an image button.
enum class Face { Normal, Hover, Pressed };

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

void SetColour(cairo_t* cr, Rgba c);

// Adds a rounded rectangle path (no fill, no stroke).
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// A vertical linear gradient from `top` at y0 to `bottom` at y1, made the
// current source.
void SetVerticalGradient(cairo_t* cr, double y0, double y1, Rgba top, Rgba bottom);

// Fills the integer rectangle with a solid colour.
void FillRect(cairo_t* cr, int x, int y, int w, int h, Rgba c);

// One-pixel horizontal and vertical lines covering whole pixels.
void HLine(cairo_t* cr, int x0, int x1, int y, Rgba c);
void VLine(cairo_t* cr, int x, int y0, int y1, Rgba c);

struct TextStyle {
    double px = 12;       // em size in pixels
    bool bold = false;
    bool serif = false;   // the title faces use the serif families
    Rgba colour = pal::kCream;
    double letterSpacing = 0;  // extra pixels between characters
};

struct TextSize {
    double width = 0;
    double height = 0;  // logical height of one line
};

TextSize MeasureText(cairo_t* cr, const std::string& text, const TextStyle& style);

// Draws one line of text with its logical box's top-left at (x, y),
// snapped to whole pixels.
void DrawText(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double y);

// Centres one line of text in the rectangle (both ways, on whole pixels).
void DrawTextCentred(cairo_t* cr, const std::string& text, const TextStyle& style, double x,
                     double y, double w, double h);

// Centred text with a one-pixel dark shadow below it, the look every
// label of the launcher uses.
void DrawLabel(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double y,
               double w, double h, Rgba shadow);

// Adds the outline of the text as a path (for gradient-filled titles).
void TextPath(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double y);

// A deterministic pseudo-random sequence, so that every run draws the
// same stars and speckles.
class Random {
public:
    explicit Random(unsigned seed) : state_(seed) {}
    double Next();  // in [0, 1)

private:
    unsigned state_;
};

}  // namespace artgen
