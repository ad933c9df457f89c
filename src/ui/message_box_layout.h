// The message box's pixel layout, in client coordinates of its 256 x 110
// window (no border: the client area is the whole window).
#pragma once

#include <cstdint>

#include "ui/drawing.h"

namespace vostra::ui::msgbox {

inline constexpr int kWidth = 256;
inline constexpr int kHeight = 110;

inline constexpr int kBackgroundPng = 304;
inline constexpr int kOkNormalPng = 314;
inline constexpr int kOkHoverPng = 313;      // hover and pressed
inline constexpr int kCancelNormalPng = 312;
inline constexpr int kCancelHoverPng = 311;  // hover and pressed
inline constexpr int kClosePng = 316;        // all three states

inline constexpr int kCloseId = 1001;

inline constexpr Rect CloseRect(int w = kWidth) { return {w - 19, 10, 9, 9}; }
inline constexpr Rect OkRect(int h = kHeight) { return {36, h - 44, 82, 34}; }
inline constexpr Rect CancelRect(int h = kHeight) { return {138, h - 44, 82, 34}; }
inline constexpr Rect kTitleRect{78, 8, 100, 25};
inline constexpr Rect kMessageRect{28, 35, 200, 30};

inline constexpr double kTitleFontPx = 13;    // bold
inline constexpr double kMessageFontPx = 11;  // regular
inline constexpr uint32_t kTitleColour = 0xFFFFFFFF;
inline constexpr uint32_t kMessageColour = 0xFFFFECF7;

// Drawn only when picture 304 is missing, so the texts stay readable.
inline constexpr uint32_t kPlaceholderColour = 0xFF3A3F4A;

}  // namespace vostra::ui::msgbox
