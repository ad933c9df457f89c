#include "ui/png_image.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>

#include "platform/resources.h"

namespace vostra::ui {
namespace {

struct ByteReader {
    std::string_view bytes;
    size_t pos = 0;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<ByteReader*>(closure);
    if (reader->bytes.size() - reader->pos < length) return CAIRO_STATUS_READ_ERROR;
    memcpy(data, reader->bytes.data() + reader->pos, length);
    reader->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

// Missing artwork is reported once per id and process.
void ReportMissingOnce(int id, const char* what) {
    static std::mutex mutex;
    static std::set<int> reported;
    std::lock_guard<std::mutex> lock(mutex);
    if (!reported.insert(id).second) return;
    fprintf(stderr, "vostra: PNG resource %d %s\n", id, what);
}

}  // namespace

SurfacePtr DecodePng(std::string_view bytes) {
    if (bytes.empty()) return nullptr;
    ByteReader reader{bytes};
    SurfacePtr surface(cairo_image_surface_create_from_png_stream(&ReadBytes, &reader));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    return surface;
}

SurfacePtr LoadPngImage(int id) {
    const auto bytes = LoadResourceBytes("PNG", id);
    if (!bytes || bytes->empty()) {
        ReportMissingOnce(id, "is missing");
        return nullptr;
    }
    SurfacePtr surface = DecodePng(*bytes);
    if (!surface) ReportMissingOnce(id, "does not decode");
    return surface;
}

int SurfaceWidth(cairo_surface_t* s) {
    return s != nullptr ? cairo_image_surface_get_width(s) : 0;
}

int SurfaceHeight(cairo_surface_t* s) {
    return s != nullptr ? cairo_image_surface_get_height(s) : 0;
}

bool CGdiPlusBitmapResource::Load(int id) {
    m_pBitmap.reset();
    m_pBitmap = LoadPngImage(id);
    return m_pBitmap != nullptr;
}

}  // namespace vostra::ui
