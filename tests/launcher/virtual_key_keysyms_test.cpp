// The key-code table holds bare numbers; here they are checked against
// the keysym names of the X headers (constants only, nothing is linked).
#include "platform/virtual_key_keysyms.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "launcher/hot_key_grammar.h"

namespace vostra {
namespace {

TEST(VirtualKeyKeysyms, EveryNamedKeyHasAKeysym) {
    for (const auto& [name, code] : BuildKeyNameTable()) {
        EXPECT_NE(KeysymForVirtualKey(code), 0ul) << name;
    }
    EXPECT_NE(KeysymForVirtualKey(kRefreshVirtualKey), 0ul);
}

TEST(VirtualKeyKeysyms, TableHoldsExactlyTheNamedCodes) {
    std::set<unsigned> named;
    for (const auto& [name, code] : BuildKeyNameTable()) named.insert(code);
    std::set<unsigned> mapped;
    for (const VirtualKeyKeysym& row : VirtualKeyKeysymTable()) {
        EXPECT_TRUE(mapped.insert(row.virtualKey).second) << "code twice: " << row.virtualKey;
    }
    EXPECT_EQ(mapped, named);
}

// Two codes on one keysym would be one X key: the second registration of
// it would be refused as a duplicate.
TEST(VirtualKeyKeysyms, NoTwoCodesShareAKeysym) {
    std::map<unsigned long, unsigned> byKeysym;
    for (const VirtualKeyKeysym& row : VirtualKeyKeysymTable()) {
        const auto [it, added] = byKeysym.emplace(row.keysym, row.virtualKey);
        EXPECT_TRUE(added) << std::hex << row.virtualKey << " and " << it->second;
    }
}

TEST(VirtualKeyKeysyms, CodesOutsideTheTableHaveNone) {
    for (unsigned code : {0x00u, 0x08u, 0x0Du, 0x1Bu, 0x5Bu, 0x6Cu, 0x7Cu, 0xC1u, 0xFFu, 0x141u}) {
        EXPECT_EQ(KeysymForVirtualKey(code), 0ul) << std::hex << code;
    }
}

struct Expected {
    unsigned code;
    unsigned long keysym;
};

class KeysymOfCode : public ::testing::TestWithParam<Expected> {};

TEST_P(KeysymOfCode, MatchesTheXKeysym) {
    EXPECT_EQ(KeysymForVirtualKey(GetParam().code), GetParam().keysym)
        << std::hex << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(
    Named, KeysymOfCode,
    ::testing::Values(
        Expected{0x10, XK_Shift_L}, Expected{0x11, XK_Control_L}, Expected{0x12, XK_Alt_L},
        Expected{0x20, XK_space}, Expected{0x21, XK_Prior}, Expected{0x22, XK_Next},
        Expected{0x23, XK_End}, Expected{0x24, XK_Home}, Expected{0x25, XK_Left},
        Expected{0x26, XK_Up}, Expected{0x27, XK_Right}, Expected{0x28, XK_Down},
        Expected{0x2D, XK_Insert}, Expected{0x2E, XK_Delete}, Expected{0x30, XK_0},
        Expected{0x34, XK_4}, Expected{0x39, XK_9}, Expected{0x41, XK_a}, Expected{0x4D, XK_m},
        Expected{0x5A, XK_z}, Expected{0x60, XK_KP_0}, Expected{0x65, XK_KP_5},
        Expected{0x69, XK_KP_9}, Expected{0x6A, XK_KP_Multiply}, Expected{0x6B, XK_KP_Add},
        Expected{0x6D, XK_KP_Subtract}, Expected{0x6E, XK_KP_Decimal},
        Expected{0x6F, XK_KP_Divide}, Expected{0x70, XK_F1}, Expected{0x74, XK_F5},
        Expected{0x79, XK_F10}, Expected{0x7A, XK_F11}, Expected{0x7B, XK_F12},
        Expected{0xBA, XK_semicolon}, Expected{0xBB, XK_equal}, Expected{0xBC, XK_comma},
        Expected{0xBD, XK_minus}, Expected{0xBE, XK_period}, Expected{0xBF, XK_slash},
        Expected{0xC0, XK_grave}, Expected{0xDB, XK_bracketleft},
        Expected{0xDC, XK_backslash}, Expected{0xDD, XK_bracketright},
        Expected{0xDE, XK_apostrophe}));

TEST(VirtualKeyKeysyms, RunsFollowTheirFirstKey) {
    for (unsigned i = 0; i < 26; ++i) EXPECT_EQ(KeysymForVirtualKey(0x41 + i), XK_a + i);
    for (unsigned i = 0; i < 10; ++i) EXPECT_EQ(KeysymForVirtualKey(0x60 + i), XK_KP_0 + i);
    for (unsigned i = 0; i < 12; ++i) EXPECT_EQ(KeysymForVirtualKey(0x70 + i), XK_F1 + i);
}

}  // namespace
}  // namespace vostra
