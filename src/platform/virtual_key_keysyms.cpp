#include "platform/virtual_key_keysyms.h"

#include <algorithm>
#include <array>

namespace vostra {

namespace {

// Keysyms are the values of <X11/keysymdef.h>, named in the comments.
// A hot key is grabbed on the keycode that carries its keysym in the
// keyboard map of the moment, so the key is found on whatever layout the
// user runs.
constexpr std::array<VirtualKeyKeysym, 88> kTable = {{
    // Modifier keys as keys of their own. Windows names the key of either
    // side; an X grab holds one keycode, so the left key stands for both.
    {0x10, 0xffe1},  // VK_SHIFT -> XK_Shift_L
    {0x11, 0xffe3},  // VK_CONTROL -> XK_Control_L
    {0x12, 0xffe9},  // VK_MENU -> XK_Alt_L
    {0x20, 0x0020},  // VK_SPACE -> XK_space
    {0x21, 0xff55},  // VK_PRIOR (Page Up) -> XK_Prior
    {0x22, 0xff56},  // VK_NEXT (Page Down) -> XK_Next
    {0x23, 0xff57},  // VK_END -> XK_End
    {0x24, 0xff50},  // VK_HOME -> XK_Home
    {0x25, 0xff51},  // VK_LEFT -> XK_Left
    {0x26, 0xff52},  // VK_UP -> XK_Up
    {0x27, 0xff53},  // VK_RIGHT -> XK_Right
    {0x28, 0xff54},  // VK_DOWN -> XK_Down
    {0x2D, 0xff63},  // VK_INSERT -> XK_Insert
    {0x2E, 0xffff},  // VK_DELETE -> XK_Delete
    // Digits of the main keyboard: the virtual-key code is the character.
    {0x30, 0x0030},  // digit 0 -> XK_0
    {0x31, 0x0031},  // digit 1 -> XK_1
    {0x32, 0x0032},  // digit 2 -> XK_2
    {0x33, 0x0033},  // digit 3 -> XK_3
    {0x34, 0x0034},  // digit 4 -> XK_4
    {0x35, 0x0035},  // digit 5 -> XK_5
    {0x36, 0x0036},  // digit 6 -> XK_6
    {0x37, 0x0037},  // digit 7 -> XK_7
    {0x38, 0x0038},  // digit 8 -> XK_8
    {0x39, 0x0039},  // digit 9 -> XK_9
    // Letters: the virtual-key code is the upper-case character; the key
    // is found through its unshifted (lower-case) symbol.
    {0x41, 0x0061},  // letter A -> XK_a
    {0x42, 0x0062},  // letter B -> XK_b
    {0x43, 0x0063},  // letter C -> XK_c
    {0x44, 0x0064},  // letter D -> XK_d
    {0x45, 0x0065},  // letter E -> XK_e
    {0x46, 0x0066},  // letter F -> XK_f
    {0x47, 0x0067},  // letter G -> XK_g
    {0x48, 0x0068},  // letter H -> XK_h
    {0x49, 0x0069},  // letter I -> XK_i
    {0x4A, 0x006a},  // letter J -> XK_j
    {0x4B, 0x006b},  // letter K -> XK_k
    {0x4C, 0x006c},  // letter L -> XK_l
    {0x4D, 0x006d},  // letter M -> XK_m
    {0x4E, 0x006e},  // letter N -> XK_n
    {0x4F, 0x006f},  // letter O -> XK_o
    {0x50, 0x0070},  // letter P -> XK_p
    {0x51, 0x0071},  // letter Q -> XK_q
    {0x52, 0x0072},  // letter R -> XK_r
    {0x53, 0x0073},  // letter S -> XK_s
    {0x54, 0x0074},  // letter T -> XK_t
    {0x55, 0x0075},  // letter U -> XK_u
    {0x56, 0x0076},  // letter V -> XK_v
    {0x57, 0x0077},  // letter W -> XK_w
    {0x58, 0x0078},  // letter X -> XK_x
    {0x59, 0x0079},  // letter Y -> XK_y
    {0x5A, 0x007a},  // letter Z -> XK_z
    // Keypad. The grab is on the physical key, so a keypad digit answers
    // with NumLock on or off; on Windows the same key with NumLock off
    // sends a navigation code instead and the hot key stays silent. The
    // key is found through its NumLock symbol, the one Windows names.
    {0x60, 0xffb0},  // VK_NUMPAD0 -> XK_KP_0
    {0x61, 0xffb1},  // VK_NUMPAD1 -> XK_KP_1
    {0x62, 0xffb2},  // VK_NUMPAD2 -> XK_KP_2
    {0x63, 0xffb3},  // VK_NUMPAD3 -> XK_KP_3
    {0x64, 0xffb4},  // VK_NUMPAD4 -> XK_KP_4
    {0x65, 0xffb5},  // VK_NUMPAD5 -> XK_KP_5
    {0x66, 0xffb6},  // VK_NUMPAD6 -> XK_KP_6
    {0x67, 0xffb7},  // VK_NUMPAD7 -> XK_KP_7
    {0x68, 0xffb8},  // VK_NUMPAD8 -> XK_KP_8
    {0x69, 0xffb9},  // VK_NUMPAD9 -> XK_KP_9
    {0x6A, 0xffaa},  // VK_MULTIPLY -> XK_KP_Multiply
    {0x6B, 0xffab},  // VK_ADD -> XK_KP_Add
    {0x6D, 0xffad},  // VK_SUBTRACT -> XK_KP_Subtract
    {0x6E, 0xffae},  // VK_DECIMAL -> XK_KP_Decimal
    {0x6F, 0xffaf},  // VK_DIVIDE -> XK_KP_Divide
    {0x70, 0xffbe},  // VK_F1 -> XK_F1
    {0x71, 0xffbf},  // VK_F2 -> XK_F2
    {0x72, 0xffc0},  // VK_F3 -> XK_F3
    {0x73, 0xffc1},  // VK_F4 -> XK_F4
    {0x74, 0xffc2},  // VK_F5 -> XK_F5
    {0x75, 0xffc3},  // VK_F6 -> XK_F6
    {0x76, 0xffc4},  // VK_F7 -> XK_F7
    {0x77, 0xffc5},  // VK_F8 -> XK_F8
    {0x78, 0xffc6},  // VK_F9 -> XK_F9
    {0x79, 0xffc7},  // VK_F10 -> XK_F10
    {0x7A, 0xffc8},  // VK_F11 -> XK_F11
    {0x7B, 0xffc9},  // VK_F12 -> XK_F12
    // Punctuation (the OEM codes). Windows gives these codes to whichever
    // key carries the character on the active layout; for the US layout
    // they are the keys named here. We take the character itself: the key
    // that types it in the current X keyboard map gets the grab, so ";"
    // means the semicolon key on any layout. VK_OEM_PLUS is the key with
    // "=" and "+" (on the US layout); it is found through "=", its
    // unshifted symbol, as the keypad's plus is a key of its own. On a
    // layout where a character sits on a shifted level, the grab goes on
    // that key all the same, without Shift; where no key types the
    // character, nothing is grabbed.
    {0xBA, 0x003b},  // VK_OEM_1 -> XK_semicolon
    {0xBB, 0x003d},  // VK_OEM_PLUS -> XK_equal
    {0xBC, 0x002c},  // VK_OEM_COMMA -> XK_comma
    {0xBD, 0x002d},  // VK_OEM_MINUS -> XK_minus
    {0xBE, 0x002e},  // VK_OEM_PERIOD -> XK_period
    {0xBF, 0x002f},  // VK_OEM_2 -> XK_slash
    {0xC0, 0x0060},  // VK_OEM_3 -> XK_grave
    {0xDB, 0x005b},  // VK_OEM_4 -> XK_bracketleft
    {0xDC, 0x005c},  // VK_OEM_5 -> XK_backslash
    {0xDD, 0x005d},  // VK_OEM_6 -> XK_bracketright
    {0xDE, 0x0027},  // VK_OEM_7 -> XK_apostrophe
}};

}  // namespace

std::span<const VirtualKeyKeysym> VirtualKeyKeysymTable() {
    return kTable;
}

unsigned long KeysymForVirtualKey(unsigned virtualKey) {
    const auto found = std::find_if(kTable.begin(), kTable.end(), [&](const VirtualKeyKeysym& row) {
        return row.virtualKey == virtualKey;
    });
    return found == kTable.end() ? 0 : found->keysym;
}

}  // namespace vostra
