// The application object: reads the raw command line once, chooses the
// process's mode and hands over to it.
#pragma once

#include <functional>
#include <string>

#include "app/command_modes.h"

namespace vostra {

// What the windowed modes run. The core knows no toolkit: the executable
// fills these in; an empty one means that mode is not part of this build.
struct ModeHandlers {
    std::function<int()> run_normal;                          // exit code
    std::function<int(const GameWindowArgs&)> run_game_window;  // exit code
    // Shows the uninstall question: 1 (OK), 2 (Cancel) or -1 when it could
    // not be shown.
    std::function<int(const std::string& title, const std::string& message)> ask_uninstall;
};

class CLander_KxApp {
public:
    // argv is taken untouched, before any toolkit can consume arguments.
    CLander_KxApp(int argc, const char* const* argv, ModeHandlers handlers = {});

    // Runs the chosen mode; returns the process exit code. A successful
    // update handoff ends the process inside with code 0.
    int Run();

    const std::u16string& CommandLine() const { return m_strCommandLine; }

private:
    bool InitInstance();
    int ExitInstance();
    int RunGameWindowOrNormal();
    int NotBuiltYet(const char* mode_name);
    int UninstallStage1();
    int UninstallStage2();

    std::u16string m_strCommandLine;
    ModeHandlers m_handlers;
    int m_nExitCode = 0;
};

}  // namespace vostra
