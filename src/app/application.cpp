#include "app/application.h"

#include <cstdio>
#include <cstdlib>

#include "app/command_modes.h"
#include "app/uninstall.h"
#include "app/update_handoff.h"
#include "platform/command_line.h"
#include "platform/known_folders.h"
#include "platform/text_utf.h"

namespace vostra {

// Exit code of a mode whose windows are not part of this build yet.
constexpr int kExitModeNotBuilt = 3;
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr char kOwnImage[] = "/proc/self/exe";

CLander_KxApp::CLander_KxApp(int argc, const char* const* argv, ModeHandlers handlers)
    : m_strCommandLine(Utf8ToUtf16(BuildRawCommandLine(argc, argv))),
      m_handlers(std::move(handlers)) {}

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
            // Copy from our own open image rather than by name: another
            // launcher may delete the downloaded file while this one runs.
            if (RunUpdateHandoff(line, kOwnImage) == HandoffResult::kStarted) {
                fflush(nullptr);
                std::exit(0);
            }
            m_nExitCode = RunGameWindowOrNormal();
            return false;
        case StartMode::kUninstallStage1:
            m_nExitCode = UninstallStage1();
            return false;
        case StartMode::kUninstallStage2:
            m_nExitCode = UninstallStage2();
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
    if (args.frame_wnd != 0) {
        if (!m_handlers.run_game_window) return NotBuiltYet(StartModeName(StartMode::kGameWindow));
        return m_handlers.run_game_window(args);
    }
    if (!m_handlers.run_normal) return NotBuiltYet(StartModeName(StartMode::kNormal));
    return m_handlers.run_normal();
}

// Stage 1 goes on only when the player answered OK: a question that could
// not be shown is no consent. Exit code 0 when declined or when stage 2 was
// started, 1 when the question could not be shown or stage 2 not started.
int CLander_KxApp::UninstallStage1() {
    if (!m_handlers.ask_uninstall) return NotBuiltYet(StartModeName(StartMode::kUninstallStage1));
    int answer = -1;
    const auto confirm = [&] {
        answer = m_handlers.ask_uninstall(kUninstallTitle, UninstallQuestion());
        return answer == kAnswerOk;
    };
    if (RunUninstallStage1(confirm, GetModuleFilePath())) return 0;
    if (answer == -1) fprintf(stderr, "vostra-launcher: the uninstall question could not be shown\n");
    return answer == kAnswerCancel ? 0 : 1;
}

int CLander_KxApp::UninstallStage2() {
    const std::string installed = Utf16ToUtf8(PathAfterOption(m_strCommandLine));
    RunUninstallStage2(MakeUninstallPlan(GetUninstallFolders(), installed));
    return 0;
}

int CLander_KxApp::ExitInstance() { return m_nExitCode; }

}  // namespace vostra
