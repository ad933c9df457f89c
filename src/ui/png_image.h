// PNG artwork from the resource bundle, decoded into Cairo image surfaces.
//
// Two loaders with different lifetimes: LoadPngImage hands the caller a
// surface to keep (window backgrounds, overlay frames), CGdiPlusBitmapResource
// owns its surface and is what the image button keeps per state.
#pragma once

#include <cairo.h>

#include <memory>
#include <string_view>

namespace vostra::ui {

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;

// Decodes PNG bytes into an ARGB32 image surface; null when the bytes are
// not a PNG Cairo can read.
SurfacePtr DecodePng(std::string_view bytes);

// The "PNG" resource `id` as a new image surface that the caller owns, or
// null when the bundle lacks it or it does not decode. A failure is reported
// once per id on standard error, so a window missing its artwork still
// shows the rest of its drawing without flooding the terminal.
SurfacePtr LoadPngImage(int id);

// Width and height of a surface; 0 for null, so that callers can place a
// missing picture without checking for it.
int SurfaceWidth(cairo_surface_t* s);
int SurfaceHeight(cairo_surface_t* s);

// An owning loader by id: holds at most one decoded image.
class CGdiPlusBitmapResource {
public:
    CGdiPlusBitmapResource() = default;
    CGdiPlusBitmapResource(const CGdiPlusBitmapResource&) = delete;
    CGdiPlusBitmapResource& operator=(const CGdiPlusBitmapResource&) = delete;

    // Releases what the object held, then loads resource `id`. True when
    // the image decoded; on false the object holds nothing.
    bool Load(int id);

    cairo_surface_t* Surface() const { return m_pBitmap.get(); }
    int Width() const { return SurfaceWidth(m_pBitmap.get()); }
    int Height() const { return SurfaceHeight(m_pBitmap.get()); }

private:
    SurfacePtr m_pBitmap;
};

}  // namespace vostra::ui
