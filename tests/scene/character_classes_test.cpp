#include "scene/character_classes.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The legal reference-path characters besides ASCII letters, digits and U+4E00..U+9FFF.
const std::set<char16_t> kLegalPunctuation = {
    0x007E, 0x0021, 0xFF01, 0x0040, 0x0023, 0xFFE5, 0x0024, 0x2026, 0x0026, 0x005E, 0x0028, 0x0029,
    0xFF08, 0xFF09, 0x2014, 0x300C, 0x300D, 0x3010, 0x3011, 0x007B, 0x007D, 0x003A, 0x3001, 0x005C,
    0x003B, 0x0020, 0xFF1B, 0x201C, 0x201D, 0x2019, 0x0027, 0x2018, 0x300A, 0x300B, 0x0060, 0x00B7,
    0xFF0C, 0x002C, 0x3002, 0x002E, 0x005B, 0x005D, 0x002B, 0x005F, 0x003D, 0x002F, 0x002D};

bool ExpectedLegal(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9') ||
           (c >= 0x4E00 && c <= 0x9FFF) || kLegalPunctuation.count(static_cast<char16_t>(c)) > 0;
}

TEST(CharacterClasses, EveryCodeUnitIsLegalInAReferencePathExactlyWhenListed) {
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        EXPECT_EQ(IsLegalReferenceChar(static_cast<char16_t>(c)), ExpectedLegal(c))
            << std::hex << static_cast<uint32_t>(c);
    }
}

// A scene file name takes the same characters except the grave accent, the middle dot and the
// slash (the pattern the dialog checks a scene file name against).
TEST(CharacterClasses, EveryCodeUnitIsLegalInASceneFileNameExactlyWhenListed) {
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        bool expected = ExpectedLegal(c) && c != U'`' && c != 0x00B7 && c != U'/';
        EXPECT_EQ(IsLegalSceneFileNameChar(static_cast<char16_t>(c)), expected)
            << std::hex << static_cast<uint32_t>(c);
    }
    EXPECT_TRUE(IsLegalSceneFileName(u"\u5BA2\u5385 (v2)\u3010final\u3011.max"));
    EXPECT_FALSE(IsLegalSceneFileName(u""));
}

TEST(CharacterClasses, NamedIllegalCharactersAreRejected) {
    for (char16_t c : std::u16string(u"\"%*?<>|\t\u00E9\u00C0\u0416\u3042\u30A2\uFF21\uFF41"
                                     u"\u4DFF\uA000\xD83D\xDE00")) {
        EXPECT_FALSE(IsLegalReferenceChar(c)) << std::hex << static_cast<uint32_t>(c);
    }
}

TEST(CharacterClasses, ReferencePathsMustBeNonEmptyAndWhollyLegal) {
    EXPECT_TRUE(IsLegalReferencePath(u"C:\\Maps\\wood.jpg"));
    EXPECT_TRUE(IsLegalReferencePath(u"D:/\u8D34\u56FE/\u3010a\u3011 (1)-b_c+d=e.png"));
    EXPECT_FALSE(IsLegalReferencePath(u"C:\\Maps\\wood%20.jpg"));
    EXPECT_FALSE(IsLegalReferencePath(u""));
    EXPECT_FALSE(IsLegalReferencePath(u"C:\\Maps\\\U0001F600.jpg"));  // a surrogate pair
}

TEST(CharacterClasses, CyrillicIsU0400ToU052F) {
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        EXPECT_EQ(IsCyrillic(static_cast<char16_t>(c)), c >= 0x0400 && c <= 0x052F);
    }
    EXPECT_TRUE(ContainsCyrillic(u"C:\\\u0442\u0435\u043A\u0441\u0442\u0443\u0440\u0430.jpg"));
    EXPECT_TRUE(ContainsCyrillic(u"a\u052Fb"));
    EXPECT_FALSE(ContainsCyrillic(u"a\u03FF\u0530b"));
}

TEST(CharacterClasses, ForbiddenNameCharactersAreExactlyTheNine) {
    const std::u16string nine = u"\\/:*?\"<>|";
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        bool listed = nine.find(static_cast<char16_t>(c)) != std::u16string::npos;
        EXPECT_EQ(IsForbiddenNameChar(static_cast<char16_t>(c)), listed);
    }
    EXPECT_TRUE(ContainsForbiddenNameChar(u"Cam:01"));
    EXPECT_FALSE(ContainsForbiddenNameChar(u"Cam 01.\uFF1A"));  // full-width colon is fine
}

}  // namespace
