#include "launcher/hot_key_grammar.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "app/app_paths.h"
#include "support/sandbox.h"

namespace vostra {
namespace {

struct NamedKey {
    const char* name;
    unsigned code;
};

class KeyNames : public ::testing::TestWithParam<NamedKey> {};

TEST_P(KeyNames, NameGivesItsWindowsKeyCode) {
    const KeyNameTable table = BuildKeyNameTable();
    const auto found = table.find(std::string(GetParam().name));
    ASSERT_NE(found, table.end()) << GetParam().name;
    EXPECT_EQ(found->second, GetParam().code) << GetParam().name;
}

// Every entry that is not part of a run, and both ends and a middle of
// every run.
INSTANTIATE_TEST_SUITE_P(
    Table, KeyNames,
    ::testing::Values(NamedKey{"Alt", 0x12}, NamedKey{"Ctrl", 0x11}, NamedKey{"Shift", 0x10},
                      NamedKey{"Space", 0x20}, NamedKey{"PageUp", 0x21},
                      NamedKey{"PageDown", 0x22}, NamedKey{"End", 0x23}, NamedKey{"Home", 0x24},
                      NamedKey{"Left", 0x25}, NamedKey{"Up", 0x26}, NamedKey{"Right", 0x27},
                      NamedKey{"Down", 0x28}, NamedKey{"Insert", 0x2D}, NamedKey{"Delete", 0x2E},
                      NamedKey{"0", 0x30}, NamedKey{"5", 0x35}, NamedKey{"9", 0x39},
                      NamedKey{"A", 0x41}, NamedKey{"M", 0x4D}, NamedKey{"Z", 0x5A},
                      NamedKey{"Num0", 0x60}, NamedKey{"Num5", 0x65}, NamedKey{"Num9", 0x69},
                      NamedKey{"Num*", 0x6A}, NamedKey{"Num+", 0x6B}, NamedKey{"NumDel", 0x6E},
                      NamedKey{"Num-", 0x6D}, NamedKey{"Num/", 0x6F}, NamedKey{"F1", 0x70},
                      NamedKey{"F5", 0x74}, NamedKey{"F10", 0x79}, NamedKey{"F11", 0x7A},
                      NamedKey{"F12", 0x7B}, NamedKey{";", 0xBA}, NamedKey{"+", 0xBB},
                      NamedKey{",", 0xBC}, NamedKey{"-", 0xBD}, NamedKey{".", 0xBE},
                      NamedKey{"/", 0xBF}, NamedKey{"`", 0xC0}, NamedKey{"[", 0xDB},
                      NamedKey{"\\", 0xDC}, NamedKey{"]", 0xDD}, NamedKey{"'", 0xDE}));

TEST(KeyNameTable, Holds88NamesWithNoLowerCaseAndNoUnnamedKeys) {
    const KeyNameTable table = BuildKeyNameTable();
    EXPECT_EQ(table.size(), 88u);
    for (const auto& [name, code] : table) {
        EXPECT_FALSE(name.size() == 1 && std::islower(static_cast<unsigned char>(name[0])))
            << name;
        EXPECT_NE(code, 0u) << name;
    }
    for (const char* absent : {"a", "ctrl", "F13", "F0", "Num10", "Esc", "Escape", "Tab",
                               "Enter", "Backspace", "Win", "NumDecimal", " F10", "F10 ", ""}) {
        EXPECT_EQ(table.count(absent), 0u) << absent;
    }
}

TEST(KeyNameTable, NoTwoNamesShareACode) {
    const KeyNameTable table = BuildKeyNameTable();
    std::map<unsigned, std::string> byCode;
    for (const auto& [name, code] : table) {
        EXPECT_TRUE(byCode.emplace(code, name).second) << name << " and " << byCode[code];
    }
}

struct ParseCase {
    const char* text;
    unsigned modifiers;
    unsigned key;
};

class ParseHotKeyCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseHotKeyCases, GivesModifiersAndKeyCode) {
    const ParseCase& c = GetParam();
    const HotKeyChord chord = ParseHotKey(BuildKeyNameTable(), c.text);
    EXPECT_EQ(chord.modifiers, c.modifiers) << '"' << c.text << '"';
    EXPECT_EQ(chord.virtualKey, c.key) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseHotKeyCases,
    ::testing::Values(
        // The shipped values and the documented examples.
        ParseCase{"F10", 0, 0x79}, ParseCase{"F11", 0, 0x7A}, ParseCase{"Ctrl+Shift+A", 6, 0x41},
        ParseCase{"Alt+Num5", 1, 0x65}, ParseCase{"ctrl+a", 0, 0},
        // The digit 0: what a missing setting reads as.
        ParseCase{"0", 0, 0x30},
        // All three modifiers, in any order, repeated ones counting once.
        ParseCase{"Shift+Alt+Ctrl+Delete", 7, 0x2E}, ParseCase{"Shift+Shift+F1", 4, 0x70},
        // A "+" ends every modifier token: the "+" key cannot be named.
        ParseCase{"Ctrl++", 2, 0}, ParseCase{"+", 0, 0}, ParseCase{"Ctrl+", 2, 0},
        ParseCase{"Alt+Num+", 1, 0},
        // Unknown modifier words and empty tokens are dropped, the key kept.
        ParseCase{"Win+A", 0, 0x41}, ParseCase{"Ctrl+Win+A", 2, 0x41},
        ParseCase{"+F2", 0, 0x71}, ParseCase{"Ctrl++F3", 2, 0x72},
        // Case matters and blanks are part of the names.
        ParseCase{"CTRL+A", 0, 0x41}, ParseCase{"Ctrl+a", 2, 0}, ParseCase{"f10", 0, 0},
        ParseCase{" F10", 0, 0}, ParseCase{"F10 ", 0, 0}, ParseCase{"Ctrl +A", 0, 0x41},
        ParseCase{"Ctrl+ A", 2, 0},
        // Nothing, or a modifier name alone: the modifier key itself.
        ParseCase{"", 0, 0}, ParseCase{"Ctrl", 0, 0x11}, ParseCase{"Shift+Alt", 4, 0x12},
        // Names outside the table.
        ParseCase{"F13", 0, 0}, ParseCase{"Esc", 0, 0}, ParseCase{"A+", 0, 0},
        ParseCase{"\\", 0, 0xDC}, ParseCase{"Alt+NumDel", 1, 0x6E}));

// The two configured hot keys, read from a settings file in a sandbox.
class ConfiguredHotKeys : public test::Sandbox {
protected:
    void WriteSettings(const std::string& settingSection) {
        WriteFile(GetSettingsPath(), "[Info]\r\ncode=\r\n[Setting]\r\n" + settingSection);
    }
    static std::vector<ConfiguredHotKey> Read() {
        return ReadConfiguredHotKeys(BuildKeyNameTable());
    }
};

TEST_F(ConfiguredHotKeys, ShippedFileGivesF10AsBossKeyAndF11AsFullScreen) {
    WriteSettings("soundoff=0\r\nscreenshots=Ctrl+Shift+A\r\nscreentoggle=F10\r\nfullscreen=F11\r\n");
    const auto keys = Read();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].id, HOTKEY_BOSS);
    EXPECT_EQ(keys[0].text, "F10");
    EXPECT_EQ(keys[0].chord, (HotKeyChord{0, 0x79}));
    EXPECT_EQ(keys[1].id, HOTKEY_FULLSCREEN);
    EXPECT_EQ(keys[1].chord, (HotKeyChord{0, 0x7A}));
}

