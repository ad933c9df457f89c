// The application object: reads the raw command line once, chooses the
// process's mode and hands over to it.
#pragma once

#include <string>

namespace vostra {

class CLander_KxApp {
public:
    // argv is taken untouched, before any toolkit can consume arguments.
    CLander_KxApp(int argc, const char* const* argv);

    // Runs the chosen mode; returns the process exit code. A successful
    // update handoff ends the process inside with code 0.
    int Run();

    const std::u16string& CommandLine() const { return m_strCommandLine; }

private:
    bool InitInstance();
    int ExitInstance();
    int RunGameWindowOrNormal();
    int NotBuiltYet(const char* mode_name);

    std::u16string m_strCommandLine;
    int m_nExitCode = 0;
};

}  // namespace vostra
