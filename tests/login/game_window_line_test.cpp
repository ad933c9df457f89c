#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "app/command_modes.h"
#include "login/game_window_line.h"
#include "platform/command_line.h"
#include "platform/text_utf.h"

namespace vostra {
namespace {

// What the game window reads: the line goes through the argv that
// StartOwnProcess hands to the child, the child rebuilds its raw line from
// that argv, and the mode selection parses it.
struct ReadBack {
    std::string rebuilt;
    StartMode mode;
    GameWindowArgs args;
};

ReadBack ThroughChild(const std::string& path, const std::string& line) {
    const std::vector<std::string> args = ArgvForCommandLine(path, &line);
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    ReadBack back;
    back.rebuilt = BuildRawCommandLine(static_cast<int>(argv.size()), argv.data());
    const std::u16string wide = Utf8ToUtf16(back.rebuilt);
    back.mode = SelectStartMode(wide);
    back.args = SelectGameWindowOrNormal(wide);
    return back;
}

TEST(GameWindowLine, HasTheLaunchersFormat) {
    const auto composed = ComposeGameWindowLine("/opt/vostra/vostra-launcher", 8388621,
                                                "http://g.example/play_gamecode?sid=1");
    ASSERT_EQ(composed.status, GameLineStatus::kComposed);
    EXPECT_EQ(composed.line,
              "\"/opt/vostra/vostra-launcher\" -frameWnd=8388621 "
              "-gameurl=http://g.example/play_gamecode?sid=1");
}

struct RoundTripCase {
    std::string path;
    int64_t frame;
    std::string url;
};

class GameWindowRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(GameWindowRoundTrip, ChildReadsBackFrameAndUrl) {
    const auto& c = GetParam();
    const auto composed = ComposeGameWindowLine(c.path, c.frame, c.url);
    ASSERT_EQ(composed.status, GameLineStatus::kComposed) << GameLineStatusName(composed.status);
    const ReadBack back = ThroughChild(c.path, composed.line);
    EXPECT_EQ(back.rebuilt, composed.line);
    EXPECT_EQ(back.mode, StartMode::kGameWindow) << StartModeName(back.mode);
    EXPECT_EQ(back.args.frame_wnd, c.frame);
    EXPECT_EQ(back.args.game_url, Utf8ToUtf16(c.url));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, GameWindowRoundTrip,
    ::testing::Values(
        RoundTripCase{"/opt/vostra/vostra-launcher", 1, "http://g.example/play_gamecode"},
        RoundTripCase{"/home/p/My Games/vostra launcher", 0x3A00007, "http://g/a b  c"},
        RoundTripCase{"/x/vostra", 42, " http://g/leading-and-trailing-blank "},
        RoundTripCase{"/x/vostra", 42, "http://g/?q=-frameWnd=9 -gameurl=http://evil/"},
        RoundTripCase{"/x/vostra", 42, "http://g/?say=\"hi\"&x='y'"},
        RoundTripCase{"/x/vostra", 42, "http://g/?a-u&b=-d"},
        RoundTripCase{"/x/vostra", 42, ""},
        RoundTripCase{"/数据/Vostra登录器", 42, "http://g/玩?名=值"},
        RoundTripCase{"/x/-gameurl=/vostra", 42, "http://g/"},
        RoundTripCase{"/x/vostra", -5, "http://g/"},
        RoundTripCase{"/x/vostra", INT64_MAX, "http://g/"},
        RoundTripCase{"/x/vostra", INT64_MIN, "http://g/"}));

// A URL ending in "-u" would end the whole line in "-u", which starts
// uninstall stage 1: the final "u" travels percent-encoded instead.
TEST(GameWindowLine, UrlEndingInDashUStillStartsTheGameWindow) {
    for (const std::string url : {"http://g.example/play_gamecode?nick=a-u", "-u"}) {
        SCOPED_TRACE(url);
        const auto composed = ComposeGameWindowLine("/x/vostra", 77, url);
        ASSERT_EQ(composed.status, GameLineStatus::kComposed);
        const ReadBack back = ThroughChild("/x/vostra", composed.line);
        EXPECT_EQ(back.mode, StartMode::kGameWindow) << StartModeName(back.mode);
        EXPECT_EQ(back.args.frame_wnd, 77);
        EXPECT_EQ(back.args.game_url, Utf8ToUtf16(url.substr(0, url.size() - 1) + "%75"));
    }
}

TEST(GameWindowLine, RefusesLinesTheChildWouldMisread) {
    const std::string url = "http://g/";
    EXPECT_EQ(ComposeGameWindowLine("/x/vostra", 0, url).status, GameLineStatus::kNoFrame);
    EXPECT_EQ(ComposeGameWindowLine("", 1, url).status, GameLineStatus::kBadPath);
    EXPECT_EQ(ComposeGameWindowLine("/x/\"q\"/vostra", 1, url).status, GameLineStatus::kBadPath);
    // The child would rebuild these without quotes: "-d" is the update
    // handoff, "-u" an uninstall stage.
    EXPECT_EQ(ComposeGameWindowLine("-dir/vostra", 1, url).status, GameLineStatus::kBadPath);
    EXPECT_EQ(ComposeGameWindowLine("-u/vostra", 1, url).status, GameLineStatus::kBadPath);
    EXPECT_EQ(ComposeGameWindowLine("/x/-frameWnd=5 /vostra", 1, url).status,
              GameLineStatus::kBadPath);
    EXPECT_EQ(ComposeGameWindowLine(std::string("/x/v\0s", 6), 1, url).status,
              GameLineStatus::kBadPath);
    EXPECT_EQ(ComposeGameWindowLine("/x/vostra", 1, std::string("http://g/\0-u", 12)).status,
              GameLineStatus::kBadUrl);
    EXPECT_TRUE(ComposeGameWindowLine("/x/vostra", 0, url).line.empty());
}

// The options after the path travel as one argument, which the kernel caps
// at 128 KiB including its terminating NUL.
TEST(GameWindowLine, ArgumentLongerThanTheKernelTakesIsRefused) {
    const std::string head = "-frameWnd=7 -gameurl=";
    std::string url = "http://g/?pad=";
    url.append(128 * 1024 - 1 - head.size() - url.size(), 'x');
    EXPECT_EQ(ComposeGameWindowLine("/x/vostra", 7, url).status, GameLineStatus::kComposed);
    EXPECT_EQ(ComposeGameWindowLine("/x/vostra", 7, url + "x").status, GameLineStatus::kTooLong);
}

}  // namespace
}  // namespace vostra
