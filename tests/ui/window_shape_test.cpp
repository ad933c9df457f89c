// Window shapes from pictures: which pixels belong to the window.
#include <gtest/gtest.h>

#include "ui/window_shape.h"

namespace vostra::ui {
namespace {

// A 6 x 3 ARGB32 picture from one row of premultiplied pixels per line.
cairo_surface_t* Picture(const std::vector<std::vector<uint32_t>>& rows, cairo_format_t format) {
    const int w = static_cast<int>(rows[0].size());
    const int h = static_cast<int>(rows.size());
    cairo_surface_t* s = cairo_image_surface_create(format, w, h);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) row[x] = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
    }
    cairo_surface_mark_dirty(s);
    return s;
}

bool In(const RegionPtr& r, int x, int y) { return cairo_region_contains_point(r.get(), x, y); }

TEST(WindowShape, EveryPixelAboveZeroAlphaBelongs) {
    // Alpha 1/255 is drawn (faintly) and takes the pointer; GDK's own
    // helper would drop everything up to half opacity.
    cairo_surface_t* s = Picture({{0x00000000, 0x01000000, 0x7f7f7f7f, 0xffffffff, 0x00000000, 0x80808080},
                                  {0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
                                  {0xff000000, 0xff000000, 0x00000000, 0x00000000, 0xff000000, 0xff000000}},
                                 CAIRO_FORMAT_ARGB32);
    const RegionPtr r = RegionFromAlpha(s);
    const std::vector<std::pair<int, int>> inside = {{1, 0}, {2, 0}, {3, 0}, {5, 0}, {0, 2}, {1, 2}, {4, 2}, {5, 2}};
    for (auto [x, y] : inside) EXPECT_TRUE(In(r, x, y)) << x << "," << y;
    const std::vector<std::pair<int, int>> outside = {{0, 0}, {4, 0}, {0, 1}, {3, 1}, {2, 2}, {3, 2}};
    for (auto [x, y] : outside) EXPECT_FALSE(In(r, x, y)) << x << "," << y;
    cairo_surface_destroy(s);
}

TEST(WindowShape, ColourKeyPixelsAreCutOut) {
    cairo_surface_t* s = Picture({{0xff00ff00, 0xff00fe00, 0xff112233, 0xff00ff00, 0xff00ff01, 0xff00ff00}},
                                 CAIRO_FORMAT_RGB24);
    const RegionPtr r = RegionWithoutColour(s, 0x00FF00);
    EXPECT_FALSE(In(r, 0, 0));
    EXPECT_TRUE(In(r, 1, 0));  // a near green is no key
    EXPECT_TRUE(In(r, 2, 0));
    EXPECT_FALSE(In(r, 3, 0));
    EXPECT_TRUE(In(r, 4, 0));
    EXPECT_FALSE(In(r, 5, 0));
    cairo_surface_destroy(s);
}

TEST(WindowShape, OpaquePictureWithoutAlphaIsWhole) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 40, 30);
    const RegionPtr r = RegionFromAlpha(s);
    cairo_rectangle_int_t extents;
    cairo_region_get_extents(r.get(), &extents);
    EXPECT_EQ(extents.width, 40);
    EXPECT_EQ(extents.height, 30);
    EXPECT_EQ(cairo_region_num_rectangles(r.get()), 1);  // rows merge into one rectangle
    cairo_surface_destroy(s);
}

TEST(WindowShape, MissingPictureIsAnEmptyShape) {
    EXPECT_TRUE(cairo_region_is_empty(RegionFromAlpha(nullptr).get()));
    EXPECT_TRUE(cairo_region_is_empty(RegionWithoutColour(nullptr, 0).get()));
}

}  // namespace
}  // namespace vostra::ui
