// What a control needs from the window it sits on.
#pragma once

#include <cairo.h>

namespace vostra::ui {

class CControlParent {
public:
    virtual ~CControlParent() = default;

    // Paints the window's own picture, without its controls, in client
    // coordinates. Controls call it to learn the pixels beneath them: the
    // window is drawn off screen rather than read back from the X server,
    // which would give black or another window's pixels where it is covered.
    virtual void PaintBackground(cairo_t* cr) = 0;

    // A control's command, for a button its click, with the control's id.
    virtual void OnCommand(int id) = 0;
};

}  // namespace vostra::ui
