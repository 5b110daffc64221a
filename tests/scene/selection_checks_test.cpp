#include "scene/selection_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/temp_root.h"

namespace {

using testing::ElementsAre;
using testing::EndsWith;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;
using testing_support::U16;

class SelectionChecksTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("ZEP Rendering/script/x", "");
        // Loggers of their own, so the lines land in this test's root.
        state = std::make_unique<PluginState>();
        uiLog = std::make_unique<pmx_Logger>("pmx_ui", 5, 2, 0);
    }

    std::string DataLog() const { return root.ReadFile("ZEP Rendering/log/pmx_data.log"); }
    std::string UiLog() const { return root.ReadFile("ZEP Rendering/log/pmx_ui.log"); }

    // A camera map with one entry per name, every camera on frame 0.
    void SetCameras(std::initializer_list<std::u16string> names) {
        state->cameras.clear();
        for (const std::u16string& name : names) {
            state->cameras[name].frameToRender = 0;
        }
    }

    int32_t Validate(const std::vector<CameraRow>& rows, bool skipEmptyCheck = false) {
        return ValidateCameraSelection(*uiLog, invalidNames, rows, state->cameras, skipEmptyCheck);
    }

    std::unique_ptr<PluginState> state;
    std::unique_ptr<pmx_Logger> uiLog;
    std::vector<std::u16string> invalidNames;
};

constexpr int32_t kClear = 1;
constexpr int32_t kTicked = 2;

// InitSceneName

TEST_F(SelectionChecksTest, SceneNameAfterTheLastBackslash) {
    state->analysisText = U16(R"({ "name" : "D:\\projects\\tower\\shot1.max" })");
    EXPECT_EQ(InitSceneName(*state), "shot1.max");
    EXPECT_EQ(state->currentSceneName, "shot1.max");
    EXPECT_EQ(state->analysedScenePath, "D:\\projects\\tower\\shot1.max");
}

TEST_F(SelectionChecksTest, SceneNameAfterTheLastSlashBeforeAnyBackslash) {
    state->analysisText = U16(R"({ "name" : "D:\\projects/tower\\shot1.max" })");
    EXPECT_EQ(InitSceneName(*state), "tower\\shot1.max");
    state->analysisText = U16(R"({ "name" : "/mnt/scenes/shot2.max" })");
    EXPECT_EQ(InitSceneName(*state), "shot2.max");
    EXPECT_EQ(state->analysedScenePath, "/mnt/scenes/shot2.max");
}

TEST_F(SelectionChecksTest, SceneNameKeepsUtf8AndAcceptsComments) {
    state->analysisText =
        U16("{\n  // the scene\n  \"name\" : \"E:\\\\\u573a\u666f\\\\\u5927\u5385.max\"\n}");
    EXPECT_EQ(InitSceneName(*state), "\u5927\u5385.max");
    EXPECT_EQ(state->analysedScenePath, "E:\\\u573a\u666f\\\u5927\u5385.max");
}

TEST_F(SelectionChecksTest, SceneNameEndingWithASeparatorIsEmptyButStored) {
    state->analysisText = U16(R"({ "name" : "D:\\scenes\\" })");
    EXPECT_EQ(InitSceneName(*state), "");
    EXPECT_EQ(state->analysedScenePath, "D:\\scenes\\");
    EXPECT_THAT(DataLog(), Not(HasSubstr("WARN")));
}

TEST_F(SelectionChecksTest, SceneNameWithoutSeparatorLeavesTheStateAlone) {
    state->currentSceneName = "old.max";
    state->analysedScenePath = "C:\\old.max";
    state->analysisText = U16(R"({ "name" : "shot1.max" })");
    EXPECT_EQ(InitSceneName(*state), "");
    EXPECT_EQ(state->currentSceneName, "old.max");
    EXPECT_EQ(state->analysedScenePath, "C:\\old.max");
    EXPECT_THAT(DataLog(), EndsWith(" [WARN] The scene name is empty!\r\n"));
}

