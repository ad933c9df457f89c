// One drawing routine per family of pictures; each writes its files
// through the output.
#pragma once

#include "catalogue.h"

namespace artgen {

void DrawTitleStrip(Output& out);       // 172, 203, 206
void DrawCaptionButtons(Output& out);   // close, maximise, restore, minimise
void DrawToolButtons(Output& out);      // the five labelled buttons of the strip
void DrawMessageBox(Output& out);       // 304, 311 to 314, 316
void DrawOverlayFrames(Output& out);    // 275 to 279
void DrawLoginBackground(Output& out);  // 319
void DrawLoginPopup(Output& out);       // bitmap 318, 320 to 325
void DrawProgramIcon(Output& out);      // icon 273

}  // namespace artgen
