// The please-wait overlay as a real window over a larger owner: coverage,
// translucency, centred text, the animation's place and its frames.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "expected_pixels.h"
#include "harness_process.h"
#include "ui/overlay_layout.h"
#include "ui/png_image.h"

namespace vostra::test {
namespace {

using ui::Rect;
namespace ov = ui::overlay;

constexpr Rect kOwner{40, 30, 900, 600};  // where the harness puts its owner

uint32_t Pattern(int x, int y) {
    return static_cast<uint32_t>(x * 255 / (kOwner.width - 1)) << 16 |
           static_cast<uint32_t>(y * 255 / (kOwner.height - 1)) << 8 | 0x80;
}

class OverlayWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
        shade_ = ui::LoadPngImage(ov::kShadePng);
        for (int i = 0; i < 4; ++i) frames_[i] = ui::LoadPngImage(ov::kFramePngs[i]);
        ASSERT_TRUE(shade_ && frames_[0]);
        Xdo("mousemove 1590 890");
        p_ = std::make_unique<HarnessProcess>(std::vector<std::string>{"overlay"});
        mode_ = p_->WaitLine("mode");
        ASSERT_TRUE(ParseShown(p_->WaitLine("shown"), &overlay_)) << "no overlay";
    }
    void TearDown() override {
        if (p_) p_->Send("quit");
    }

    // The overlay's own picture at client (x, y) before translucency:
    // white, the shade tile over it, a frame over that.
    uint32_t Picture(int x, int y, int frame) const {
        uint32_t c = Over(ImagePixel(shade_.get(), 0, 0), 0xFFFFFF);
        const Rect r = ov::FrameRect(kOwner.width, kOwner.height, 23, 23);
        if (frame > 0 && x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height)
            c = Over(ImagePixel(frames_[frame - 1].get(), x - r.x, y - r.y), c);
        return c;
    }
    uint32_t OnScreen(int x, int y, int frame) const {
        return Blend(Picture(x, y, frame), Pattern(x, y), ov::kOpacity);
    }
    // Which frame the screenshot shows: the one with the fewest mismatches.
    int FrameShown(const Screenshot& shot) const {
        const Rect r = ov::FrameRect(kOwner.width, kOwner.height, 23, 23);
        int best = 0, best_bad = 1 << 30;
        for (int f = 1; f <= 4; ++f) {
            int bad = 0;
            for (int y = r.y; y < r.y + r.height; ++y)
                for (int x = r.x; x < r.x + r.width; ++x)
                    if (ColourDistance(shot.Pixel(overlay_.x + x, overlay_.y + y),
                                       OnScreen(x, y, f)) > 3)
                        ++bad;
            if (bad < best_bad) best_bad = bad, best = f;
        }
        return best_bad == 0 ? best : -best_bad;
    }

    ui::SurfacePtr shade_;
    ui::SurfacePtr frames_[4];
    std::unique_ptr<HarnessProcess> p_;
    std::string mode_;
    Shown overlay_;
};

// run-with-xvfb.sh names the setup, compositor included.
bool ScreenHasCompositor() {
    const char* wm = getenv("VOSTRA_UI_WM");
    return wm != nullptr && std::string(wm).find("xcompmgr") != std::string::npos;
}

TEST_F(OverlayWindow, TranslucentByWindowOpacityOnlyWhereACompositorRuns) {
    EXPECT_EQ(mode_, ScreenHasCompositor() ? "mode opacity" : "mode blend");
}

TEST_F(OverlayWindow, CoversTheOwnerWithTheTranslucentShade) {
    EXPECT_EQ(overlay_.x, kOwner.x);
    EXPECT_EQ(overlay_.y, kOwner.y);
    EXPECT_EQ(overlay_.width, kOwner.width);
    EXPECT_EQ(overlay_.height, kOwner.height);
    Sleep(100);
    Screenshot shot("overlay");
    for (auto [x, y] : {std::pair{0, 0}, {899, 0}, {0, 599}, {899, 599}, {450, 100}, {200, 500}})
        EXPECT_LE(ColourDistance(shot.Pixel(kOwner.x + x, kOwner.y + y), OnScreen(x, y, 0)), 3)
            << "at " << x << "," << y;
}

TEST_F(OverlayWindow, TextIsCentredAndTheAnimationSitsFortyPixelsAbove) {
    Sleep(100);
    Screenshot shot("overlay-text");
    const Rect text = ov::TextRect(kOwner.width, kOwner.height);
    int x0 = 1 << 20, x1 = -1, y0 = 1 << 20;
    for (int y = text.y; y < text.y + text.height; ++y)
        for (int x = text.x; x < text.x + text.width; ++x)
            if (ColourDistance(shot.Pixel(kOwner.x + x, kOwner.y + y), OnScreen(x, y, 0)) > 40) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
            }
    ASSERT_GE(x1, 0) << "no text";
    EXPECT_NEAR((x0 + x1 + 1) / 2.0, kOwner.width / 2.0, 2.0);
    EXPECT_LT(y0, text.y + 8);
    EXPECT_GT(FrameShown(shot), 0) << "the animation is not at (W-23)/2, (H-23)/2-40";
}

TEST_F(OverlayWindow, FramesAdvanceOnePerTickAndResumeAfterAHide) {
    std::string line = p_->WaitLine("frame");
    ASSERT_FALSE(line.empty());
    int last = std::stoi(line.substr(6));
    for (int i = 0; i < 4; ++i) {
        line = p_->WaitLine("frame", 1000);
        ASSERT_FALSE(line.empty());
        const int frame = std::stoi(line.substr(6));
        EXPECT_EQ(frame, last % 4 + 1);
        last = frame;
    }
    // The screen follows: with the timer stopped, each tick by hand shows
    // the frame the overlay reports, and that frame only.
    p_->Send("stop");
    ASSERT_FALSE(p_->WaitLine("stopped").empty());
    for (int i = 0; i < 4; ++i) {
        p_->Send("timer 5000");
        line = p_->WaitLine("current");
        ASSERT_FALSE(line.empty());
        const int frame = std::stoi(line.substr(8));
        Sleep(100);
        Screenshot shot("overlay-frame-" + std::to_string(frame));
        EXPECT_EQ(FrameShown(shot), frame);
    }

    p_->Send("hide");
    ASSERT_FALSE(p_->WaitLine("hidden").empty());
    for (const std::string& seen : p_->Seen())
        if (seen.rfind("frame ", 0) == 0) last = std::stoi(seen.substr(6));
    Sleep(700);
    EXPECT_EQ(p_->WaitLine("frame", 100), "") << "ticks while hidden";
    p_->Send("show");
    line = p_->WaitLine("frame", 1000);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(std::stoi(line.substr(6)), last % 4 + 1) << "the animation starts over";
}

TEST_F(OverlayWindow, OtherTimerIdsChangeNothing) {
    p_->Send("hide");
    ASSERT_FALSE(p_->WaitLine("hidden").empty());
    p_->Send("timer 5000");
    const std::string after_tick = p_->WaitLine("current");
    ASSERT_FALSE(after_tick.empty());
    const int frame = std::stoi(after_tick.substr(8));
    p_->Send("timer 5001");
    EXPECT_EQ(p_->WaitLine("current"), after_tick);
    p_->Send("timer 102");
    EXPECT_EQ(p_->WaitLine("current"), after_tick);
    p_->Send("timer 5000");
    EXPECT_EQ(p_->WaitLine("current"), "current " + std::to_string(frame % 4 + 1));
}

}  // namespace
}  // namespace vostra::test