TEST_F(SelectionChecksTest, MissingNullOrNonTextSceneNameIsEmpty) {
    state->currentSceneName = "old.max";
    for (const char* text : {R"({ "cameras" : [] })", R"({ "name" : null })", R"({ "name" : 12 })",
                             R"({ "name" : { "path" : "C:\\a.max" } })", R"([ "C:\\a.max" ])"}) {
        state->analysisText = U16(text);
        EXPECT_EQ(InitSceneName(*state), "") << text;
        EXPECT_THAT(DataLog(), EndsWith(" [WARN] The scene name is empty!\r\n")) << text;
    }
    EXPECT_EQ(state->currentSceneName, "old.max");
}

TEST_F(SelectionChecksTest, UnparsableAnalysisGivesNoSceneName) {
    state->currentSceneName = "old.max";
    for (const char* text : {"", "{ \"name\" : ", "not json"}) {
        state->analysisText = U16(text);
        EXPECT_EQ(InitSceneName(*state), "") << text;
        EXPECT_THAT(DataLog(), EndsWith(" [WARN] Parse failed in initing scene name!\r\n"));
    }
    EXPECT_EQ(state->currentSceneName, "old.max");
}

// Scene name field and rule

TEST_F(SelectionChecksTest, FieldTextGetsTheExtension) {
    EXPECT_EQ(SceneNameFromFieldText(*uiLog, u"shot2"), "shot2.max");
    EXPECT_THAT(UiLog(), EndsWith(" [INFO] Get scene name text down, it is : shot2.max.\r\n"));
    EXPECT_EQ(SceneNameFromFieldText(*uiLog, u""), "");
    EXPECT_THAT(UiLog(), EndsWith(" [INFO] Get scene name text down, it is : .\r\n"));
    EXPECT_EQ(SceneNameFromFieldText(*uiLog, u"\u5927\u5385"), "\u5927\u5385.max");
}

TEST_F(SelectionChecksTest, FieldTextIsCutAt259Units) {
    const std::u16string longText(300, u'n');
    EXPECT_EQ(SceneNameFromFieldText(*uiLog, longText), std::string(259, 'n') + ".max");
}

TEST(SceneNameRule, EmptyNameIsAccepted) {
    EXPECT_TRUE(IsAcceptableSceneName(u""));
    EXPECT_TRUE(IsAcceptableSceneNameUtf8(""));
}

TEST(SceneNameRule, OnlyTheGraveAccentIsRefusedAnywhere) {
    for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const char16_t c = static_cast<char16_t>(unit);
        const bool expected = c != u'`';
        for (const std::u16string& name :
             {std::u16string(1, c), u"shot" + std::u16string(1, c) + u".max",
              u"shot.max" + std::u16string(1, c)}) {
            ASSERT_EQ(IsAcceptableSceneName(name), expected) << "unit " << unit;
        }
    }
}

TEST(SceneNameRule, NamesEndingWithBlankOrFullStopPassHere) {
    EXPECT_TRUE(IsAcceptableSceneName(u"shot .max"));
    EXPECT_TRUE(IsAcceptableSceneName(u"shot..max"));
    EXPECT_TRUE(IsAcceptableSceneName(u" shot.max"));
    EXPECT_TRUE(IsAcceptableSceneName(u"sh%ot:*?.max"));
    EXPECT_FALSE(IsAcceptableSceneName(u"`.max"));
    EXPECT_TRUE(IsAcceptableSceneNameUtf8("\u5927\u5385.max"));
    EXPECT_FALSE(IsAcceptableSceneNameUtf8("\u5927`\u5385.max"));
}

// Camera names

TEST(CameraNameRule, RefusedCharactersAnywhere) {
    const std::u16string refused = u"\\/:*?\"<>|%`";
    for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const char16_t c = static_cast<char16_t>(unit);
        const bool bad = refused.find(c) != std::u16string::npos;
        const std::u16string inside = u"Cam" + std::u16string(1, c) + u"01";
        ASSERT_EQ(IsValidCameraName(inside), !bad) << "unit " << unit;
        const bool badAtEdge = bad || c == u' ' || c == u'.';
        ASSERT_EQ(IsValidCameraName(std::u16string(1, c) + u"Cam"), !badAtEdge) << unit;
        ASSERT_EQ(IsValidCameraName(u"Cam" + std::u16string(1, c)), !badAtEdge) << unit;
        ASSERT_EQ(IsValidCameraName(std::u16string(1, c)), !badAtEdge) << unit;
    }
}

