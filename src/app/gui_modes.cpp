#include "app/gui_modes.h"

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

}  // namespace

ModeHandlers MakeGuiModeHandlers() {
    ModeHandlers handlers;
    handlers.ask_uninstall = AskUninstall;
    return handlers;
}

}  // namespace vostra
