#include "resources/string_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/environment.h"
#include "tests/support/plugin_language.h"

namespace {

using testing_support::UsePluginLanguage;

// Every string number the plug-in loads.
const std::vector<int> kUsedIds = {
    1,  2,  3,  6,  8,  9,  10, 12, 13, 15, 20, 21, 22, 23, 24, 25,  26,  27,  28,  29, 30, 31, 32,
    33, 34, 35, 36, 37, 38, 42, 43, 44, 46, 47, 48, 49, 50, 51, 52,  53,  54,  55,  56, 57, 58, 59,
    60, 61, 62, 63, 64, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76,  77,  78,  79,  80, 81, 83, 84,
    85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104};

// The image formats of the camera settings dialog.
const std::set<int> kFormatIds = {9, 8, 10, 29, 20, 21, 22, 23, 24, 25, 26, 27, 28, 104};

std::u16string Text(const char16_t* text) {
    return text != nullptr ? text : u"(null)";
}

std::u16string IdsText(int id) {
    const std::string digits = std::to_string(id);
    return u"{" + std::u16string(digits.begin(), digits.end()) + u"}";
}

class StringLoaderTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetResourceModule(nullptr);
        testing_support::UnsetEnv("ZEP_LANGUAGE");
    }
};

TEST_F(StringLoaderTest, NullWithoutTheModuleAndForAMissingString) {
    UsePluginLanguage("en");
    SetResourceModule(nullptr);
    EXPECT_EQ(ResourceModule(), nullptr);
    EXPECT_EQ(LoadResourceString(IDS_MAIN_CAPTION), nullptr);
    EXPECT_EQ(LoadResourceString2(IDS_LANGUAGE_MARKER), nullptr);

    for (const char* language : {"en", "zh-CN", "ids"}) {
        UsePluginLanguage(language);
        const char16_t* caption = LoadResourceString(IDS_MAIN_CAPTION);
        ASSERT_NE(caption, nullptr);
        const std::u16string before = caption;
        for (int id : {0, -1, 4, 5, 65, 82, 106, 65535, 70000}) {
            EXPECT_EQ(LoadResourceString(id), nullptr) << language << " " << id;
            EXPECT_EQ(LoadResourceString2(id), nullptr) << language << " " << id;
            EXPECT_EQ(ResourceText(id), u"") << language << " " << id;
        }
        EXPECT_EQ(Text(caption), before) << "a missing string leaves the buffer alone";
    }
}

TEST_F(StringLoaderTest, EveryUsedStringExistsInEveryLanguage) {
    std::map<std::string, std::map<int, std::u16string>> texts;
    for (const char* language : {"en", "zh-CN", "ids"}) {
        UsePluginLanguage(language);
        for (int id : kUsedIds) {
            const std::u16string text = Text(LoadResourceString(id));
            EXPECT_FALSE(text.empty() || text == u"(null)") << language << " string " << id;
            EXPECT_EQ(Text(LoadResourceString2(id)), text) << language << " string " << id;
            texts[language][id] = text;
        }
    }
    EXPECT_EQ(texts["en"][IDS_LANGUAGE_MARKER], u"0");
    EXPECT_EQ(texts["zh-CN"][IDS_LANGUAGE_MARKER], u"1");
    std::set<std::u16string> formats;
    for (int id : kUsedIds) {
        EXPECT_EQ(texts["ids"][id], id == IDS_LANGUAGE_MARKER ? u"0" : IdsText(id)) << id;
        std::u16string chinese = texts["zh-CN"][id];
        if (kFormatIds.count(id) != 0) {
            // Format names are not translated. A camera whose format is TIF must fall back to the
            // TIFF entry, so no entry may read TIF (the combo box's exact search ignores case).
            EXPECT_EQ(chinese, texts["en"][id]) << id;
            std::transform(chinese.begin(), chinese.end(), chinese.begin(), [](char16_t c) {
                return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
            });
            EXPECT_TRUE(formats.insert(chinese).second && chinese != u"TIF") << id;
        } else if (id != IDS_LANGUAGE_MARKER) {
            EXPECT_TRUE(std::any_of(chinese.begin(), chinese.end(),
                                    [](char16_t c) { return c >= 0x4E00 && c <= 0x9FFF; }))
                << "untranslated string " << id;
        }
    }
    EXPECT_EQ(texts["en"][IDS_FORMAT_TIFF], u"TIFF");
}

TEST_F(StringLoaderTest, LanguageIsReadOnEverySetResourceModuleAndFallsBackToEnglish) {
    if (testing_support::kOnWindows) {
        GTEST_SKIP() << "on Windows the thread's language picks the module's strings";
    }
    UsePluginLanguage("zh-CN");
    const std::u16string chinese = ResourceText(IDS_MAIN_CAPTION);
    testing_support::SetEnv("ZEP_LANGUAGE", "en");
    EXPECT_EQ(ResourceText(IDS_MAIN_CAPTION), chinese);  // not re-read until the module is set
    SetResourceModule(testing_support::TestResourceModule());
    const std::u16string english = ResourceText(IDS_MAIN_CAPTION);
    EXPECT_NE(english, chinese);
    for (const char* name : {static_cast<const char*>(nullptr), "", "fr", "zh", "zh-cn", "EN"}) {
        UsePluginLanguage(name);
        EXPECT_EQ(ResourceText(IDS_LANGUAGE_MARKER), u"0") << (name ? name : "(unset)");
        EXPECT_EQ(ResourceText(IDS_MAIN_CAPTION), english) << (name ? name : "(unset)");
    }
}

// Each loader and each thread has a buffer of its own.
TEST_F(StringLoaderTest, LoadersAndThreadsDoNotOverwriteEachOthersTexts) {
    UsePluginLanguage("ids");
    const char16_t* first = LoadResourceString(32);
    const char16_t* second = LoadResourceString2(34);
    EXPECT_NE(first, second);
    EXPECT_EQ(Text(first), u"{32}");
    EXPECT_EQ(LoadResourceString(33), first);
    EXPECT_EQ(Text(first), u"{33}");   // overwritten by its own loader
    EXPECT_EQ(Text(second), u"{34}");  // not by the other
    EXPECT_EQ(LoadResourceString2(35), second);
    EXPECT_EQ(Text(first), u"{33}");

    auto load = [](int id, int& failures) {
        if (testing_support::kOnWindows) {
            testing_support::UseResourceLanguage("ids");  // each thread has its own
        }
        for (int i = 0; i < 2000; ++i) {
            failures += Text(LoadResourceString(id)) != IdsText(id) ? 1 : 0;
        }
    };
    int failures[2] = {0, 0};
    std::thread worker(load, 68, std::ref(failures[1]));
    load(49, failures[0]);
    worker.join();
    EXPECT_EQ(failures[0] + failures[1], 0);
}

}  // namespace
