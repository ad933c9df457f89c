// Buffered painting: a window composes its whole picture on an off-screen
// image surface and puts it on screen with one paint, so the screen never
// shows a half-drawn state.
#pragma once

#include <cairo.h>

namespace vostra::ui {

class CBufferedPaint {
public:
    CBufferedPaint(int width, int height);
    ~CBufferedPaint();
    CBufferedPaint(const CBufferedPaint&) = delete;
    CBufferedPaint& operator=(const CBufferedPaint&) = delete;

    // Where to draw; coordinates are the window's client coordinates.
    cairo_t* Context() const { return m_cr; }
    cairo_surface_t* Surface() const { return m_surface; }

    // Puts the whole picture on `target` at (0, 0) in one operation,
    // replacing what was there.
    void PaintTo(cairo_t* target);

private:
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};

}  // namespace vostra::ui
