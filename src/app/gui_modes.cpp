#include "app/gui_modes.h"

#include <cstdio>

#include "gamewnd/game_wnd_dlg.h"
#include "login/lander_login.h"
#include "platform/text_utf.h"
#include "ui/custom_message_box.h"

namespace vostra {
namespace {

// The uninstall question: our own message box, with no owner, centred on
// the screen. -1 when there is no display to show it on.
int AskUninstall(const std::string& title, const std::string& message) {
    ui::CCustomMessageBox box(nullptr);
    box.SetText(title, message);
    return box.DoModal();
}

// The normal launcher: the login window until the page hands over its play
// link. Until the launcher's frame exists, the game URL is printed on
// standard output and the launcher ends there.
int RunNormal() {
    CLanderLogin login;
    if (login.DoModal() < 0) return 1;
    printf("%s\n", login.GetPlayUrl().c_str());
    fflush(stdout);
    return 0;
}

// The game window: the second process, inside the launcher's frame.
int RunGameWindow(const GameWindowArgs& args) {
    CGameWndDlg dlg(static_cast<Window>(args.frame_wnd), Utf16ToUtf8(args.game_url));
    return dlg.Run();
}

}  // namespace

ModeHandlers MakeGuiModeHandlers() {
    ModeHandlers handlers;
    handlers.ask_uninstall = AskUninstall;
    handlers.run_normal = RunNormal;
    handlers.run_game_window = RunGameWindow;
    return handlers;
}

}  // namespace vostra
