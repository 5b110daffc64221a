#include "resources/string_loader.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

// Every string number the plug-in loads.
const std::vector<int> kUsedIds = {
    1,  2,  3,  6,  8,  9,  10, 12, 13, 15, 20, 21, 22, 23, 24, 25,  26,  27,  28,  29, 30, 31, 32,
    33, 34, 35, 36, 37, 38, 42, 43, 44, 46, 47, 48, 49, 50, 51, 52,  53,  54,  55,  56, 57, 58, 59,
    60, 61, 62, 63, 64, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76,  77,  78,  79,  80, 81, 83, 84,
    85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104};

// The image formats of the camera settings dialog, in list order.
const std::vector<int> kFormatIds = {9, 8, 10, 29, 20, 21, 22, 23, 24, 25, 26, 27, 28, 104};
constexpr int kTiffFormatId = 28;

int g_moduleToken = 0;

std::u16string Text(const char16_t* text) {
    return text != nullptr ? text : u"";
}

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

class StringLoaderTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetResourceModule(nullptr);
        ::unsetenv("ZEP_LANGUAGE");
    }

    static void UseLanguage(const char* name) {
        if (name == nullptr) {
            ::unsetenv("ZEP_LANGUAGE");
        } else {
            ::setenv("ZEP_LANGUAGE", name, 1);
        }
        SetResourceModule(&g_moduleToken);
    }
};

TEST_F(StringLoaderTest, LoadersGiveNullBeforeTheModuleIsSet) {
    ::setenv("ZEP_LANGUAGE", "en", 1);
    SetResourceModule(nullptr);
    EXPECT_EQ(ResourceModule(), nullptr);
    EXPECT_EQ(LoadResourceString(IDS_MAIN_CAPTION), nullptr);
    EXPECT_EQ(LoadResourceString2(IDS_MAIN_CAPTION), nullptr);
    EXPECT_EQ(LoadResourceString(IDS_LANGUAGE_MARKER), nullptr);
    EXPECT_EQ(ResourceText(IDS_MAIN_CAPTION), u"");
}

TEST_F(StringLoaderTest, SettingTheModuleBackToNullHidesTheStringsAgain) {
    UseLanguage("en");
    EXPECT_EQ(ResourceModule(), &g_moduleToken);
    ASSERT_NE(LoadResourceString(IDS_MAIN_CAPTION), nullptr);
    SetResourceModule(nullptr);
    EXPECT_EQ(LoadResourceString(IDS_MAIN_CAPTION), nullptr);
    EXPECT_EQ(LoadResourceString2(IDS_MAIN_CAPTION), nullptr);
}

TEST_F(StringLoaderTest, MissingStringsGiveNullAndAnEmptyText) {
    for (const char* language : {"en", "zh-CN", "ids"}) {
        UseLanguage(language);
        for (int id : {0, -1, 4, 5, 65, 82, 105, 65535, 70000}) {
            EXPECT_EQ(LoadResourceString(id), nullptr) << language << " " << id;
            EXPECT_EQ(LoadResourceString2(id), nullptr) << language << " " << id;
            EXPECT_EQ(ResourceText(id), u"") << language << " " << id;
        }
    }
}

TEST_F(StringLoaderTest, EachLoaderHasItsOwnBuffer) {
    UseLanguage("ids");
    const char16_t* first = LoadResourceString(32);
    const char16_t* second = LoadResourceString2(34);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(Text(first), u"{32}");

    const char16_t* again = LoadResourceString(33);
    EXPECT_EQ(again, first);
    EXPECT_EQ(Text(first), u"{33}");   // the first text has been overwritten
    EXPECT_EQ(Text(second), u"{34}");  // the other loader's text has not

    const char16_t* secondAgain = LoadResourceString2(35);
    EXPECT_EQ(secondAgain, second);
    EXPECT_EQ(Text(second), u"{35}");
    EXPECT_EQ(Text(first), u"{33}");
}

TEST_F(StringLoaderTest, AMissingStringLeavesTheBufferAlone) {
    UseLanguage("ids");
    const char16_t* text = LoadResourceString(49);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(LoadResourceString(4), nullptr);
    EXPECT_EQ(Text(text), u"{49}");
}

TEST_F(StringLoaderTest, ResourceTextIsACopy) {
    UseLanguage("ids");
    std::u16string caption = ResourceText(IDS_MAIN_CAPTION);
    LoadResourceString(IDS_SECOND_CAPTION);
    EXPECT_EQ(caption, u"{49}");
}

TEST_F(StringLoaderTest, EveryUsedStringExistsInEveryLanguageAndFitsTheBuffer) {
    for (const char* language : {"en", "zh-CN", "ids"}) {
        UseLanguage(language);
        for (int id : kUsedIds) {
            const char16_t* first = LoadResourceString(id);
            ASSERT_NE(first, nullptr) << language << " string " << id;
            std::u16string text = first;
            EXPECT_FALSE(text.empty()) << language << " string " << id;
            EXPECT_LE(text.size(), 255u) << language << " string " << id;
            const char16_t* second = LoadResourceString2(id);
            ASSERT_NE(second, nullptr) << language << " string " << id;
            EXPECT_EQ(Text(second), text) << language << " string " << id;
        }
    }
}

