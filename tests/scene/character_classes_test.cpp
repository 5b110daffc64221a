#include "scene/character_classes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "text/conversions.h"

namespace {

// The legal reference-path characters besides ASCII letters, digits and U+4E00..U+9FFF.
const std::set<char16_t> kLegalPunctuation = {
    0x007E, 0x0021, 0xFF01, 0x0040, 0x0023, 0xFFE5, 0x0024, 0x2026, 0x0026, 0x005E, 0x0028, 0x0029,
    0xFF08, 0xFF09, 0x2014, 0x300C, 0x300D, 0x3010, 0x3011, 0x007B, 0x007D, 0x003A, 0x3001, 0x005C,
    0x003B, 0x0020, 0xFF1B, 0x201C, 0x201D, 0x2019, 0x0027, 0x2018, 0x300A, 0x300B, 0x0060, 0x00B7,
    0xFF0C, 0x002C, 0x3002, 0x002E, 0x005B, 0x005D, 0x002B, 0x005F, 0x003D, 0x002F, 0x002D};

bool ExpectedLegal(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           (c >= 0x4E00 && c <= 0x9FFF) || kLegalPunctuation.count(c) > 0;
}

// Every UTF-16 code unit against every class. A scene file name takes the reference path
// characters except the grave accent, the middle dot and the slash.
TEST(CharacterClasses, EveryCodeUnitIsInExactlyItsClasses) {
    const std::u16string nine = u"\\/:*?\"<>|";
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const char16_t c = static_cast<char16_t>(unit);
        SCOPED_TRACE(static_cast<uint32_t>(unit));
        ASSERT_EQ(IsLegalReferenceChar(c), ExpectedLegal(c));
        ASSERT_EQ(IsLegalSceneFileNameChar(c),
                  ExpectedLegal(c) && c != u'`' && c != 0x00B7 && c != u'/');
        ASSERT_EQ(IsCyrillic(c), c >= 0x0400 && c <= 0x052F);
        ASSERT_EQ(IsForbiddenNameChar(c), nine.find(c) != std::u16string::npos);
    }
}

// The tests on UTF-8 text give what the tests on its UTF-16 conversion give, for every character
// between legal ones; text with a zero byte or not well formed is left to the conversion.
TEST(CharacterClasses, Utf8PathTestsAgreeWithTheUnitTests) {
    auto agrees = [](const std::u16string& units) {
        const std::string utf8 = ToUtf8(units);
        bool cyrillic = false;
        bool legal = false;
        return TestReferencePathUtf8(utf8, cyrillic, legal) &&
               cyrillic == ContainsCyrillic(units) && legal == IsLegalReferencePath(units);
    };
    EXPECT_TRUE(agrees(u""));
    for (char32_t code = 1; code <= 0x10FFFF; code += code < 0x10000 ? 1 : 0x3FF) {
        std::u16string character;
        if (code >= 0x10000) {
            character = {static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)),
                         static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF))};
        } else if (code < 0xD800 || code > 0xDFFF) {
            character = {static_cast<char16_t>(code)};
        }
        // Short, and amid runs of ASCII long enough to be tested a word at a time.
        ASSERT_TRUE(agrees(u"a" + character + u"b")) << static_cast<uint32_t>(code);
        ASSERT_TRUE(agrees(u"abcdefgh" + character + u"ijklmnop")) << static_cast<uint32_t>(code);
    }
    bool cyrillic = false;
    bool legal = false;
    for (const std::string& undecided :
         {std::string("a\0b", 3), std::string("abcdefg\0hijklmn", 15), std::string("a\xC0\x80"),
          std::string("\xE5\x9C"), std::string("\xED\xA0\x80")}) {
        EXPECT_FALSE(TestReferencePathUtf8(undecided, cyrillic, legal));
    }
}

}  // namespace
