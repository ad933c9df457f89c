// Choosing the process's mode from its raw command line. The tests work on
// UTF-16 units, exactly and case-sensitively; head means the first two
// units of the line, tail the last two (a shorter line is its own head and
// tail). First match wins:
//   head "-d"  update handoff       ("-d " + installed path)
//   tail "-u"  uninstall stage 1    (the uninstall shortcut's line)
//   head "-u"  uninstall stage 2    ("-u " + path of the stage-1 executable)
//   else       game window when "-frameWnd=<n> " names a non-zero window,
//              otherwise the normal launcher.
#pragma once

#include <cstdint>
#include <string>

namespace vostra {

enum class StartMode { kUpdateHandoff, kUninstallStage1, kUninstallStage2, kGameWindow, kNormal };

const char* StartModeName(StartMode mode);

// The mode tests in their order. kGameWindow/kNormal come from
// SelectGameWindowOrNormal.
StartMode SelectStartMode(const std::u16string& line);

struct GameWindowArgs {
    int64_t frame_wnd = 0;       // 0: normal launcher
    std::u16string game_url;     // the whole rest of the line after "-gameurl="
};

// The game-window or normal selection:
//  - "-frameWnd=" found: the text after it; the number before its first
//    blank is the frame window (parsed as wcstol does with base 10); without
//    a blank the frame stays 0. The search for "-gameurl=" then goes on from
//    that blank.
//  - "-gameurl=" found: the URL is everything after it, blanks included.
GameWindowArgs SelectGameWindowOrNormal(const std::u16string& line);

// The path carried after "-d" or "-u": the line from index 3 to its end (the
// character after the option is skipped whatever it is); "" when shorter.
std::u16string PathAfterOption(const std::u16string& line);

}  // namespace vostra
