#include <gtest/gtest.h>

#include "platform/text_utf.h"

namespace vostra {
namespace {

TEST(TextUtf, RoundTripsChineseAndAstralText) {
    const std::string text = "卸载-Vostra 😀";
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 12u);  // the emoji takes a surrogate pair
    EXPECT_EQ(Utf16ToUtf8(wide), text);
    EXPECT_EQ(Utf16Length(text), 12u);
}

TEST(TextUtf, MalformedBytesBecomeReplacementCharacters) {
    const std::u16string wide = Utf8ToUtf16("a\xff\xc3(b\xe4\xb8");
    EXPECT_EQ(wide, u"a\uFFFD\uFFFD(b\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xed\xa0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
    EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"), u"\uFFFD\uFFFD");            // overlong slash
}

TEST(TextUtf, PrefixNeverSplitsACharacter) {
    const std::string text = "ab网😀";
    EXPECT_EQ(Utf8PrefixByUtf16Units(text, 3), "ab网");
    EXPECT_EQ(Utf8PrefixByUtf16Units(text, 4), "ab网");  // the pair needs two units
    EXPECT_EQ(Utf8PrefixByUtf16Units(text, 5), text);
    EXPECT_EQ(Utf8PrefixByUtf16Units("x\xff\xfey", 2), "x\xff");
}

}  // namespace
}  // namespace vostra
