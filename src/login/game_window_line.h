// The command line that starts the game window: the quoted executable path,
// the launcher frame's window id as a signed decimal number and the game
// URL, which runs to the end of the line:
//     "<path>" -frameWnd=<id> -gameurl=<url>
// It is started with StartOwnProcess(path, &line); the child rebuilds the
// same line from its argv and SelectGameWindowOrNormal reads the id and the
// URL back from it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vostra {

enum class GameLineStatus {
    kComposed,
    kNoFrame,   // window id 0: the child would start as a second launcher
    kBadPath,   // empty, begins with "-", or holds a double quote,
                // "-frameWnd=" or a NUL
    kBadUrl,    // holds a NUL, which no argument can carry
    kTooLong,   // the argument after the path exceeds the kernel's limit
};

struct GameWindowLine {
    GameLineStatus status = GameLineStatus::kComposed;
    std::string line;  // empty unless composed
};

// Composes the line so that the child reads back exactly frame_wnd and
// game_url, with one repair: a URL ending in "-u" would make the whole line
// end in "-u", which starts uninstall stage 1 instead of the game window.
// Its final "u" is then written as "%75", the same address by the rules of
// URLs (an unreserved character and its percent-encoding are equivalent).
// Lines that cannot be composed so that the child reads them back are
// refused rather than started:
//  - a path with a double quote would end the quoted path early, one
//    holding "-frameWnd=" would be read as the option, and one beginning
//    with "-" is rebuilt by the child without quotes, so "-d..." or
//    "-u..." would choose another mode (the running executable's path,
//    which is absolute, never does any of these);
//  - the game window looks for the option first of all, so only a path is
//    checked for it: "-frameWnd=" or "-gameurl=" inside the URL is read as
//    part of the URL.
GameWindowLine ComposeGameWindowLine(std::string_view exe_path, int64_t frame_wnd,
                                     std::string_view game_url);

const char* GameLineStatusName(GameLineStatus status);

}  // namespace vostra
