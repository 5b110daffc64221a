#include "scene/selection_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/temp_root.h"

namespace {

using testing::ElementsAre;
using testing::EndsWith;
using testing_support::U16;
using testing_support::U8;

constexpr int32_t kClear = 1;
constexpr int32_t kTicked = 2;

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

    // A camera map with one entry per name, every camera on frame 0 and selected, so that the
    // tick marks the check copies show.
    void SetCameras(const std::vector<std::u16string>& names) {
        state->cameras.clear();
        for (const std::u16string& name : names) {
            state->cameras[name] = CameraInfo{0, 0, 0, u"", true, name, false};
        }
    }

    int32_t Validate(const std::vector<CameraRow>& rows, bool skipEmptyCheck = false) {
        return ValidateCameraSelection(*uiLog, invalidNames, rows, state->cameras, skipEmptyCheck);
    }

    std::unique_ptr<PluginState> state;
    std::unique_ptr<pmx_Logger> uiLog;
    std::vector<std::u16string> invalidNames;
};

TEST_F(SelectionChecksTest, InitSceneNameTakesTheFileNamePart) {
    constexpr char kEmpty[] = "[WARN] The scene name is empty!";
    constexpr char kParse[] = "[WARN] Parse failed in initing scene name!";
    // The analysis; the name, the path stored (nullptr: the state keeps its values) and the line
    // logged (nullptr: none).
    using Case = std::tuple<const char*, const char*, const char*, const char*>;
    const Case cases[] = {
        {R"({ "name" : "D:\\projects\\tower\\shot1.max" })", "shot1.max",
         "D:\\projects\\tower\\shot1.max", nullptr},
        // The last slash wins over any backslash after it.
        {R"({ "name" : "D:\\projects/tower\\shot1.max" })", "tower\\shot1.max",
         "D:\\projects/tower\\shot1.max", nullptr},
        {R"({ "name" : "/mnt/scenes/shot2.max" })", "shot2.max", "/mnt/scenes/shot2.max", nullptr},
        {"{\n  // the scene\n  \"name\" : \"E:\\\\\u573a\u666f\\\\\u5927\u5385.max\"\n}",
         "\u5927\u5385.max", "E:\\\u573a\u666f\\\u5927\u5385.max", nullptr},
        {R"({ "name" : "D:\\scenes\\" })", "", "D:\\scenes\\", nullptr},
        {R"({ "name" : "shot1.max" })", "", nullptr, kEmpty},
        {R"({ "cameras" : [] })", "", nullptr, kEmpty},
        {R"({ "name" : null })", "", nullptr, kEmpty},
        {R"({ "name" : 12 })", "", nullptr, kEmpty},
        {R"([ "C:\\a.max" ])", "", nullptr, kEmpty},
        {"", "", nullptr, kParse},
        {"{ \"name\" : ", "", nullptr, kParse},
    };
    for (const auto& [analysis, name, storedPath, logLine] : cases) {
        SCOPED_TRACE(analysis);
        state->currentSceneName = "old.max";
        state->analysedScenePath = "C:\\old.max";
        state->analysisText = U16(analysis);
        const size_t logSize = DataLog().size();
        EXPECT_EQ(InitSceneName(*state), name);
        EXPECT_EQ(state->currentSceneName, storedPath ? name : "old.max");
        EXPECT_EQ(state->analysedScenePath, storedPath ? storedPath : "C:\\old.max");
        const std::string logged = DataLog().substr(logSize);
        EXPECT_EQ(logged.empty(), logLine == nullptr);
        EXPECT_THAT(logged, EndsWith(logLine ? " " + std::string(logLine) + "\r\n" : ""));
    }
}

TEST_F(SelectionChecksTest, FieldTextGetsTheExtensionAndIsCutAt259Units) {
    EXPECT_EQ(SceneNameFromFieldText(*uiLog, u"\u5927\u5385"), "\u5927\u5385.max");
    EXPECT_THAT(UiLog(),
                EndsWith(" [INFO] Get scene name text down, it is : \u5927\u5385.max.\r\n"));
    EXPECT_EQ(SceneNameFromFieldText(*uiLog, u""), "");
    EXPECT_THAT(UiLog(), EndsWith(" [INFO] Get scene name text down, it is : .\r\n"));
    EXPECT_EQ(SceneNameFromFieldText(*uiLog, std::u16string(300, u'n')),
              std::string(259, 'n') + ".max");
}

// A scene name refuses only the grave accent, anywhere: names ending with a blank or a full stop,
// and characters file names may not hold, pass. A camera name refuses eleven characters anywhere,
// and a blank or a full stop at either end.
TEST(NameRules, EveryCodeUnitAnywhereInASceneOrCameraName) {
    EXPECT_TRUE(IsAcceptableSceneName(u"") && IsAcceptableSceneNameUtf8(""));
    EXPECT_FALSE(IsValidCameraName(u""));
    const std::u16string refused = u"\\/:*?\"<>|%`";
    for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const std::u16string c(1, static_cast<char16_t>(unit));
        for (const std::u16string& name : {c, u"shot" + c + u".max", u"shot.max" + c}) {
            ASSERT_EQ(IsAcceptableSceneName(name), c != u"`") << "unit " << unit;
        }
        const bool bad = refused.find(c) != std::u16string::npos;
        const bool badAtEdge = bad || c == u" " || c == u".";
        ASSERT_EQ(IsValidCameraName(u"Cam" + c + u"01"), !bad) << unit;
        ASSERT_EQ(IsValidCameraName(c + u"Cam"), !badAtEdge) << unit;
        ASSERT_EQ(IsValidCameraName(u"Cam" + c), !badAtEdge) << unit;
        ASSERT_EQ(IsValidCameraName(c), !badAtEdge) << unit;
    }
    EXPECT_TRUE(IsAcceptableSceneNameUtf8("\u5927\u5385 .max"));
    EXPECT_FALSE(IsAcceptableSceneNameUtf8("\u5927`\u5385.max"));
}

