#include "ui/window_shape.h"

namespace vostra::ui {
namespace {

// Adds the runs of one row where `keep` holds, as rectangles one pixel high.
template <typename Keep>
RegionPtr RegionOfRuns(cairo_surface_t* picture, Keep keep) {
    RegionPtr region(cairo_region_create());
    if (picture == nullptr || cairo_surface_get_type(picture) != CAIRO_SURFACE_TYPE_IMAGE) {
        return region;
    }
    cairo_surface_flush(picture);
    const int width = cairo_image_surface_get_width(picture);
    const int height = cairo_image_surface_get_height(picture);
    const int stride = cairo_image_surface_get_stride(picture);
    const unsigned char* data = cairo_image_surface_get_data(picture);
    const cairo_format_t format = cairo_image_surface_get_format(picture);
    if (data == nullptr || (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24)) {
        return region;
    }
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        int x = 0;
        while (x < width) {
            while (x < width && !keep(row[x], format)) ++x;
            const int start = x;
            while (x < width && keep(row[x], format)) ++x;
            if (x > start) {
                const cairo_rectangle_int_t run = {start, y, x - start, 1};
                cairo_region_union_rectangle(region.get(), &run);
            }
        }
    }
    return region;
}

}  // namespace

RegionPtr RegionFromAlpha(cairo_surface_t* picture) {
    return RegionOfRuns(picture, [](uint32_t pixel, cairo_format_t format) {
        return format == CAIRO_FORMAT_RGB24 || (pixel >> 24) != 0;
    });
}

RegionPtr RegionWithoutColour(cairo_surface_t* picture, uint32_t key_rgb) {
    return RegionOfRuns(picture, [key_rgb](uint32_t pixel, cairo_format_t format) {
        // A fully transparent pixel has no colour to compare; it stays cut.
        if (format == CAIRO_FORMAT_ARGB32 && (pixel >> 24) == 0) return false;
        if (format == CAIRO_FORMAT_ARGB32 && (pixel >> 24) != 0xFF) return true;
        return (pixel & 0xFFFFFF) != (key_rgb & 0xFFFFFF);
    });
}

void ApplyWindowShape(GtkWidget* window, const cairo_region_t* region, bool composited) {
    auto* r = const_cast<cairo_region_t*>(region);
    if (composited) {
        gtk_widget_shape_combine_region(window, nullptr);
    } else {
        gtk_widget_shape_combine_region(window, r);
    }
    gtk_widget_input_shape_combine_region(window, r);
}

cairo_surface_t* DecodeImageBytes(const char* data, size_t size) {
    GInputStream* stream = g_memory_input_stream_new_from_data(data, static_cast<gssize>(size), nullptr);
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_stream(stream, nullptr, nullptr);
    g_object_unref(stream);
    if (pixbuf == nullptr) return nullptr;
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    cairo_surface_t* surface = cairo_image_surface_create(
        gdk_pixbuf_get_has_alpha(pixbuf) ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    gdk_cairo_set_source_pixbuf(cr, pixbuf, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    g_object_unref(pixbuf);
    return surface;
}

}  // namespace vostra::ui
