// Shapes of the launcher's non-rectangular windows, built from their
// pictures: which pixels belong to the window and take the pointer.
#pragma once

#include <cairo.h>
#include <gtk/gtk.h>

#include <cstdint>
#include <memory>

namespace vostra::ui {

struct CairoRegionDeleter {
    void operator()(cairo_region_t* r) const { cairo_region_destroy(r); }
};
using RegionPtr = std::unique_ptr<cairo_region_t, CairoRegionDeleter>;

// Every pixel of an ARGB32 picture whose alpha is above 0. (GDK's own
// helper keeps only pixels more than half opaque, which would let clicks
// through the soft edges that are still drawn.)
RegionPtr RegionFromAlpha(cairo_surface_t* picture);

// Every pixel of an image surface whose colour is not `key_rgb`
// (0xRRGGBB): the colour key's pixels are cut out. Alpha is ignored.
RegionPtr RegionWithoutColour(cairo_surface_t* picture, uint32_t key_rgb);

// Gives a window its shape. With a compositor the window keeps its
// rectangle and per-pixel alpha shows the picture, so only the input shape
// is set (exactly the region takes clicks); without one the window's own
// shape is cut to the region, which also limits its input.
void ApplyWindowShape(GtkWidget* window, const cairo_region_t* region, bool composited);

// A decoded copy of an image in the resource bundle that is not a PNG
// (the popup's BMP background); null when missing or unreadable.
cairo_surface_t* DecodeImageBytes(const char* data, size_t size);

}  // namespace vostra::ui
