#include "app/gui_modes.h"

#include <cstdio>

#include "gamewnd/game_wnd_dlg.h"
#include "launcher/lander_kx_dlg.h"
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

// The normal launcher: the frame, which runs the login first.
int RunNormal() {
    CLander_KxDlg frame;
    return frame.DoModal() < 0 ? 1 : 0;
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
