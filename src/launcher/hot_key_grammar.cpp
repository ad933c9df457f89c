#include "launcher/hot_key_grammar.h"

#include "app/settings.h"

namespace vostra {

namespace {

void AddRange(KeyNameTable& table, std::string_view prefix, char first, char last,
              unsigned firstCode) {
    for (char c = first; c <= last; ++c) {
        table.emplace(std::string(prefix) + c, firstCode + static_cast<unsigned>(c - first));
    }
}

}  // namespace

KeyNameTable BuildKeyNameTable() {
    KeyNameTable table = {
        {"Alt", 0x12},      {"Ctrl", 0x11},     {"Shift", 0x10},   {"Space", 0x20},
        {"PageUp", 0x21},   {"PageDown", 0x22}, {"End", 0x23},     {"Home", 0x24},
        {"Left", 0x25},     {"Up", 0x26},       {"Right", 0x27},   {"Down", 0x28},
        {"Insert", 0x2D},   {"Delete", 0x2E},   {"Num*", 0x6A},    {"Num+", 0x6B},
        {"NumDel", 0x6E},   {"Num-", 0x6D},     {"Num/", 0x6F},    {";", 0xBA},
        {"+", 0xBB},        {",", 0xBC},        {"-", 0xBD},       {".", 0xBE},
        {"/", 0xBF},        {"`", 0xC0},        {"[", 0xDB},       {"\\", 0xDC},
        {"]", 0xDD},        {"'", 0xDE},
    };
    AddRange(table, "", '0', '9', 0x30);     // digits: their character codes
    AddRange(table, "", 'A', 'Z', 0x41);     // letters, upper case only
    AddRange(table, "Num", '0', '9', 0x60);  // keypad digits
    for (unsigned n = 1; n <= 12; ++n) {
        table.emplace("F" + std::to_string(n), 0x70 + n - 1);
    }
    return table;
}

HotKeyChord ParseHotKey(const KeyNameTable& table, std::string_view text) {
    HotKeyChord chord;
    std::string_view rest = text;
    size_t plus;
    while (!rest.empty() && (plus = rest.find('+')) != std::string_view::npos) {
        const std::string_view token = rest.substr(0, plus);
        rest.remove_prefix(plus + 1);
        if (token == "Alt") {
            chord.modifiers |= MOD_ALT;
        } else if (token == "Ctrl") {
            chord.modifiers |= MOD_CONTROL;
        } else if (token == "Shift") {
            chord.modifiers |= MOD_SHIFT;
        }
    }
    const auto found = table.find(rest);
    if (found != table.end()) chord.virtualKey = found->second;
    return chord;
}

bool IsUsableHotKeyText(const KeyNameTable& table, std::string_view text) {
    std::string_view rest = text;
    size_t plus;
    while ((plus = rest.find('+')) != std::string_view::npos) {
        const std::string_view token = rest.substr(0, plus);
        if (token != "Alt" && token != "Ctrl" && token != "Shift") return false;
        rest.remove_prefix(plus + 1);
    }
    return ParseHotKey(table, text).virtualKey != 0;
}

std::vector<ConfiguredHotKey> ReadConfiguredHotKeys(const KeyNameTable& table) {
    static constexpr struct {
        int id;
        const char* key;
        const char* shipped;
    } kKeys[] = {{HOTKEY_BOSS, "screentoggle", kShippedBossKey},
                 {HOTKEY_FULLSCREEN, "fullscreen", kShippedFullScreenKey}};

    std::vector<ConfiguredHotKey> result;
    for (const auto& entry : kKeys) {
        std::string text;
        ReadSetting("Setting", entry.key, entry.shipped, text);
        if (text.empty() || !IsUsableHotKeyText(table, text)) continue;
        ConfiguredHotKey hotKey;
        hotKey.id = entry.id;
        hotKey.chord = ParseHotKey(table, text);
        hotKey.text = std::move(text);
        result.push_back(std::move(hotKey));
    }
    return result;
}

}  // namespace vostra
