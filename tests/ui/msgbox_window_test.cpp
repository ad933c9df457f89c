// The message box as a real window: layout against the artwork, faces,
// answers, text placement, dragging and centring.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "expected_pixels.h"
#include "harness_process.h"
#include "ui/drawing.h"
#include "ui/message_box_layout.h"
#include "ui/png_image.h"

namespace vostra::test {
namespace {

using ui::Rect;
namespace mb = ui::msgbox;

class MessageBoxWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
        background_ = ui::LoadPngImage(mb::kBackgroundPng);
        ASSERT_TRUE(background_) << "picture 304 is missing from the bundle";
    }

    std::unique_ptr<HarnessProcess> Start(const std::vector<std::string>& args) {
        std::vector<std::string> all{"msgbox"};
        all.insert(all.end(), args.begin(), args.end());
        auto p = std::make_unique<HarnessProcess>(all);
        // An owner window announces itself too; the box is the 256 x 110 one.
        bool found = false;
        for (int i = 0; i < 2 && !found; ++i)
            found = ParseShown(p->WaitLine("shown"), &box_) && box_.width == mb::kWidth;
        EXPECT_TRUE(found) << "the box never showed";
        Sleep(150);
        return p;
    }

    // Colour of the box's own picture (304) at client (x, y).
    uint32_t BackgroundAt(int x, int y) const {
        return ImagePixel(background_.get(), x, y) & 0xFFFFFF;
    }

    // Counts the pixels of `rect` that differ from `image` over picture 304
    // by more than a rounding step.
    int FaceMismatches(const Screenshot& shot, const Rect& r, cairo_surface_t* image) const {
        int bad = 0;
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x) {
                const uint32_t want = Over(ImagePixel(image, x, y), BackgroundAt(r.x + x, r.y + y));
                const uint32_t got = shot.Pixel(box_.x + r.x + x, box_.y + r.y + y);
                if (ColourDistance(want, got) > 2) ++bad;
            }
        return bad;
    }

    // Bounding box of the pixels in `r` that differ from picture 304: the text.
    Rect InkBox(const Screenshot& shot, const Rect& r) const {
        int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
        for (int y = r.y; y < r.y + r.height; ++y)
            for (int x = r.x; x < r.x + r.width; ++x)
                if (ColourDistance(shot.Pixel(box_.x + x, box_.y + y), BackgroundAt(x, y)) > 40) {
                    x0 = std::min(x0, x);
                    y0 = std::min(y0, y);
                    x1 = std::max(x1, x);
                    y1 = std::max(y1, y);
                }
        if (x1 < 0) return {};
        return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
    }

    void CenterPointerOn(const Rect& r) {
        Xdo("mousemove " + std::to_string(box_.x + r.x + r.width / 2) + " " +
            std::to_string(box_.y + r.y + r.height / 2));
    }

    ui::SurfacePtr background_;
    Shown box_;
};

TEST_F(MessageBoxWindow, LayoutMatchesTheArtworkPixelForPixel) {
    auto p = Start({"--caller", "uninstall"});
    EXPECT_EQ(box_.width, 256);
    EXPECT_EQ(box_.height, 110);
    Screenshot shot("msgbox-uninstall");
    ASSERT_TRUE(shot.Ok());
    ui::SurfacePtr ok = ui::LoadPngImage(mb::kOkNormalPng);
    ui::SurfacePtr cancel = ui::LoadPngImage(mb::kCancelNormalPng);
    ui::SurfacePtr cross = ui::LoadPngImage(mb::kClosePng);
    EXPECT_EQ(FaceMismatches(shot, {36, 66, 82, 34}, ok.get()), 0);
    EXPECT_EQ(FaceMismatches(shot, {138, 66, 82, 34}, cancel.get()), 0);
    EXPECT_EQ(FaceMismatches(shot, {237, 10, 9, 9}, cross.get()), 0);
    // Corners and the strip between message and buttons are the bare picture.
    for (auto [x, y] : {std::pair{0, 0}, {255, 0}, {0, 109}, {255, 109}, {128, 104}})
        EXPECT_LE(ColourDistance(shot.Pixel(box_.x + x, box_.y + y), BackgroundAt(x, y)), 2);
    Xdo("key Escape");
    EXPECT_EQ(p->WaitLine("ID"), "IDCANCEL");
}

TEST_F(MessageBoxWindow, TitleAndMessageAreCentredInTheirRectangles) {
    auto p = Start({"--caller", "exit"});
    Screenshot shot("msgbox-exit");
    const Rect title = InkBox(shot, mb::kTitleRect);
    const Rect message = InkBox(shot, mb::kMessageRect);
    ASSERT_GT(title.width, 0);
    ASSERT_GT(message.width, 0);
    EXPECT_NEAR(title.x + title.width / 2.0, 78 + 50, 2.0);
    EXPECT_NEAR(message.x + message.width / 2.0, 28 + 100, 2.0);
    EXPECT_LT(title.y, 8 + 12) << "title starts at the top of its rectangle";
    EXPECT_LT(message.height, 16) << "a short message takes one line";
    Xdo("key Escape");
    EXPECT_EQ(p->WaitLine("ID"), "IDCANCEL");
}

