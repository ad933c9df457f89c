// Artwork loading, tiled fills and the hover brightening, without a display.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <filesystem>

#include "expected_pixels.h"
#include "ui/drawing.h"
#include "ui/png_image.h"

namespace vostra::ui {
namespace {

TEST(PngImage, EveryCatalogueImageLoadsAtItsSizeWithAlpha) {
    struct Entry { int id, w, h; };
    const Entry catalogue[] = {{172, 1, 30},  {203, 203, 30}, {206, 92, 30},  {207, 28, 26},
                               {211, 59, 24}, {223, 97, 24},  {226, 78, 24},  {252, 78, 24},
                               {275, 1, 1},   {276, 23, 23},  {279, 23, 23},  {304, 256, 110},
                               {314, 82, 34}, {311, 82, 34},  {316, 9, 9},    {319, 1199, 733},
                               {320, 31, 30}, {325, 35, 36}};
    for (const Entry& e : catalogue) {
        SurfacePtr image = LoadPngImage(e.id);
        ASSERT_TRUE(image) << e.id;
        EXPECT_EQ(SurfaceWidth(image.get()), e.w) << e.id;
        EXPECT_EQ(SurfaceHeight(image.get()), e.h) << e.id;
        EXPECT_EQ(cairo_image_surface_get_format(image.get()), CAIRO_FORMAT_ARGB32) << e.id;
    }
}

TEST(PngImage, UnknownIdOrBrokenBytesGiveNothing) {
    EXPECT_FALSE(LoadPngImage(99999));
    EXPECT_FALSE(DecodePng("not a png"));
    EXPECT_FALSE(DecodePng(""));
    EXPECT_EQ(SurfaceWidth(nullptr), 0);
}

TEST(PngImage, ResourceLoaderReleasesTheFirstImageOnReload) {
    CGdiPlusBitmapResource r;
    ASSERT_TRUE(r.Load(304));
    EXPECT_EQ(r.Width(), 256);
    ASSERT_TRUE(r.Load(316));
    EXPECT_EQ(r.Width(), 9);
    EXPECT_FALSE(r.Load(99999));
    EXPECT_EQ(r.Surface(), nullptr) << "a failed load leaves nothing behind";
}

TEST(Brighten, MatrixOnOpaqueAndHalfTransparentPixels) {
    // 1.05 * c + 12.75, clamped: 0 -> 13, 100 -> 118, 240 -> 255.
    EXPECT_EQ(BrightenPixel(0xFF000000u), 0xFF0D0D0Du);
    EXPECT_EQ(BrightenPixel(0xFF6400F0u), 0xFF760DFFu);
    EXPECT_EQ(BrightenPixel(0x00000000u), 0x00000000u);
    // Half transparent 100 grey (premultiplied 50): brightened to 118, then
    // premultiplied again, alpha untouched.
    const uint32_t out = BrightenPixel(0x80323232u);
    EXPECT_EQ(out >> 24, 0x80u);
    EXPECT_NEAR(static_cast<int>(out & 0xFF), 118 * 128 / 255, 1);
}

TEST(TiledFill, PatternStartsAtTheRectanglesCorner) {
    // A 2 x 1 tile: red then blue.
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 1);
    cairo_surface_flush(tile);
    auto* px = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(tile));
    px[0] = 0xFFFF0000u;
    px[1] = 0xFF0000FFu;
    cairo_surface_mark_dirty(tile);
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 20, 4);
    cairo_t* cr = cairo_create(target);
    FillTiledRect(cr, tile, {5, 1, 6, 2});
    cairo_destroy(cr);
    EXPECT_EQ(test::ImagePixel(target, 5, 1) & 0xFFFFFF, 0xFF0000u) << "first tile pixel at corner";
    EXPECT_EQ(test::ImagePixel(target, 6, 1) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(test::ImagePixel(target, 7, 2) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(test::ImagePixel(target, 4, 1) & 0xFFFFFF, 0u) << "nothing outside";
    EXPECT_EQ(test::ImagePixel(target, 11, 1) & 0xFFFFFF, 0u);
    cairo_surface_destroy(target);
    cairo_surface_destroy(tile);
}

TEST(ArialFont, PixelSizesAndStyles) {
    FontPtr bold = MakeArialFont(13, FontStyle::kBold);
    EXPECT_TRUE(pango_font_description_get_size_is_absolute(bold.get()));
    EXPECT_EQ(pango_font_description_get_size(bold.get()), 13 * PANGO_SCALE);
    EXPECT_EQ(pango_font_description_get_weight(bold.get()), PANGO_WEIGHT_BOLD);
    EXPECT_STREQ(pango_font_description_get_family(bold.get()), "Arial,sans-serif");
    FontPtr regular = MakeArialFont(11, FontStyle::kRegular);
    EXPECT_EQ(pango_font_description_get_weight(regular.get()), PANGO_WEIGHT_NORMAL);
}

// A machine without any "Arial": only the DejaVu faces, with sans-serif
// naming DejaVu Sans, as fontconfig's defaults do. The font still resolves,
// to the generic sans-serif face, and draws text.
TEST(ArialFont, FallsBackToSansSerifWithoutArial) {
    const char* kFonts = "/usr/share/fonts/truetype/dejavu";
    if (!g_file_test(kFonts, G_FILE_TEST_IS_DIR)) GTEST_SKIP() << "no DejaVu fonts";
    gchar* cache = g_dir_make_tmp("vostra-fc-XXXXXX", nullptr);
    ASSERT_NE(cache, nullptr);
    const std::string config = std::string("<fontconfig><dir>") + kFonts + "</dir><cachedir>" +
                               cache + "</cachedir><alias><family>sans-serif</family><prefer>"
                               "<family>DejaVu Sans</family></prefer></alias></fontconfig>";
    FcConfig* fc = FcConfigCreate();
    ASSERT_TRUE(FcConfigParseAndLoadFromMemory(
        fc, reinterpret_cast<const FcChar8*>(config.c_str()), FcTrue));
    ASSERT_TRUE(FcConfigBuildFonts(fc));
    PangoFontMap* map = pango_cairo_font_map_new();
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map), fc);
    FcConfigDestroy(fc);
    PangoContext* context = pango_font_map_create_context(map);

    FontPtr font = MakeArialFont(13, FontStyle::kRegular);
    PangoFont* loaded = pango_font_map_load_font(map, context, font.get());
    ASSERT_NE(loaded, nullptr);
    PangoFontDescription* got = pango_font_describe(loaded);
    EXPECT_STREQ(pango_font_description_get_family(got), "DejaVu Sans");
    pango_font_description_free(got);
    g_object_unref(loaded);

    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 100, 30);
    cairo_t* cr = cairo_create(target);
    pango_cairo_update_context(cr, context);
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, font.get());
    pango_layout_set_text(layout, "Vostra", -1);
    cairo_set_source_rgb(cr, 1, 1, 1);
    pango_cairo_show_layout(cr, layout);
    cairo_surface_flush(target);
    int ink = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            if ((test::ImagePixel(target, x, y) & 0xFF) > 128) ++ink;
    EXPECT_GT(ink, 20) << "no text drawn";
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_destroy(target);
    g_object_unref(context);
    g_object_unref(map);
    std::filesystem::remove_all(cache);
    g_free(cache);
}

}  // namespace
}  // namespace vostra::ui
