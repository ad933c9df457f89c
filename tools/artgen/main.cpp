// vostra-artgen: draws the launcher's artwork into a resource folder.
// Usage: vostra-artgen <res folder>
#include <cstdio>
#include <exception>

#include "families.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <res folder>\n", argv[0]);
        return 2;
    }
    try {
        artgen::Output out(argv[1]);
        artgen::DrawTitleStrip(out);
        artgen::DrawCaptionButtons(out);
        artgen::DrawToolButtons(out);
        artgen::DrawMessageBox(out);
        artgen::DrawOverlayFrames(out);
        artgen::DrawLoginBackground(out);
        artgen::DrawLoginPopup(out);
        artgen::DrawProgramIcon(out);
        const auto missing = out.Missing();
        for (int id : missing) std::fprintf(stderr, "vostra-artgen: PNG %d was not drawn\n", id);
        return missing.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vostra-artgen: %s\n", e.what());
        return 1;
    }
}