TEST_F(MessageBoxWindow, LongMessageWrapsToTwoLinesAndStaysInItsRectangle) {
    const std::string text(60, 'W');
    auto p = Start({"长标题长标题长标题长标题长标题", text});
    Screenshot shot("msgbox-long");
    const Rect message = InkBox(shot, {0, 33, 256, 33});
    EXPECT_GT(message.height, 16) << "two lines";
    EXPECT_GE(message.x, 28);
    EXPECT_LE(message.x + message.width, 28 + 200);
    EXPECT_LE(message.y + message.height, 35 + 30);
    const Rect title = InkBox(shot, {30, 4, 200, 29});
    EXPECT_GE(title.x, 78);
    EXPECT_LE(title.x + title.width, 78 + 100) << "long title cut with an ellipsis";
    Xdo("key Escape");
    p->WaitLine("ID");
}

TEST_F(MessageBoxWindow, HoverBrightensAndPressedShowsThePressedPicture) {
    auto p = Start({"--caller", "newserver"});
    ui::SurfacePtr hover = ui::LoadPngImage(mb::kOkHoverPng);
    ui::SurfacePtr bright(ui::CreateBrightenedCopy(hover.get()));
    const Rect ok = mb::OkRect();
    CenterPointerOn(ok);
    Sleep(250);
    {
        Screenshot shot("msgbox-ok-hover");
        EXPECT_EQ(FaceMismatches(shot, ok, bright.get()), 0);
    }
    Xdo("mousedown 1");
    Sleep(250);
    {
        Screenshot shot("msgbox-ok-pressed");
        EXPECT_EQ(FaceMismatches(shot, ok, hover.get()), 0);
    }
    Xdo("mouseup 1");
    EXPECT_EQ(p->WaitLine("ID"), "IDOK");
}

TEST_F(MessageBoxWindow, CancelCrossEscapeAndCloseRequestAllGiveCancel) {
    {
        auto p = Start({"--caller", "exit"});
        CenterPointerOn(mb::CancelRect());
        Xdo("click 1");
        EXPECT_EQ(p->WaitLine("ID"), "IDCANCEL");
    }
    {
        auto p = Start({"--caller", "exit"});
        CenterPointerOn(mb::CloseRect());
        Xdo("click 1");
        EXPECT_EQ(p->WaitLine("ID"), "IDCANCEL");
    }
    {
        auto p = Start({"--caller", "exit"});
        Xdo("key Escape");
        EXPECT_EQ(p->WaitLine("ID"), "IDCANCEL");
    }
    {
        auto p = Start({"--caller", "exit"});
        RequestClose(box_.xid);
        EXPECT_EQ(p->WaitLine("ID"), "IDCANCEL");
    }
}

TEST_F(MessageBoxWindow, PressOnButtonThenReleaseOutsideIsNoClick) {
    auto p = Start({"--caller", "exit"});
    CenterPointerOn(mb::OkRect());
    Xdo("mousedown 1");
    Xdo("mousemove_relative -- 0 -60");
    Xdo("mouseup 1");
    EXPECT_EQ(p->WaitLine("ID", 700), "");
    int x = 0, y = 0;
    ASSERT_TRUE(WindowOrigin(box_.xid, &x, &y));
    EXPECT_EQ(x, box_.x) << "a press on a button never drags";
    Xdo("key Escape");
    EXPECT_EQ(p->WaitLine("ID"), "IDCANCEL");
}

TEST_F(MessageBoxWindow, DraggedByItsBody) {
    auto p = Start({"--caller", "exit"});
    Xdo("mousemove " + std::to_string(box_.x + 12) + " " + std::to_string(box_.y + 50));
    Xdo("mousedown 1");
    for (int step = 1; step <= 5; ++step) {
        Xdo("mousemove " + std::to_string(box_.x + 12 + step * 20) + " " +
            std::to_string(box_.y + 50 + step * 10));
        Sleep(40);
    }
    Xdo("mouseup 1");
    Sleep(200);
    int x = 0, y = 0;
    ASSERT_TRUE(WindowOrigin(box_.xid, &x, &y));
    EXPECT_NEAR(x, box_.x + 100, 3);
    EXPECT_NEAR(y, box_.y + 50, 3);
    Xdo("key Escape");
    EXPECT_EQ(p->WaitLine("ID"), "IDCANCEL");
}

TEST_F(MessageBoxWindow, CentredOverItsOwner) {
    auto p = Start({"--owner", "900x600", "--caller", "exit"});
    // The owner stands at (100, 80); its "shown" line may come first.
    EXPECT_EQ(box_.x, 100 + (900 - 256) / 2);
    EXPECT_EQ(box_.y, 80 + (600 - 110) / 2);
    Screenshot shot("msgbox-over-owner");
    Xdo("key Escape");
    EXPECT_EQ(p->WaitLine("ID"), "IDCANCEL");
}

TEST_F(MessageBoxWindow, EnterAndSpaceGiveNoAnswer) {
    auto p = Start({"--caller", "uninstall"});
    Xdo("key Return");
    Xdo("key KP_Enter");
    Xdo("key space");
    EXPECT_EQ(p->WaitLine("ID", 700), "") << "only a click on OK answers OK";
    Xdo("key Escape");
    EXPECT_EQ(p->WaitLine("ID"), "IDCANCEL");
}

TEST_F(MessageBoxWindow, StaysOnScreenOverAnOwnerReachingPastTheEdge) {
    // The screen is 1600 x 900; the owner reaches past its right and
    // bottom edges, so its centre lies off screen.
    auto p = Start({"--owner", "900x600+1300+700", "--caller", "exit"});
    EXPECT_GE(box_.x, 0);
    EXPECT_GE(box_.y, 0);
    EXPECT_LE(box_.x + box_.width, 1600);
    EXPECT_LE(box_.y + box_.height, 900);
    Xdo("key Escape");
    EXPECT_EQ(p->WaitLine("ID"), "IDCANCEL");
}

}  // namespace
}  // namespace vostra::test
