// vostra-ui-harness PIECE [options]
//
//   msgbox [--owner WxH[+X+Y]] [--caller uninstall|newserver|exit] [TITLE MESSAGE]
//       Runs the message box and prints its answer: IDOK, IDCANCEL or
//       FAILED. With --owner it is centred over a pattern window of that
//       size (at X, Y; default 100, 80); --caller shows that caller's
//       question.
//   button [--titlebar]
//       A window with the launcher's buttons over a test pattern (or the
//       title bar artwork); prints "command ID" for every click. Reads
//       "repaint" from standard input: the window paints a plain colour
//       from then on (the buttons' faces keep what was under them at first).
//   overlay [--size WxH]
//       A pattern window of that size (default 900x600) with the overlay
//       over it; prints "frame N" per tick. Reads commands from standard
//       input: hide, show, stop (the animation timer), timer ID (one tick
//       by hand; prints "current N"), quit. Each show prints "mode
//       opacity" (window opacity, composited screen) or "mode blend"
//       (blended over a capture of what lies beneath).
//
// Every window prints "shown XID X Y W H" once it is on screen.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>

#include "harness.h"
#include "ui/dialog_base.h"

int main(int argc, char** argv) {
    // The harness runs under bare X servers in the tests: no accessibility bus.
    setenv("NO_AT_BRIDGE", "1", 0);
    if (argc < 2) {
        fprintf(stderr, "usage: vostra-ui-harness msgbox|button|overlay [options]\n");
        return 2;
    }
    if (!vostra::ui::InitUiToolkit()) {
        fprintf(stderr, "vostra-ui-harness: cannot open the display\n");
        vostra::harness::Say("FAILED");
        return 1;
    }
    const std::string piece = argv[1];
    const vostra::harness::Args args(argv + 2, argv + argc);
    if (piece == "msgbox") return vostra::harness::RunMessageBox(args);
    if (piece == "button") return vostra::harness::RunButtons(args);
    if (piece == "overlay") return vostra::harness::RunOverlay(args);
    fprintf(stderr, "vostra-ui-harness: unknown piece \"%s\"\n", piece.c_str());
    return 2;
}
