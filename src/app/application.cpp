#include "app/application.h"

#include <cstdio>
#include <cstdlib>

#include "app/command_modes.h"
#include "app/update_handoff.h"
#include "platform/command_line.h"
#include "platform/special_folders.h"
#include "platform/text_utf.h"

namespace vostra {

// Exit code of a mode whose windows are not part of this build yet.
constexpr int kExitModeNotBuilt = 3;

CLander_KxApp::CLander_KxApp(int argc, const char* const* argv)
    : m_strCommandLine(Utf8ToUtf16(BuildRawCommandLine(argc, argv))) {}

int CLander_KxApp::Run() {
    InitInstance();
    return ExitInstance();
}

int CLander_KxApp::NotBuiltYet(const char* mode_name) {
    fprintf(stderr, "vostra-launcher: the %s mode is not built yet\n", mode_name);
    return kExitModeNotBuilt;
}

bool CLander_KxApp::InitInstance() {
    const std::u16string& line = m_strCommandLine;
    switch (SelectStartMode(line)) {
        case StartMode::kUpdateHandoff:
            if (RunUpdateHandoff(line, GetModuleFilePath()) == HandoffResult::kStarted) {
                fflush(nullptr);
                std::exit(0);
            }
            m_nExitCode = RunGameWindowOrNormal();
            return false;
        case StartMode::kUninstallStage1:
            m_nExitCode = NotBuiltYet(StartModeName(StartMode::kUninstallStage1));
            return false;
        case StartMode::kUninstallStage2:
            m_nExitCode = NotBuiltYet(StartModeName(StartMode::kUninstallStage2));
            return false;
        case StartMode::kGameWindow:
        case StartMode::kNormal:
            m_nExitCode = RunGameWindowOrNormal();
            return false;
    }
    return false;
}

int CLander_KxApp::RunGameWindowOrNormal() {
    const GameWindowArgs args = SelectGameWindowOrNormal(m_strCommandLine);
    if (args.frame_wnd != 0) return NotBuiltYet(StartModeName(StartMode::kGameWindow));
    return NotBuiltYet(StartModeName(StartMode::kNormal));
}

int CLander_KxApp::ExitInstance() { return m_nExitCode; }

}  // namespace vostra
