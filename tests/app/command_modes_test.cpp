#include <gtest/gtest.h>

#include "app/command_modes.h"

namespace vostra {
namespace {

struct ModeCase {
    std::u16string line;
    StartMode mode;
};

class ModeSelection : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeSelection, FirstMatchingTestWins) {
    EXPECT_EQ(SelectStartMode(GetParam().line), GetParam().mode)
        << StartModeName(SelectStartMode(GetParam().line));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ModeSelection,
    ::testing::Values(
        ModeCase{u"-d /x/vostra", StartMode::kUpdateHandoff},
        ModeCase{u"-d", StartMode::kUpdateHandoff},
        ModeCase{u"-d /x/vostra -u", StartMode::kUpdateHandoff},  // "-d" is tested first
        ModeCase{u"\"/x/vostra\" -u", StartMode::kUninstallStage1},
        ModeCase{u"-u /x/vostra -u", StartMode::kUninstallStage1},  // tail before head
        ModeCase{u"-u", StartMode::kUninstallStage1},
        ModeCase{u"-u /x/vostra", StartMode::kUninstallStage2},
        ModeCase{u"\"/x\" -frameWnd=77 -gameurl=http://g/?a-u", StartMode::kUninstallStage1},
        ModeCase{u"\"/x\" -frameWnd=77 -gameurl=http://g/", StartMode::kGameWindow},
        ModeCase{u"\"/x\" -frameWnd=0 -gameurl=http://g/", StartMode::kNormal},
        ModeCase{u"\"/x\" -frameWnd=abc -gameurl=http://g/", StartMode::kNormal},
        ModeCase{u"\"/x\" -frameWnd=77", StartMode::kNormal},  // no blank after the number
        ModeCase{u"\"/x\" -D /y", StartMode::kNormal},         // case-sensitive
        ModeCase{u"\"/x\"", StartMode::kNormal}, ModeCase{u"", StartMode::kNormal},
        ModeCase{u"-", StartMode::kNormal}));

TEST(GameWindowSelection, HandleIsParsedLikeWcstol) {
    EXPECT_EQ(SelectGameWindowOrNormal(u"x -frameWnd=\t-42zz -gameurl=u").frame_wnd, -42);
    // A blank right after "=" ends the number before it starts.
    EXPECT_EQ(SelectGameWindowOrNormal(u"x -frameWnd= 42 -gameurl=u").frame_wnd, 0);
    EXPECT_EQ(SelectGameWindowOrNormal(u"x -frameWnd=+17 ").frame_wnd, 17);
    EXPECT_EQ(SelectGameWindowOrNormal(u"x -frameWnd=99999999999999999999 ").frame_wnd,
              INT64_MAX);
    EXPECT_EQ(SelectGameWindowOrNormal(u"x -frameWnd=-99999999999999999999 ").frame_wnd,
              INT64_MIN);
}

TEST(GameWindowSelection, UrlIsTheWholeRestOfTheLine) {
    const auto args = SelectGameWindowOrNormal(u"\"/x\" -frameWnd=5 -gameurl=http://h/a b?c=-frameWnd= ");
    EXPECT_EQ(args.frame_wnd, 5);
    EXPECT_EQ(args.game_url, u"http://h/a b?c=-frameWnd= ");
}

TEST(GameWindowSelection, HandleWithoutUrlGivesEmptyUrl) {
    const auto args = SelectGameWindowOrNormal(u"\"/x\" -frameWnd=5 ");
    EXPECT_EQ(args.frame_wnd, 5);
    EXPECT_EQ(args.game_url, u"");
}

TEST(GameWindowSelection, UrlBeforeTheHandleIsNotSeen) {
    const auto args = SelectGameWindowOrNormal(u"\"/x\" -gameurl=http://h/ -frameWnd=5 z");
    EXPECT_EQ(args.frame_wnd, 5);
    EXPECT_EQ(args.game_url, u"");
}

TEST(GameWindowSelection, UrlWithoutHandleIsStillReadForTheNormalLauncher) {
    const auto args = SelectGameWindowOrNormal(u"\"/x\" -gameurl=http://h/");
    EXPECT_EQ(args.frame_wnd, 0);
    EXPECT_EQ(args.game_url, u"http://h/");
}

TEST(PathAfterOption, SkipsWhateverFollowsTheOption) {
    EXPECT_EQ(PathAfterOption(u"-d /a b/c "), u"/a b/c ");
    EXPECT_EQ(PathAfterOption(u"-dX/a"), u"/a");
    EXPECT_EQ(PathAfterOption(u"-d "), u"");
    EXPECT_EQ(PathAfterOption(u"-d"), u"");
}

}  // namespace
}  // namespace vostra
