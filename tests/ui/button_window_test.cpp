// The image button as a real window: faces over the parent's pixels,
// hover, pressed, double clicks and the delayed tooltip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "expected_pixels.h"
#include "harness_process.h"
#include "ui/drawing.h"
#include "ui/png_image.h"

namespace vostra::test {
namespace {

using ui::Rect;

constexpr int kParentW = 420;
constexpr int kParentH = 80;
// The harness's buttons (see tools/ui_harness/harness_button.cpp).
constexpr Rect kRefresh{180, 44, 78, 24};      // 1021: 226, 219, 236, "刷新"
constexpr Rect kMinimise{356, 2, 28, 26};      // 1003: 209, 210, 230, no tooltip
constexpr Rect kNewServer{10, 44, 59, 24};     // 1007: 211, 212, 231

// The harness paints its windows with this pattern: red grows to the
// right, green downwards, blue fixed.
uint32_t Pattern(int x, int y) {
    return static_cast<uint32_t>(x * 255 / (kParentW - 1)) << 16 |
           static_cast<uint32_t>(y * 255 / (kParentH - 1)) << 8 | 0x80;
}

class ButtonWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
        p_ = std::make_unique<HarnessProcess>(std::vector<std::string>{"button"});
        ASSERT_TRUE(ParseShown(p_->WaitLine("shown"), &win_));
        Xdo("mousemove 5 5");
        Sleep(150);
    }
    void TearDown() override {
        if (p_) RequestClose(win_.xid);
    }

    int Mismatches(const Screenshot& shot, const Rect& r, cairo_surface_t* image) const {
        int bad = 0;
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x) {
                const uint32_t want = Over(ImagePixel(image, x, y), Pattern(r.x + x, r.y + y));
                if (ColourDistance(want, shot.Pixel(win_.x + r.x + x, win_.y + r.y + y)) > 2)
                    ++bad;
            }
        return bad;
    }
    void PointAt(const Rect& r) {
        Xdo("mousemove " + std::to_string(win_.x + r.x + r.width / 2) + " " +
            std::to_string(win_.y + r.y + r.height / 2));
    }
    // Whether a tooltip (white box, grey border) shows below the pointer.
    bool TooltipBelow(const Screenshot& shot, const Rect& r) const {
        const int px = win_.x + r.x + r.width / 2;
        const int py = win_.y + r.y + r.height / 2;
        int white = 0;
        for (int y = py + 18; y < py + 40; ++y)
            for (int x = px; x < px + 20; ++x)
                if (shot.Pixel(x, y) == 0xFFFFFF) ++white;
        return white > 20;
    }

    std::unique_ptr<HarnessProcess> p_;
    Shown win_;
};

TEST_F(ButtonWindow, NormalFacesShowTheParentThroughTransparentParts) {
    Screenshot shot("button-normal");
    ui::SurfacePtr refresh = ui::LoadPngImage(226);
    ui::SurfacePtr server = ui::LoadPngImage(211);
    ui::SurfacePtr minimise = ui::LoadPngImage(209);
    EXPECT_EQ(Mismatches(shot, kRefresh, refresh.get()), 0);
    EXPECT_EQ(Mismatches(shot, kNewServer, server.get()), 0);
    EXPECT_EQ(Mismatches(shot, kMinimise, minimise.get()), 0);
}

TEST_F(ButtonWindow, HoverIsTheBrightenedHoverPictureAndPressedWinsOverHover) {
    ui::SurfacePtr hover = ui::LoadPngImage(219);
    ui::SurfacePtr bright(ui::CreateBrightenedCopy(hover.get()));
    ui::SurfacePtr pressed = ui::LoadPngImage(236);
    PointAt(kRefresh);
    Sleep(200);
    {
        Screenshot shot("button-hover");
        EXPECT_EQ(Mismatches(shot, kRefresh, bright.get()), 0);
    }
    Xdo("mousedown 1");
    Sleep(200);
    {
        Screenshot shot("button-pressed");
        EXPECT_EQ(Mismatches(shot, kRefresh, pressed.get()), 0);
    }
    Xdo("mouseup 1");
    EXPECT_EQ(p_->WaitLine("command"), "command 1021");
    Xdo("mousemove 5 5");
    Sleep(200);
    Screenshot shot("button-left");
    ui::SurfacePtr normal = ui::LoadPngImage(226);
    EXPECT_EQ(Mismatches(shot, kRefresh, normal.get()), 0);
}

TEST_F(ButtonWindow, DoubleClickIsTwoClicks) {
    PointAt(kNewServer);
    Sleep(100);
    Xdo("click --repeat 2 --delay 60 1");
    EXPECT_EQ(p_->WaitLine("command"), "command 1007");
    EXPECT_EQ(p_->WaitLine("command", 1500), "command 1007");
    EXPECT_EQ(p_->WaitLine("command", 500), "");
}

TEST_F(ButtonWindow, TooltipComesAfterTwoSecondsOfRest) {
    PointAt(kRefresh);
    Sleep(1200);
    {
        Screenshot shot("button-tooltip-early");
        EXPECT_FALSE(TooltipBelow(shot, kRefresh)) << "tooltip before its delay";
    }
    Sleep(1400);
    {
        Screenshot shot("button-tooltip");
        EXPECT_TRUE(TooltipBelow(shot, kRefresh)) << "no tooltip after 2.6 s";
    }
    Xdo("mousemove 5 5");
    Sleep(200);
    Screenshot shot("button-tooltip-gone");
    EXPECT_FALSE(TooltipBelow(shot, kRefresh)) << "tooltip stays after the pointer left";
}

TEST_F(ButtonWindow, ButtonWithoutTooltipTextNeverShowsOne) {
    PointAt(kMinimise);
    Sleep(2600);
    Screenshot shot("button-no-tooltip");
    EXPECT_FALSE(TooltipBelow(shot, kMinimise));
}

TEST_F(ButtonWindow, FacesKeepWhatTheParentShowedAtTheFirstPaint) {
    p_->Send("repaint");
    ASSERT_FALSE(p_->WaitLine("repainted").empty());
    Sleep(200);
    ui::SurfacePtr refresh = ui::LoadPngImage(226);
    {
        Screenshot shot("button-parent-repainted");
        EXPECT_EQ(shot.Pixel(win_.x + 5, win_.y + 35), 0x204060u) << "the window repainted";
        EXPECT_EQ(Mismatches(shot, kRefresh, refresh.get()), 0)
            << "the face shows the pattern it was built over";
    }
    // Every later face, hover included, was built over the first pixels too.
    ui::SurfacePtr hover = ui::LoadPngImage(219);
    ui::SurfacePtr bright(ui::CreateBrightenedCopy(hover.get()));
    PointAt(kRefresh);
    Sleep(200);
    Screenshot shot("button-parent-repainted-hover");
    EXPECT_EQ(Mismatches(shot, kRefresh, bright.get()), 0);
}

}  // namespace
}  // namespace vostra::test
