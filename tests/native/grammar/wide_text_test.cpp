#include "grammar/wide_text.h"

#include <gtest/gtest.h>

namespace ks {
namespace {

TEST(WideText, EveryUtf16TextComesBackUnitForUnit) {
    const std::u16string texts[] = {
        u"",
        u"HKCU\\Software",
        u"\u0422\u0435\u0441\u0442\\\u03a9\\\u6e2c\u8a66",  // Cyrillic, Greek, CJK
        u"\U0001F600 outside the basic plane",
        std::u16string(1, char16_t(0xD800)) + u"lone high",
        u"lone low " + std::u16string(1, char16_t(0xDC00)),
        std::u16string(1, char16_t(0xDBFF)) + std::u16string(1, char16_t(0xDBFF)),
        std::u16string(3, char16_t(0)),
        u"\uFFFF\uFFFE",
    };
    for (const std::u16string& text : texts) EXPECT_EQ(ToUtf16(FromUtf16(text)), text);
}

TEST(WideText, TheEightBitFormIsUtf8WhereUtf8HasOne) {
    EXPECT_EQ(FromUtf16(u"caf\u00e9 \u8868"), "caf\xc3\xa9 \xe8\xa1\xa8");
    EXPECT_EQ(FromUtf16(u"\U0001F600"), "\xf0\x9f\x98\x80");
    // U+8868 is a double-byte character whose second byte in code page 932
    // is 0x5C: here no byte of it is a backslash.
    EXPECT_EQ(FromUtf16(u"\u8868\\x").find('\\'), 3u);
}

TEST(WideText, BytesThatFormNoCharacterBecomeTheReplacementCharacter) {
    EXPECT_EQ(ToUtf16("Caf\xe9!"), u"Caf\uFFFD!");
    EXPECT_EQ(ToUtf16("\xc0\x80"), u"\uFFFD\uFFFD") << "overlong";
    EXPECT_EQ(ToUtf16("\xe8\xa1"), u"\uFFFD\uFFFD") << "cut short";
    EXPECT_EQ(ToUtf16("\xf4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD") << "beyond U+10FFFF";
}

}  // namespace
}  // namespace ks
