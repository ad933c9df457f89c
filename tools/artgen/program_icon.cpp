#include <memory>
#include <vector>

#include "canvas.h"
#include "emblem.h"
#include "families.h"

namespace artgen {
namespace {

// A night-blue tile with a gold rim holding the crest. Small sizes drop
// the details that would blur into mud.
std::unique_ptr<Canvas> DrawIcon(int n) {
    auto c = std::make_unique<Canvas>(n, n);
    cairo_t* cr = c->cr();
    const double inset = n >= 48 ? n / 32.0 : 0;
    const double radius = n * 0.18;
    const double rim = n >= 48 ? n / 32.0 : 1;
    RoundedRect(cr, inset, inset, n - 2 * inset, n - 2 * inset, radius);
    SetGoldSource(cr, inset, n - inset);
    cairo_fill(cr);
    RoundedRect(cr, inset + rim, inset + rim, n - 2 * (inset + rim), n - 2 * (inset + rim),
                radius - rim);
    SetVerticalGradient(cr, inset, n - inset, pal::kNavyLight, pal::kNavyDeep);
    cairo_fill(cr);
    if (n >= 32) {
        const double w = n * 0.56;
        DrawEmblem(cr, (n - w) / 2, (n - 1.2 * w) / 2, w);
        return c;
    }
    // 16 px: just the gold V, pixel by pixel: {row, first column, last column}.
    static const int kVee[][3] = {{4, 3, 5},  {4, 10, 12}, {5, 3, 5},  {5, 10, 12},
                                  {6, 4, 6},  {6, 9, 11},  {7, 4, 6},  {7, 9, 11},
                                  {8, 5, 7},  {8, 8, 10},  {9, 5, 10}, {10, 6, 9},
                                  {11, 7, 8}};
    for (const auto& run : kVee)
        FillRect(cr, run[1], run[0], run[2] - run[1] + 1, 1, pal::kGoldLight);
    return c;
}

}  // namespace

void DrawProgramIcon(Output& out) {
    auto i16 = DrawIcon(16), i32 = DrawIcon(32), i48 = DrawIcon(48), i256 = DrawIcon(256);
    out.Icon(273, {i16.get(), i32.get(), i48.get()}, *i256);
}

}  // namespace artgen
