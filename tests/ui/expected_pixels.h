// Expected screen colours, computed from the same artwork the windows use:
// an image composited (premultiplied "over") on a known background.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>

#include "ui/png_image.h"

namespace vostra::test {

// Pixel (x, y) of an ARGB32 image surface, premultiplied 0xAARRGGBB.
inline uint32_t ImagePixel(cairo_surface_t* s, int x, int y) {
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    if (cairo_image_surface_get_format(s) == CAIRO_FORMAT_RGB24)
        return 0xFF000000u |
               reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride)[x];
    return reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride)[x];
}

// `top` (premultiplied ARGB) over the opaque colour `under` (0xRRGGBB).
inline uint32_t Over(uint32_t top, uint32_t under) {
    const uint32_t a = top >> 24;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t t = (top >> shift) & 0xFF;
        const uint32_t u = (under >> shift) & 0xFF;
        out |= std::min<uint32_t>(255, t + (u * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

// `top` (opaque 0xRRGGBB) at opacity alpha/255 over `under`.
inline uint32_t Blend(uint32_t top, uint32_t under, int alpha) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int t = static_cast<int>((top >> shift) & 0xFF);
        const int u = static_cast<int>((under >> shift) & 0xFF);
        out |= static_cast<uint32_t>((t * alpha + u * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

}  // namespace vostra::test
