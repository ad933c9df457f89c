// Geometry and frame sequence of the please-wait overlay. Portable: no GTK.
#pragma once

#include <cstdint>

#include "ui/drawing.h"

namespace vostra::ui::overlay {

inline constexpr int kShadePng = 275;
inline constexpr int kFramePngs[4] = {276, 277, 278, 279};
inline constexpr int kAnimationTimer = 5000;
inline constexpr int kAnimationPeriodMs = 200;
inline constexpr int kOpacity = 229;  // of 255
inline constexpr double kFontPx = 14;
inline constexpr uint32_t kTextColour = 0xFFFFF5D3;
inline constexpr int kTextWidth = 200;
inline constexpr int kTextHeight = 31;
inline constexpr int kAnimationAboveCentre = 40;

// Division rounding toward minus infinity, for halves of negative sizes.
inline constexpr int FloorHalf(int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

// Where a w x h frame goes in a W x H client: centred, 40 px above centre.
inline constexpr Rect FrameRect(int W, int H, int w, int h) {
    return {FloorHalf(W - w), FloorHalf(H - h) - kAnimationAboveCentre, w, h};
}

// The text's rectangle: 200 x 31, centred (divisions truncate).
inline constexpr Rect TextRect(int W, int H) {
    return {(W - kTextWidth) / 2, (H - kTextHeight) / 2, kTextWidth, kTextHeight};
}

// The frame a timer tick shows (1 to 4) for the counter's value; the
// counter then moves on. A counter out of range starts again at frame 1.
inline int NextFrame(int& counter) {
    if (counter < 1 || counter > 4) counter = 1;
    const int frame = counter;
    ++counter;
    return frame;
}

}  // namespace vostra::ui::overlay
