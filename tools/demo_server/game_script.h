// The script of the demo game page, served as kStaticPath "game.js".
#pragma once

#include <string>

namespace vostra::demo {

// The whole script. It reports the page events the launcher's tests look
// for to the event log, and runs the game when the page says that the
// player is signed in.
std::string GameScript();

}  // namespace vostra::demo