TEST_F(StringLoaderTest, IdsLocaleShowsEveryNumberAndKeepsTheEnglishMarker) {
    UseLanguage("ids");
    for (int id : kUsedIds) {
        std::u16string expected =
            id == IDS_LANGUAGE_MARKER ? u"0" : u"{" + Ascii(std::to_string(id)) + u"}";
        EXPECT_EQ(ResourceText(id), expected) << "string " << id;
    }
}

TEST_F(StringLoaderTest, LanguageMarkers) {
    UseLanguage("en");
    EXPECT_EQ(ResourceText(IDS_LANGUAGE_MARKER), u"0");
    UseLanguage("zh-CN");
    EXPECT_EQ(ResourceText(IDS_LANGUAGE_MARKER), u"1");
    UseLanguage("ids");
    EXPECT_EQ(ResourceText(IDS_LANGUAGE_MARKER), u"0");
}

TEST_F(StringLoaderTest, UnsetOrUnknownLanguageIsEnglish) {
    UseLanguage("en");
    std::u16string english = ResourceText(IDS_MAIN_CAPTION);
    for (const char* name : {static_cast<const char*>(nullptr), "", "fr", "zh", "zh-cn", "EN"}) {
        UseLanguage(name);
        EXPECT_EQ(ResourceText(IDS_LANGUAGE_MARKER), u"0") << (name ? name : "(unset)");
        EXPECT_EQ(ResourceText(IDS_MAIN_CAPTION), english) << (name ? name : "(unset)");
    }
}

TEST_F(StringLoaderTest, LanguageIsReadAgainOnEverySetResourceModule) {
    UseLanguage("zh-CN");
    std::u16string chinese = ResourceText(IDS_MAIN_CAPTION);
    ::setenv("ZEP_LANGUAGE", "en", 1);
    EXPECT_EQ(ResourceText(IDS_MAIN_CAPTION), chinese);  // not re-read until the module is set
    SetResourceModule(&g_moduleToken);
    EXPECT_EQ(ResourceText(IDS_LANGUAGE_MARKER), u"0");
    EXPECT_NE(ResourceText(IDS_MAIN_CAPTION), chinese);
}

TEST_F(StringLoaderTest, ChineseTextsAreTranslated) {
    UseLanguage("en");
    std::vector<std::u16string> english;
    for (int id : kUsedIds) {
        english.push_back(ResourceText(id));
    }
    UseLanguage("zh-CN");
    std::set<int> formats(kFormatIds.begin(), kFormatIds.end());
    for (std::size_t i = 0; i < kUsedIds.size(); ++i) {
        int id = kUsedIds[i];
        std::u16string chinese = ResourceText(id);
        if (formats.count(id) != 0) {
            EXPECT_EQ(chinese, english[i]) << "format string " << id;
            continue;
        }
        EXPECT_NE(chinese, english[i]) << "string " << id;
        bool hasCjk = false;
        for (char16_t c : chinese) {
            hasCjk = hasCjk || (c >= 0x4E00 && c <= 0x9FFF);
        }
        EXPECT_TRUE(hasCjk || id == IDS_LANGUAGE_MARKER) << "string " << id;
    }
}

TEST_F(StringLoaderTest, FormatListHasDistinctEntriesAndNoTifEntry) {
    // A camera whose format is TIF must fall back to the TIFF position, so the list may not hold
    // that text itself (the combo box's exact search ignores case).
    for (const char* language : {"en", "zh-CN"}) {
        UseLanguage(language);
        std::set<std::u16string> seen;
        for (int id : kFormatIds) {
            std::u16string text = ResourceText(id);
            std::u16string upper = text;
            for (char16_t& c : upper) {
                if (c >= u'a' && c <= u'z') {
                    c = static_cast<char16_t>(c - u'a' + u'A');
                }
            }
            EXPECT_TRUE(seen.insert(upper).second) << language << " format " << id;
            EXPECT_NE(upper, u"TIF") << language << " format " << id;
        }
        EXPECT_EQ(ResourceText(kTiffFormatId), u"TIFF") << language;
    }
}

TEST_F(StringLoaderTest, ThreadsDoNotOverwriteEachOthersTexts) {
    UseLanguage("ids");
    auto load = [](int id, int& failures) {
        std::u16string expected = u"{" + Ascii(std::to_string(id)) + u"}";
        for (int i = 0; i < 2000; ++i) {
            const char16_t* text = LoadResourceString(id);
            if (text == nullptr || expected != text) {
                ++failures;
            }
        }
    };
    int failures1 = 0;
    int failures2 = 0;
    std::thread worker1(load, 49, std::ref(failures1));
    std::thread worker2(load, 68, std::ref(failures2));
    worker1.join();
    worker2.join();
    EXPECT_EQ(failures1, 0);
    EXPECT_EQ(failures2, 0);
}

}  // namespace
