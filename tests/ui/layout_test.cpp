// The fixed layouts and the questions' texts.
#include <gtest/gtest.h>

#include "ui/dialog_base.h"
#include "ui/message_box_layout.h"
#include "ui/message_texts.h"
#include "ui/overlay_layout.h"

namespace vostra::ui {
namespace {

TEST(MessageBoxLayout, ButtonsStandWhereTheTablePutsThem) {
    const Rect close = msgbox::CloseRect();
    const Rect ok = msgbox::OkRect();
    const Rect cancel = msgbox::CancelRect();
    EXPECT_EQ(close.x, 237);
    EXPECT_EQ(close.y, 10);
    EXPECT_EQ(ok.x, 36);
    EXPECT_EQ(ok.y, 66);
    EXPECT_EQ(cancel.x, 138);
    EXPECT_EQ(cancel.y, 66);
}

TEST(OverlayLayout, FrameCentredFortyAboveAndTextCentred) {
    const Rect f = overlay::FrameRect(900, 600, 23, 23);
    EXPECT_EQ(f.x, 438);
    EXPECT_EQ(f.y, 288 - 40);
    const Rect t = overlay::TextRect(900, 600);
    EXPECT_EQ(t.x, 350);
    EXPECT_EQ(t.y, 284);
    // Odd differences round down; smaller than a frame goes negative, down.
    EXPECT_EQ(overlay::FrameRect(24, 24, 23, 23).x, 0);
    EXPECT_EQ(overlay::FrameRect(20, 20, 23, 23).x, -2);
}

TEST(OverlayFrames, RunOneToFourThenAgainAndResetOutOfRange) {
    int counter = 1;
    int seen[6];
    for (int& s : seen) s = overlay::NextFrame(counter);
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[3], 4);
    EXPECT_EQ(seen[4], 1);
    EXPECT_EQ(seen[5], 2);
    counter = 17;
    EXPECT_EQ(overlay::NextFrame(counter), 1);
    EXPECT_EQ(counter, 2);
}

TEST(Questions, CallersTexts) {
    EXPECT_EQ(UninstallQuestion().title, "卸载");
    EXPECT_EQ(UninstallQuestion().message, "您是否确认卸载《Vostra》？");
    EXPECT_EQ(NewServerQuestion().title, "选服");
    EXPECT_EQ(ExitQuestion().title, "关闭提示");
    EXPECT_EQ(ExitQuestion().message, "是否退出Vostra登录器？");
}

TEST(DialogPlacement, CentredOverTheOwnerAndKeptInsideTheWorkArea) {
    const Rect work{0, 0, 1600, 900};
    const Rect over = CentredIn({100, 80, 900, 600}, 256, 110);
    EXPECT_EQ(over.x, 100 + 322);
    EXPECT_EQ(over.y, 80 + 245);
    EXPECT_EQ(KeepInside(over, work).x, over.x) << "inside already: unchanged";
    // An owner reaching past the right and bottom edges.
    const Rect past = KeepInside(CentredIn({1300, 700, 900, 600}, 256, 110), work);
    EXPECT_EQ(past.x, 1600 - 256);
    EXPECT_EQ(past.y, 900 - 110);
    // Past the left and top edges, and a work area that does not start at 0.
    const Rect before = KeepInside(CentredIn({-800, -500, 900, 600}, 256, 110), {0, 30, 1600, 870});
    EXPECT_EQ(before.x, 0);
    EXPECT_EQ(before.y, 30);
    // Larger than the area: its top-left corner stays visible.
    const Rect big = KeepInside({-10, -10, 2000, 1000}, work);
    EXPECT_EQ(big.x, 0);
    EXPECT_EQ(big.y, 0);
}

}  // namespace
}  // namespace vostra::ui