// A missing key is not the digit 0 (which would be taken from every
// program) but the shipped value.
TEST_F(ConfiguredHotKeys, MissingFileOrKeyTakesTheShippedValue) {
    auto keys = Read();  // no file at all
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].text, "F10");
    EXPECT_EQ(keys[0].chord, (HotKeyChord{0, 0x79}));
    EXPECT_EQ(keys[1].chord, (HotKeyChord{0, 0x7A}));

    WriteSettings("fullscreen=Alt+Num5\r\n");  // boss key missing
    keys = Read();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].chord, (HotKeyChord{0, 0x79}));
    EXPECT_EQ(keys[1].chord, (HotKeyChord{MOD_ALT, 0x65}));
}

// A value that would grab something other than what it says registers
// nothing: an unknown modifier word would be dropped, leaving the bare key.
TEST_F(ConfiguredHotKeys, UnknownModifierOrKeyNameRegistersNothing) {
    for (const char* value : {"Win+A", "ctrl+A", "+F2", "Ctrl++", "Ctrl++F3", "F13", "f10",
                              "Ctrl+ A", "Ctrl +A", "Alt+Ctrl+Esc"}) {
        WriteSettings(std::string("screentoggle=") + value + "\r\nfullscreen=Shift+F12\r\n");
        const auto keys = Read();
        ASSERT_EQ(keys.size(), 1u) << value;
        EXPECT_EQ(keys[0].id, HOTKEY_FULLSCREEN) << value;
        EXPECT_EQ(keys[0].chord, (HotKeyChord{MOD_SHIFT, 0x7B}));
    }
    const KeyNameTable table = BuildKeyNameTable();
    EXPECT_TRUE(IsUsableHotKeyText(table, "Alt+Ctrl+Shift+Num*"));
    EXPECT_TRUE(IsUsableHotKeyText(table, "Ctrl"));
    EXPECT_FALSE(IsUsableHotKeyText(table, ""));
}

TEST_F(ConfiguredHotKeys, EmptyValueLeavesThatHotKeyOut) {
    WriteSettings("screentoggle=\r\nfullscreen=Ctrl+Shift+A\r\n");
    auto keys = Read();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].id, HOTKEY_FULLSCREEN);
    EXPECT_EQ(keys[0].chord, (HotKeyChord{MOD_CONTROL | MOD_SHIFT, 0x41}));

    WriteSettings("screentoggle=\r\nfullscreen=\r\n");
    EXPECT_TRUE(Read().empty());
}

TEST_F(ConfiguredHotKeys, KeyNamesMatchInAnyCase) {
    WriteSettings("ScreenToggle=F2\r\nFULLSCREEN=Ctrl+A\r\n");
    const auto keys = Read();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].text, "F2");
    EXPECT_EQ(keys[0].chord, (HotKeyChord{0, 0x71}));
    EXPECT_EQ(keys[1].chord, (HotKeyChord{MOD_CONTROL, 0x41}));
}

TEST_F(ConfiguredHotKeys, OtherSectionsAreNotRead) {
    WriteFile(GetSettingsPath(), "[Info]\r\nscreentoggle=F2\r\nfullscreen=F3\r\n");
    const auto keys = Read();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].text, "F10");
    EXPECT_EQ(keys[1].text, "F11");
}

}  // namespace
}  // namespace vostra
