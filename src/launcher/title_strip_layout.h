// The launcher frame's title strip: the nine image buttons, their pictures,
// tooltips and places, all at y = 3 and placed from the client width R.
// Plain data and arithmetic, no window code.
#pragma once

#include <array>
#include <string_view>

namespace vostra {

inline constexpr int kStripHeight = 30;
inline constexpr int kStripButtonY = 3;
// The strip's pictures: left end (203 x 30), middle tile (1 x 30), right end (92 x 30).
inline constexpr int kStripLeftPng = 203;
inline constexpr int kStripTilePng = 172;
inline constexpr int kStripRightPng = 206;

enum TitleButtonId : int {
    IDC_BTN_CLOSE = 1001,
    IDC_BTN_RESTORE = 1002,
    IDC_BTN_MINIMIZE = 1003,
    IDC_BTN_FULLSCREEN = 1004,
    IDC_BTN_BOSSKEY = 1005,
    IDC_BTN_NEWSERVER = 1007,
    IDC_BTN_MAXIMIZE = 1008,
    IDC_BTN_REFRESH = 1021,
    IDC_BTN_CLEARCACHE = 1030,
};

struct TitleButton {
    int id;
    int normal_png, hover_png, pressed_png;
    std::string_view tooltip;  // empty: none
    int right_offset;          // x = R - right_offset
    int width, height;
};

// In the order the pictures and tooltips are given.
inline constexpr std::array<TitleButton, 9> kTitleButtons = {{
    {IDC_BTN_CLOSE, 207, 208, 227, "", 28, 28, 26},
    {IDC_BTN_MAXIMIZE, 220, 213, 228, "", 57, 28, 26},
    {IDC_BTN_RESTORE, 221, 217, 229, "", 57, 28, 26},
    {IDC_BTN_MINIMIZE, 209, 210, 230, "", 86, 28, 26},
    {IDC_BTN_NEWSERVER, 211, 212, 231, "选择新的服务器", 531, 59, 24},
    {IDC_BTN_BOSSKEY, 223, 215, 233, "老板键（快捷键F10）", 294, 97, 24},
    {IDC_BTN_FULLSCREEN, 224, 214, 234, "全屏/取消全屏（快捷键F11）", 192, 85, 24},
    {IDC_BTN_REFRESH, 226, 219, 236, "刷新", 467, 78, 24},
    {IDC_BTN_CLEARCACHE, 252, 253, 261, "清除缓存", 384, 85, 24},
}};

struct StripRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// Where the button goes for client width R.
StripRect TitleButtonRect(const TitleButton& button, int client_width);

// The three parts of the strip for client width R: the left picture at 0,
// the tile over the middle (none when the ends overlap), the right picture
// at R - its width.
struct StripParts {
    StripRect left, middle, right;
};
StripParts LayoutStrip(int client_width, int left_width, int right_width);

}  // namespace vostra
