// vostra-launcher: the desktop launcher of the game Vostra. One executable
// runs as the launcher, the game window, the update handoff or one of the
// two uninstall stages, chosen from its command line.
#include <cstdio>
#include <exception>

#include "app/application.h"
#include "app/gui_modes.h"
#include "platform/locale_setup.h"
#include "platform/session_bus.h"

int main(int argc, char** argv) {
    // Before any toolkit reads the locale: titles and texts are UTF-8.
    vostra::EnsureUtf8CharacterType();
    // Nor may a bus of our own making outlive us where no session has one.
    vostra::AvoidSessionBusAutolaunch();
    try {
        vostra::CLander_KxApp app(argc, argv, vostra::MakeGuiModeHandlers());
        return app.Run();
    } catch (const std::exception& e) {
        fprintf(stderr, "vostra-launcher: %s\n", e.what());
    } catch (...) {
        fprintf(stderr, "vostra-launcher: unexpected failure\n");
    }
    return 1;
}