TEST(CameraNameRule, EdgesAndEmpty) {
    EXPECT_FALSE(IsValidCameraName(u""));
    EXPECT_FALSE(IsValidCameraName(u" Cam"));
    EXPECT_FALSE(IsValidCameraName(u"Cam "));
    EXPECT_FALSE(IsValidCameraName(u".Cam"));
    EXPECT_FALSE(IsValidCameraName(u"Cam."));
    EXPECT_TRUE(IsValidCameraName(u"Cam 01.v2"));
    EXPECT_TRUE(IsValidCameraName(u"\tCam\t"));
    EXPECT_TRUE(IsValidCameraName(u"\u6444\u50cf\u673a"));
}

// ValidateCameraSelection

TEST_F(SelectionChecksTest, OneTickedCameraIsValid) {
    SetCameras({u"A", u"B"});
    state->cameras[u"B"].selected = true;
    EXPECT_EQ(Validate({{u"A", kTicked}, {u"B", kClear}}), kSelectionValid);
    EXPECT_TRUE(state->cameras[u"A"].selected);
    EXPECT_FALSE(state->cameras[u"B"].selected);
    EXPECT_THAT(invalidNames, IsEmpty());
    EXPECT_THAT(UiLog(), EndsWith(" [INFO] The information of cameras to be submit is valid.\r\n"));
}

TEST_F(SelectionChecksTest, NothingTickedIsThreeUnlessSkipped) {
    SetCameras({u"A", u"B"});
    EXPECT_EQ(Validate({{u"A", kClear}, {u"B", kClear}}), kSelectionNothingChecked);
    EXPECT_THAT(UiLog(), EndsWith(" [ERROR] No camera checked!\r\n"));
    EXPECT_EQ(Validate({{u"A", kClear}, {u"B", kClear}}, true), kSelectionValid);
    EXPECT_THAT(UiLog(), EndsWith(" [INFO] The information of cameras to be submit is valid.\r\n"));
    EXPECT_FALSE(state->cameras[u"A"].selected);
}

TEST_F(SelectionChecksTest, EmptyTableIsNothingTicked) {
    state->cameras.clear();
    EXPECT_EQ(Validate({}), kSelectionNothingChecked);
    EXPECT_EQ(Validate({}, true), kSelectionValid);
}

TEST_F(SelectionChecksTest, AnyStateImageOtherThanOneCountsAsTicked) {
    SetCameras({u"A"});
    EXPECT_EQ(Validate({{u"A", 0}}), kSelectionValid);
    EXPECT_TRUE(state->cameras[u"A"].selected);
}

TEST_F(SelectionChecksTest, AllInvalidNamesAreCollected) {
    SetCameras({u" lead", u"end.", u".start", u"gr`ave", u"pct%", u"Good", u"a:b"});
    std::vector<CameraRow> rows = {{u" lead", kTicked},  {u"Good", kTicked},  {u"end.", kClear},
                                   {u".start", kTicked}, {u"gr`ave", kClear}, {u"pct%", kTicked},
                                   {u"a:b", kClear}};
    EXPECT_EQ(Validate(rows), kSelectionInvalidName);
    EXPECT_THAT(invalidNames,
                ElementsAre(u" lead", u"end.", u".start", u"gr`ave", u"pct%", u"a:b"));
    EXPECT_THAT(
        UiLog(),
        EndsWith(" [ERROR] The camera names to render contain invalid characters or empty!\r\n"));
    // Every tick mark was copied on the way.
    EXPECT_TRUE(state->cameras[u"Good"].selected);
    EXPECT_FALSE(state->cameras[u"end."].selected);
    EXPECT_TRUE(state->cameras[u"pct%"].selected);
}

TEST_F(SelectionChecksTest, InvalidNameWinsOverNothingTicked) {
    SetCameras({u"bad?"});
    EXPECT_EQ(Validate({{u"bad?", kClear}}), kSelectionInvalidName);
    EXPECT_THAT(invalidNames, ElementsAre(u"bad?"));
}

