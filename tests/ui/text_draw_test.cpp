// Fitting text into rectangles: wrapping, line limits and ellipses.
#include <gtest/gtest.h>

#include <pango/pangocairo.h>

#include "ui/drawing.h"
#include "ui/text_draw.h"

namespace vostra::ui {
namespace {

class TextFit : public ::testing::Test {
protected:
    void SetUp() override {
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 300, 100);
        cr_ = cairo_create(surface_);
        context_ = pango_cairo_create_context(cr_);
    }
    void TearDown() override {
        g_object_unref(context_);
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    PangoContext* context_ = nullptr;
};

bool EndsWithEllipsis(const std::string& s) {
    return s.size() >= 3 && s.compare(s.size() - 3, 3, "\u2026") == 0;
}

TEST_F(TextFit, ShortTextIsOneUntouchedLine) {
    FontPtr font = MakeArialFont(11, FontStyle::kRegular);
    const FittedText fit = FitText(context_, "是否退出Vostra登录器？", font.get(), 200, 30,
                                   Trimming::kEllipsisCharacter);
    ASSERT_EQ(fit.lines.size(), 1u);
    EXPECT_FALSE(fit.trimmed);
}

TEST_F(TextFit, TwoLinesOfChineseFitThirtyPixelsAtElevenPixels) {
    FontPtr font = MakeArialFont(11, FontStyle::kRegular);
    const std::string text = "您是否退出当前服务器，重新选择新服务器？您是否退出当前服务器？";
    const FittedText fit = FitText(context_, text, font.get(), 200, 30,
                                   Trimming::kEllipsisCharacter);
    EXPECT_EQ(fit.lines.size(), 2u);
    EXPECT_LE(2 * fit.line_step, 30.0);
}

TEST_F(TextFit, OverflowIsCutWithAnEllipsisAtTheLastCharacterThatFits) {
    FontPtr font = MakeArialFont(11, FontStyle::kRegular);
    const std::string text(300, 'x');
    const FittedText fit = FitText(context_, text, font.get(), 200, 30,
                                   Trimming::kEllipsisCharacter);
    ASSERT_EQ(fit.lines.size(), 2u);
    EXPECT_TRUE(fit.trimmed);
    EXPECT_TRUE(EndsWithEllipsis(fit.lines[1]));
    // One more character would not have fitted.
    const FittedText longer = FitText(context_, fit.lines[0] + fit.lines[1].substr(0, fit.lines[1].size() - 3) + "xx\u2026",
                                      font.get(), 200, 30, Trimming::kEllipsisCharacter);
    EXPECT_TRUE(longer.trimmed);
}

TEST_F(TextFit, TitleLongerThanItsWidthIsOneLineWithEllipsis) {
    FontPtr font = MakeArialFont(13, FontStyle::kBold);
    const FittedText fit = FitText(context_, "这是一个非常非常长的标题文字", font.get(), 100, 25,
                                   Trimming::kEllipsisCharacter);
    ASSERT_EQ(fit.lines.size(), 1u);
    EXPECT_TRUE(EndsWithEllipsis(fit.lines[0]));
}

TEST_F(TextFit, WordTrimmingCutsBetweenWords) {
    FontPtr font = MakeArialFont(14, FontStyle::kRegular);
    const FittedText fit =
        FitText(context_, "please wait while the cache is being cleaned and then some more words",
                font.get(), 200, 31, Trimming::kEllipsisWord);
    ASSERT_FALSE(fit.lines.empty());
    EXPECT_LE(fit.lines.size(), 2u);
    const std::string& last = fit.lines.back();
    ASSERT_TRUE(EndsWithEllipsis(last));
    const std::string before = last.substr(0, last.size() - 3);
    // The word before the ellipsis is whole: the text continued with a blank.
    const std::string words = "please wait while the cache is being cleaned and then some more words";
    const size_t at = words.find(before.substr(before.rfind(' ') + 1));
    ASSERT_NE(at, std::string::npos);
    const size_t end = at + before.substr(before.rfind(' ') + 1).size();
    EXPECT_TRUE(end == words.size() || words[end] == ' ');
}

TEST_F(TextFit, DrawnTextIsCentredInItsRectangle) {
    cairo_set_source_rgb(cr_, 0, 0, 0);
    cairo_paint(cr_);
    FontPtr font = MakeArialFont(14, FontStyle::kRegular);
    DrawTextInRect(cr_, "Vostra", {font.get(), 0xFFFFFFFF, Trimming::kEllipsisWord}, {50, 10, 200, 31});
    cairo_surface_flush(surface_);
    const auto* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    int x0 = 1000, x1 = -1;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 300; ++x)
            if ((reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFF) > 128) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
            }
    ASSERT_GE(x1, 0);
    EXPECT_NEAR((x0 + x1 + 1) / 2.0, 150.0, 1.5);
}

TEST_F(TextFit, AWrappedLineIsCentredOnItsTextNotOnTheBlankItEndsWith) {
    FontPtr font = MakeArialFont(11, FontStyle::kRegular);
    const std::string text = "Please confirm that you really want to remove the game now";
    const FittedText fit = FitText(context_, text, font.get(), 200, 30,
                                   Trimming::kEllipsisCharacter);
    ASSERT_EQ(fit.lines.size(), 2u);
    EXPECT_NE(fit.lines[0].back(), ' ');

    cairo_set_source_rgb(cr_, 0, 0, 0);
    cairo_paint(cr_);
    DrawTextInRect(cr_, text, {font.get(), 0xFFFFFFFF, Trimming::kEllipsisCharacter},
                   {50, 10, 200, 30});
    cairo_surface_flush(surface_);
    const auto* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    // Ink of the first line only.
    int x0 = 1000, x1 = -1;
    for (int y = 10; y < 10 + static_cast<int>(fit.line_step); ++y)
        for (int x = 0; x < 300; ++x)
            if ((reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFF) > 128) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
            }
    ASSERT_GE(x1, 0);
    EXPECT_NEAR((x0 + x1 + 1) / 2.0, 150.0, 1.5);
}

}  // namespace
}  // namespace vostra::ui
