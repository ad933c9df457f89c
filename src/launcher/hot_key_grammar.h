// The text form of the launcher's hot keys, as the settings file holds
// them ("F10", "Ctrl+Shift+A"): the table of key names, the parser that
// turns a text into a modifier set and a Windows virtual-key code, the ids
// the hot keys carry, and the two hot keys the settings file configures.
// Portable: no GTK or X11 here.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vostra {

// Modifier flags of a hot key, with the values the Windows hot-key call
// takes; the platform layer turns them into its own masks.
constexpr unsigned MOD_ALT = 0x1;
constexpr unsigned MOD_CONTROL = 0x2;
constexpr unsigned MOD_SHIFT = 0x4;

// Ids of the launcher's hot keys; a press reports the id.
constexpr int HOTKEY_REFRESH = 1;     // F5: reload the game page
constexpr int HOTKEY_BOSS = 2;        // [Setting] screentoggle: hide or show everything
constexpr int HOTKEY_FULLSCREEN = 3;  // [Setting] fullscreen: enter or leave full screen

// The refresh key is fixed: F5 without modifiers.
constexpr unsigned kRefreshVirtualKey = 0x74;

// Key name -> Windows virtual-key code. Names match exactly, case and
// blanks included: "A" is a key, "a" is not.
using KeyNameTable = std::map<std::string, unsigned, std::less<>>;

// The 88 key names the settings file may use.
KeyNameTable BuildKeyNameTable();

struct HotKeyChord {
    unsigned modifiers = 0;   // MOD_ALT | MOD_CONTROL | MOD_SHIFT, 0 if none
    unsigned virtualKey = 0;  // 0 when the key name is not in the table

    bool operator==(const HotKeyChord&) const = default;
};

// Parses "Mod+Mod+Key": every piece before a "+" is a modifier token
// ("Alt", "Ctrl", "Shift"; any other token, the empty one included, is
// ignored), the rest after the last "+" is the key name. So "Ctrl++" ends
// with an empty key name and gives key code 0; the "+" key of the table
// cannot be named.
HotKeyChord ParseHotKey(const KeyNameTable& table, std::string_view text);

// Whether a value names a key the launcher may grab: every piece before a
// "+" is "Alt", "Ctrl" or "Shift", and the key name is in the table. Any
// other piece ("Win+A", "ctrl+A", the empty one of "+F2") would otherwise
// be dropped by ParseHotKey and leave a bare key grabbed on the whole
// desktop, so such a value registers nothing.
bool IsUsableHotKeyText(const KeyNameTable& table, std::string_view text);

// One hot key the settings file asks for.
struct ConfiguredHotKey {
    int id = 0;
    std::string text;  // the value as read
    HotKeyChord chord;
};

// The shipped values of the two configured keys.
inline constexpr char kShippedBossKey[] = "F10";
inline constexpr char kShippedFullScreenKey[] = "F11";

// The boss key ([Setting] screentoggle, id HOTKEY_BOSS) and the full-screen
// key ([Setting] fullscreen, id HOTKEY_FULLSCREEN), in this order, read
// from the settings file now. A key missing from the file (or no file)
// takes its shipped value, F10 or F11: reading it as "0" would grab the
// digit 0 from every program. A key present with an empty value, or with
// a value IsUsableHotKeyText refuses, is left out, so that hot key stays
// unregistered.
std::vector<ConfiguredHotKey> ReadConfiguredHotKeys(const KeyNameTable& table);

}  // namespace vostra