TEST_F(SelectionChecksTest, NegativeFrameStopsTheWalkAtOnce) {
    SetCameras({u"A", u"B", u"C", u"D"});
    state->cameras[u"B"].frameToRender = -1;
    state->cameras[u"C"].selected = true;
    EXPECT_EQ(Validate({{u"A:", kTicked}, {u"B", kClear}, {u"C?", kClear}, {u"D", kTicked}}),
              kSelectionNegativeFrame);
    EXPECT_THAT(UiLog(), EndsWith(" [ERROR] The parameter frame to render is less than 0!\r\n"));
    EXPECT_THAT(UiLog(), Not(HasSubstr("invalid characters")));
    // The names before it were tested, the later ones were not.
    EXPECT_THAT(invalidNames, ElementsAre(u"A:"));
    EXPECT_FALSE(state->cameras[u"B"].selected);
    EXPECT_TRUE(state->cameras[u"C"].selected);
    EXPECT_FALSE(state->cameras.contains(u"C?"));
}

TEST_F(SelectionChecksTest, NegativeFrameOfAnUntickedCameraIsOne) {
    SetCameras({u"A"});
    state->cameras[u"A"].frameToRender = -1;
    state->cameras[u"A"].selected = true;
    EXPECT_EQ(Validate({{u"A", kClear}}), kSelectionNegativeFrame);
    EXPECT_FALSE(state->cameras[u"A"].selected);
}

TEST_F(SelectionChecksTest, UnknownNameGetsANewEntryAndTheWalkKeepsItsLength) {
    SetCameras({u"A", u"B"});
    EXPECT_EQ(Validate({{u"New", kTicked}, {u"A", kClear}, {u"B", kTicked}}), kSelectionValid);
    ASSERT_TRUE(state->cameras.contains(u"New"));
    const CameraInfo& added = state->cameras[u"New"];
    EXPECT_TRUE(added.selected);
    EXPECT_EQ(added.frameToRender, 1);
    EXPECT_EQ(added.width, 0);
    EXPECT_FALSE(state->cameras[u"A"].selected);
    // Only as many rows as the map had entries are read: B was not visited.
    EXPECT_FALSE(state->cameras[u"B"].selected);
}

TEST_F(SelectionChecksTest, NamesAreCutAt259Units) {
    const std::u16string longName(300, u'c');
    const std::u16string cut(259, u'c');
    SetCameras({cut});
    EXPECT_EQ(Validate({{longName, kTicked}}), kSelectionValid);
    EXPECT_TRUE(state->cameras[cut].selected);
    EXPECT_FALSE(state->cameras.contains(longName));
}

TEST_F(SelectionChecksTest, InvalidNamesListStartsEmptyEachTime) {
    SetCameras({u"A"});
    invalidNames = {u"stale"};
    EXPECT_EQ(Validate({{u"A", kTicked}}), kSelectionValid);
    EXPECT_THAT(invalidNames, IsEmpty());
}

TEST(SceneFileName, TheDialogOpensOnlyOnAcceptableFileNames) {
    EXPECT_TRUE(IsAcceptableSceneFileName(u""));
    EXPECT_TRUE(IsAcceptableSceneFileName(u"living room.max"));
    EXPECT_TRUE(IsAcceptableSceneFileName(u"\u5BA2\u5385_01.max"));
    EXPECT_TRUE(IsAcceptableSceneFileName(u"no extension"));
    EXPECT_TRUE(IsAcceptableSceneFileName(u".max"));  // nothing before the dot: no base name test
    EXPECT_FALSE(IsAcceptableSceneFileName(u"house .max"));
    EXPECT_FALSE(IsAcceptableSceneFileName(u"house..max"));
    EXPECT_FALSE(IsAcceptableSceneFileName(u"ho`use.max"));
    EXPECT_FALSE(IsAcceptableSceneFileName(u"caf\u00E9.max"));
    EXPECT_FALSE(IsAcceptableSceneFileName(u"50%.max"));
    EXPECT_FALSE(IsAcceptableSceneFileName(u"\u00B7dot.max"));
}

}  // namespace