TEST(SceneFileName, TheDialogOpensOnlyOnAcceptableFileNames) {
    // ".max" has nothing before the dot, so no base name test.
    for (const char16_t* name :
         {u"", u"living room.max", u"\u5BA2\u5385_01.max", u"no extension", u".max"}) {
        EXPECT_TRUE(IsAcceptableSceneFileName(name)) << U8(name);
    }
    for (const char16_t* name : {u"house .max", u"house..max", u"ho`use.max", u"caf\u00E9.max",
                                 u"50%.max", u"\u00B7dot.max"}) {
        EXPECT_FALSE(IsAcceptableSceneFileName(name)) << U8(name);
    }
}

// The map holds one camera per row, all selected beforehand: afterwards exactly the ticked
// rows are selected.
TEST_F(SelectionChecksTest, ResultsLogLinesAndInvalidNames) {
    const char* valid = "[INFO] The information of cameras to be submit is valid.";
    const char* nothing = "[ERROR] No camera checked!";
    const char* invalid = "[ERROR] The camera names to render contain invalid characters or empty!";
    using Rows = std::vector<CameraRow>;
    using Names = std::vector<std::u16string>;
    using Case = std::tuple<Rows, bool, int32_t, const char*, Names>;
    const Case cases[] = {
        {Rows{{u"A", kTicked}, {u"B", kClear}}, false, kSelectionValid, valid, {}},
        {Rows{{u"A", kClear}, {u"B", kClear}}, false, kSelectionNothingChecked, nothing, {}},
        {Rows{{u"A", kClear}, {u"B", kClear}}, true, kSelectionValid, valid, {}},
        {Rows{}, false, kSelectionNothingChecked, nothing, {}},
        {Rows{}, true, kSelectionValid, valid, {}},
        {Rows{{u"A", 0}}, false, kSelectionValid, valid, {}},  // any image but 1 is a tick
        {Rows{{u" lead", kTicked}, {u"Good", kTicked}, {u"pct%", kClear}, {u"a:b", kTicked}}, false,
         kSelectionInvalidName, invalid, Names{u" lead", u"pct%", u"a:b"}},
        // An invalid name wins over nothing ticked.
        {Rows{{u"bad?", kClear}}, false, kSelectionInvalidName, invalid, Names{u"bad?"}},
        // Names are cut at 259 units.
        {Rows{{std::u16string(300, u'c'), kTicked}}, false, kSelectionValid, valid, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        const auto& [rows, skipEmptyCheck, result, logLine, invalidExpected] = c;
        Names names;
        for (const CameraRow& row : rows) {
            names.push_back(row.name.substr(0, 259));
        }
        SetCameras(names);
        invalidNames = {u"stale"};
        EXPECT_EQ(Validate(rows, skipEmptyCheck), result);
        EXPECT_THAT(UiLog(), EndsWith(" " + std::string(logLine) + "\r\n"));
        EXPECT_EQ(invalidNames, invalidExpected);
        EXPECT_EQ(state->cameras.size(), rows.size());
        for (const CameraRow& row : rows) {
            EXPECT_EQ(state->cameras[row.name.substr(0, 259)].selected, row.stateImage != kClear);
        }
    }
}

// The walk reads only as many rows as the map has cameras (a new name gets a new entry) and
// stops at once at a negative frame.
TEST_F(SelectionChecksTest, TheWalkKeepsItsLengthAndStopsAtANegativeFrame) {
    SetCameras({u"A", u"B"});
    state->cameras[u"B"].selected = false;
    EXPECT_EQ(Validate({{u"New", kTicked}, {u"A", kClear}, {u"B", kTicked}}), kSelectionValid);
    EXPECT_EQ(state->cameras.at(u"New").frameToRender, 1);
    EXPECT_TRUE(state->cameras[u"New"].selected);
    EXPECT_FALSE(state->cameras[u"A"].selected || state->cameras[u"B"].selected);

    SetCameras({u"A", u"B", u"C", u"D"});
    state->cameras[u"B"].frameToRender = -1;
    EXPECT_EQ(Validate({{u"A:", kTicked}, {u"B", kClear}, {u"C?", kClear}, {u"D", kTicked}}),
              kSelectionNegativeFrame);
    EXPECT_THAT(UiLog(), EndsWith(" [ERROR] The parameter frame to render is less than 0!\r\n"));
    // The names before it were tested, the later ones were not; its own tick was copied.
    EXPECT_THAT(invalidNames, ElementsAre(u"A:"));
    EXPECT_FALSE(state->cameras[u"B"].selected);
    EXPECT_TRUE(state->cameras[u"C"].selected);
    EXPECT_FALSE(state->cameras.contains(u"C?"));
}

}  // namespace
