#include "ui/buffered_paint.h"

namespace vostra::ui {

CBufferedPaint::CBufferedPaint(int width, int height)
    : m_surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width > 0 ? width : 1,
                                           height > 0 ? height : 1)),
      m_cr(cairo_create(m_surface)) {}

CBufferedPaint::~CBufferedPaint() {
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

void CBufferedPaint::PaintTo(cairo_t* target) {
    cairo_surface_flush(m_surface);
    cairo_save(target);
    cairo_set_operator(target, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(target, m_surface, 0, 0);
    cairo_paint(target);
    cairo_restore(target);
}

}  // namespace vostra::ui
