#include "scene/analysis_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <json/json.h>

#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "scene/character_classes.h"
#include "tests/support/plugin_language.h"
#include "tests/support/temp_root.h"
#include "text/conversions.h"
#include "text/json_text.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::Key;
using testing_support::U16;

const char kVersionLine[] =
    "[INFO] Get analysis information successfully. Current 3ds Max version is :";
const std::string kRead = std::string(kVersionLine) + "24.0";

// String N of the pseudo-locale.
std::u16string S(int id) {
    return u"{" + U16(std::to_string(id)) + u"}";
}

Json::Value Parse(const std::string& text) {
    Json::Value value;
    EXPECT_TRUE(ParseJsonText(text, value)) << text;
    return value;
}

// The smallest analysis that reads through (one camera, no optional members), with the
// members of `extra` set over it.
Json::Value Scene(const std::string& extra = "{}") {
    Json::Value scene = Parse(R"({ "is_region" : "false", "image_width" : "1920",
        "image_height" : "1080", "start_frame" : "5", "image_format" : "jpg",
        "cameras" : [ { "name" : "Camera001" } ], "errors" : {}, "version" : "24.0" })");
    Json::Value members = Parse(extra);
    for (const std::string& key : members.getMemberNames()) {
        scene[key] = members[key];
    }
    return scene;
}

class AnalysisReaderTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("ZEP Rendering/script/x", "");
        testing_support::UsePluginLanguage("ids");
        // A state of its own per test, so its log lands in this test's folder.
        state = std::make_unique<PluginState>();
    }

    int32_t Read(const Json::Value& analysis) { return ReadText(analysis.toStyledString()); }
    int32_t Read(const char* extra) { return Read(Scene(extra)); }
    int32_t ReadText(const std::string& utf8) {
        state->analysisText = U16(utf8);
        return ReadAnalysisResult(*state);
    }

    // The log lines written since the last call, as "[LEVEL] message" without the time stamp.
    std::vector<std::string> NewLines() {
        const std::string log = root.ReadFile("ZEP Rendering/log/pmx_data.log");
        std::istringstream in(log.substr(seen_));
        seen_ = log.size();
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line.substr(24, line.size() - 25));  // without the CR
        }
        return lines;
    }

    const CameraInfo& Cam(const std::u16string& name) const { return state->cameras.at(name); }

    std::unique_ptr<PluginState> state;

private:
    size_t seen_ = 0;
};

TEST_F(AnalysisReaderTest, PlainSceneReplacesTheLastReading) {
    state->warnings = {u"old warning"};
    state->problems = {u"old problem"};
    state->cameras[u"Camera001"] = CameraInfo{1, 1, 1, u"PNG", true, u"old", true};
    // Legal reference paths and empty file lists raise nothing; comments are accepted.
    const Json::Value scene = Scene(R"({ "missing_file" : [], "same_file" : [],
        "reference_file" : [ { "path" : "C:\\Maps\\Wood.jpg" },
                             { "path" : "D:/\u8D34\u56FE/\u3010a\u3011.png" } ] })");
    ASSERT_EQ(ReadText("// written by the analysis\n" + scene.toStyledString()), kAnalysisRead);

    ASSERT_EQ(state->cameras.size(), 1u);
    const CameraInfo& camera = Cam(u"Camera001");
    EXPECT_EQ(std::tie(camera.width, camera.height, camera.frameToRender, camera.imageFormat,
                       camera.outputName, camera.selected, camera.isSpherical),
              std::make_tuple(1920, 1080, 5, std::u16string(u"JPG"), std::u16string(u"Camera001"),
                              false, false));
    EXPECT_THAT(CollectNotices(*state), IsEmpty());
    EXPECT_FALSE(state->referenceFileIllegal);
    EXPECT_THAT(NewLines(), ElementsAre(kRead));
}

TEST_F(AnalysisReaderTest, TextThatDoesNotParseChangesNothing) {
    // Also nesting deeper than the JSON reader allows, and a top that is not an object.
    for (const std::string& text : std::vector<std::string>{
             "{\"cameras\": [", "", "not json", std::string(5000, '['), "[1, 2]", "\"text\""}) {
        state->warnings = {u"w"};
        state->cameras[u"Kept"] = CameraInfo{};
        EXPECT_EQ(ReadText(text), kAnalysisRead) << text.substr(0, 20);
        EXPECT_THAT(state->warnings, ElementsAre(u"w"));
        EXPECT_EQ(state->cameras.count(u"Kept"), 1u);
        EXPECT_THAT(NewLines(), ElementsAre(kVersionLine));
    }
}

// Numbers are accepted wherever a text holds a number.
TEST_F(AnalysisReaderTest, EveryWarningInStepOrderUnderOneHeadingThenTheProblems) {
    ASSERT_EQ(Read(R"({ "renderer_full_name" : "Missing_Renderer", "is_region" : "true",
        "corona_setting" : { "pass_limit" : 0, "time_limit" : 60000, "noise_level_limit" : 0 },
        "reference_file" : [ { "path" : "C:\\\u0442.jpg" } ], "image_format" : "tiff",
        "vray_setting" : { "imagesampler_type" : 3 }, "gamma_out" : 1.8, "start_frame" : -2,
        "cameras" : [ { "name" : "Camera001", "camWidth" : 640 } ],
        "errors" : { "error_code" : [ { "code" : 107 } ] } })"),
              kAnalysisRead);
    EXPECT_THAT(state->warnings,
                ElementsAre(S(78), S(88), S(73), S(75), S(80), S(96), S(95), S(77)));
    EXPECT_EQ(state->coronaTimeSeconds, 60);
    EXPECT_EQ(std::tie(Cam(u"Camera001").width, Cam(u"Camera001").frameToRender),
              std::make_tuple(640, -2));
    EXPECT_FLOAT_EQ(state->gammaOut, 1.8f);
    const std::vector<std::string> lines = NewLines();
    EXPECT_THAT(lines,
                testing::Contains("[WARN] Region rendering is used in your scene file. Please "
                                  "ignore this message if you confirm to use block rendering."));
    EXPECT_THAT(lines, testing::Not(testing::Contains(testing::HasSubstr("Member"))));

    // The notices are rebuilt as the warnings followed by the problems.
    state->notices = {u"old"};
    EXPECT_THAT(CollectNotices(*state), ElementsAre(S(78), S(88), S(73), S(75), S(80), S(96), S(95),
                                                    S(77), S(99), u"C:\\\u0442.jpg"));
    EXPECT_EQ(&CollectNotices(*state), &state->notices);
}

// Near misses of the triggers raise nothing; one warning per element coding 107.
TEST_F(AnalysisReaderTest, EachWarningHasAnExactTrigger) {
    using Case = std::pair<const char*, std::vector<std::u16string>>;
    const Case cases[] = {
        {R"({ "renderer_full_name" : "missing_renderer" })", {}},
        {R"({ "is_region" : "True" })", {}},
        {R"({ "image_format" : "tif" })", {S(78), S(96)}},
        {R"({ "image_format" : "Tiff" })", {S(78), S(96)}},
        {R"({ "image_format" : "tiff " })", {}},
        // One warning per element coding 107; " 107" reads as 107 (leading blanks skipped).
        {R"({ "errors" : { "error_code" : [ { "code" : "107" }, { "code" : "12" },
             { "code" : "107" }, { "code" : " 107" }, { "code" : "1070" } ] } })",
         {S(78), S(77), S(77), S(77)}},
    };
    for (const auto& [extra, warnings] : cases) {
        EXPECT_EQ(Read(extra), kAnalysisRead) << extra;
        EXPECT_EQ(state->warnings, warnings) << extra;
    }
}

// An empty errors object logs nothing (see the plain scene); one without codes neither.
TEST_F(AnalysisReaderTest, NoErrorsIsLoggedOnlyWithoutTheErrorsMember) {
    Json::Value scene = Scene(R"({ "errors" : { "error_code" : [] } })");
    Read(scene);
    scene.removeMember("errors");
    Read(scene);
    EXPECT_THAT(NewLines(), ElementsAre(kRead, "[INFO] No errors!", kRead));
}

TEST_F(AnalysisReaderTest, CoronaStatesFollowTheThreeLimits) {
    const std::string unlimited =
        "[ERROR] The progressive pass, time and noise level are not limited in Corona! Please "
        "revise and submit again!";
    const std::string blocks =
        "[WARN] Block rendering is not recommended in Corona. Please limit progressive pass and "
        "noise level if you still want to use block rendering.";
    const std::vector<std::u16string> blockWarning = {S(78), S(73)};
    // The three texts; the state, pass limit, whole seconds (cut toward zero), noise limit.
    using Case =
        std::tuple<const char*, const char*, const char*, int32_t, int32_t, int32_t, double>;
    for (const auto& [pass, ms, noise, coronaState, passLimit, seconds, noiseLimit] :
         {Case{"0", "0", "0", 1, 0, 0, 0.0}, Case{"0", "3600000", "0", 2, 0, 3600, 0.0},
          // Only the one-character text "0" counts as unlimited.
          Case{"0.0", "0", "0", 3, 0, 0, 0.0}, Case{"0", "0", "00", 3, 0, 0, 0.0},
          Case{"10", "1999", "2.5", 3, 10, 1, 2.5}, Case{"10", "-1999", "2.5", 3, 10, -1, 2.5}}) {
        Json::Value scene = Scene();
        scene["corona_setting"]["pass_limit"] = pass;
        scene["corona_setting"]["time_limit"] = ms;
        scene["corona_setting"]["noise_level_limit"] = noise;
        Read(scene);
        SCOPED_TRACE(std::string(pass) + " " + ms + " " + noise);
        EXPECT_EQ(std::tie(state->coronaState, state->coronaPassLimit, state->coronaTimeSeconds),
                  std::make_tuple(coronaState, passLimit, seconds));
        EXPECT_DOUBLE_EQ(state->coronaTimeHours, seconds / 3600.0);
        EXPECT_DOUBLE_EQ(state->coronaNoiseLimit, noiseLimit);
        using Lines = std::vector<std::string>;
        EXPECT_EQ(NewLines(), (coronaState == 1   ? Lines{unlimited, kRead}
                               : coronaState == 2 ? Lines{blocks, kRead}
                                                  : Lines{kRead}));
        EXPECT_EQ(state->warnings, coronaState == 2 ? blockWarning : std::vector<std::u16string>{});
    }

    // A missing limit clears the state and leaves the numbers of the last reading.
    Read(R"({ "corona_setting" : { "pass_limit" : "0", "time_limit" : "0" } })");
    EXPECT_EQ(std::tie(state->coronaState, state->coronaPassLimit, state->coronaTimeSeconds),
              std::make_tuple(0, 10, -1));
}

// A duplicate file counts only with a path text: anything else adds no line and logs nothing.
TEST_F(AnalysisReaderTest, FileProblemsComeInOrderReferenceMissingDuplicate) {
    Read(R"({ "reference_file" : [ { "path" : "C:\\Maps\\ok.jpg" },
            { "path" : "C:\\\u0442\u0435.jpg" }, { "path" : "C:\\Maps\\50%.jpg" },
            { "path" : "" }, { "path" : "C:\\\u0416.jpg" } ],
        "missing_file" : [ { "path" : "C:\\gone1.jpg" }, { "path" : "C:\\\u4E22.jpg" } ],
        "same_file" : [ { "path" : "C:\\twice.jpg" }, {}, { "path" : 7 }, { "path" : null },
            "C:\\bare.jpg", { "path" : "C:\\again.jpg" } ] })");
    EXPECT_TRUE(state->referenceFileIllegal);
    // Cyrillic warns once and is also illegal; every illegal path is listed under one heading.
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(80)));
    EXPECT_THAT(
        state->problems,
        ElementsAre(S(99), u"C:\\\u0442\u0435.jpg", u"C:\\Maps\\50%.jpg", u"", u"C:\\\u0416.jpg",
                    S(62), S(60) + u"C:\\gone1.jpg", S(60) + u"C:\\\u4E22.jpg", S(63),
                    S(61) + u"C:\\twice.jpg", S(61) + u"C:\\again.jpg"));
    EXPECT_THAT(NewLines(),
                ElementsAre("[WARN] The name of reference file have Russian characters.",
                            "[WARN] The name of reference file have illegal characters.", kRead));

    // The next scene's analysis starts without the illegal references of this one.
    Read(R"({ "reference_file" : [ { "path" : "C:\\Maps\\ok.jpg" } ] })");
    EXPECT_FALSE(state->referenceFileIllegal);
}

// An empty or missing list returns 1 and keeps the old cameras; the checks before the cameras
// still ran.
TEST_F(AnalysisReaderTest, NoCamerasReturnsOneAndKeepsTheOldCameras) {
    ASSERT_EQ(Read(Scene()), kAnalysisRead);
    Json::Value scene = Scene(R"({ "cameras" : [], "is_region" : "true",
                                   "missing_file" : [ { "path" : "C:\\gone.jpg" } ] })");
    for (int run = 0; run < 2; ++run, scene.removeMember("cameras")) {
        EXPECT_EQ(Read(scene), kAnalysisNoCameras);
        EXPECT_EQ(state->cameras.count(u"Camera001"), 1u);
        EXPECT_THAT(state->warnings, ElementsAre(S(78), S(75)));
        EXPECT_THAT(state->problems, ElementsAre(S(62), S(60) + u"C:\\gone.jpg"));
        EXPECT_EQ(NewLines().back(), "[ERROR] No cameras!");
    }
}

TEST_F(AnalysisReaderTest, CamerasAreOrderedByUtf16CodeUnitsWithNamesCutTo259Units) {
    Json::Value scene = Scene();
    scene["cameras"] = Json::Value(Json::arrayValue);
    // The pair of the last name would span units 259 and 260: it goes whole.
    for (const std::string& name : std::vector<std::string>{
             "\u76F8\u673A", "cam1", "Cam2", "Cam10", "Cam1", "Cam", "\U0001F4F7", "\uFF43am",
             std::string(300, 'x'), std::string(258, 'y') + "\U0010FFFF"}) {
        scene["cameras"].append(Json::Value(Json::objectValue))["name"] = name;
    }
    Read(scene);
    // A surrogate pair (U+D83D ...) sorts before U+FF43, unlike code-point order.
    EXPECT_THAT(state->cameras,
                ElementsAre(Key(u"Cam"), Key(u"Cam1"), Key(u"Cam10"), Key(u"Cam2"), Key(u"cam1"),
                            Key(std::u16string(259, u'x')), Key(std::u16string(258, u'y')),
                            Key(u"\u76F8\u673A"), Key(u"\U0001F4F7"), Key(u"\uFF43am")));
}

// A forbidden character stays in the key but not in the output name, with one WARN line each.
TEST_F(AnalysisReaderTest, CameraSizesFallBackToTheSceneSizeAndOutputNamesAreCleaned) {
    // "Plain" follows a camera with its own size; the second "Twice" replaces the first wholly.
    Read(R"({ "cameras" : [ { "name" : "Own", "camWidth" : "800", "camHeight" : "600" },
        { "name" : "Zero", "camWidth" : "0", "camHeight" : "0" }, { "name" : "Plain" },
        { "name" : "WidthOnly", "camWidth" : "1000" }, { "name" : "Twice", "camWidth" : "640" },
        { "name" : "Twice", "camHeight" : "700" }, { "name" : "Cam:01*" },
        { "name" : "a\\b/c:d*e?f\"g<h>i|j" } ] })");
    std::vector<std::tuple<std::u16string, int32_t, int32_t>> cameras;
    for (const auto& [name, camera] : state->cameras) {
        EXPECT_EQ(camera.imageFormat, u"JPG");
        cameras.emplace_back(camera.outputName, camera.width, camera.height);
    }
    using Camera = std::tuple<std::u16string, int32_t, int32_t>;
    EXPECT_THAT(cameras, ElementsAre(Camera{u"Cam01", 1920, 1080}, Camera{u"Own", 800, 600},
                                     Camera{u"Plain", 1920, 1080}, Camera{u"Twice", 1920, 700},
                                     Camera{u"WidthOnly", 1000, 1080}, Camera{u"Zero", 1920, 1080},
                                     Camera{u"abcdefghij", 1920, 1080}));
    const std::string forbidden = "[WARN] The original camera name contain invalid characters!";
    EXPECT_THAT(NewLines(), ElementsAre(forbidden, forbidden, kRead));
    EXPECT_EQ(state->cameras.count(u"a\\b/c:d*e?f\"g<h>i|j"), 1u);
}

TEST_F(AnalysisReaderTest, SphericalNeedsOverrideSphericalAndAFullCircle) {
    const std::string both = R"({ "camera_override_fov" : true, "is_spherical" : "true")";
    using Case = std::pair<std::string, bool>;
    for (const auto& [vray, spherical] :
         {Case{both + R"(, "camera_fov" : "360" })", true}, Case{both + " }", true},
          Case{both + R"(, "camera_fov" : "360.0" })", true},
          Case{both + R"(, "camera_fov" : "180" })", false},
          Case{R"({ "camera_override_fov" : false, "is_spherical" : "true" })", false},
          Case{R"({ "is_spherical" : "true", "camera_fov" : "360" })", false},
          Case{R"({ "camera_override_fov" : true, "is_spherical" : "True" })", false}}) {
        Json::Value scene = Scene(R"({ "cameras" : [ { "name" : "A" }, { "name" : "B" } ] })");
        scene["vray_setting"] = Parse(vray);
        Read(scene);
        EXPECT_EQ(Cam(u"A").isSpherical, spherical) << vray;
        EXPECT_EQ(Cam(u"B").isSpherical, spherical) << vray;
    }
}

// Without a vray_setting (or gamma_out) the last reading's values stay; within one a missing
// number reads as 0.
TEST_F(AnalysisReaderTest, VrayNumbersAndGammaStayWhenAbsent) {
    auto vray = [&] {
        return std::make_tuple(state->imageSamplerType, state->irradmapPreset,
                               state->irradmapMinRate, state->irradmapMaxRate, state->gammaOut);
    };
    Read(R"({ "gamma_out" : "1.0", "vray_setting" : { "imagesampler_type" : "1",
        "gi_irradmap_preset" : "2", "gi_irradmap_minRate" : "-3", "gi_irradmap_maxRate" : "4" } })");
    EXPECT_EQ(vray(), std::make_tuple(1, 2, -3, 4, 1.0f));
    Read(Scene());
    EXPECT_EQ(vray(), std::make_tuple(1, 2, -3, 4, 1.0f));
    Read(R"({ "vray_setting" : { "gi_irradmap_preset" : "7" } })");
    EXPECT_EQ(vray(), std::make_tuple(0, 7, 0, 0, 1.0f));
}

TEST_F(AnalysisReaderTest, DuplicateCamerasAreTrimmedJoinedAndReturnFour) {
    EXPECT_EQ(Read(R"({ "dupl_cameras" : [ { "name" : " A " }, { "name" : "B" } ] })"),
              kAnalysisDuplicateCameras);
    EXPECT_EQ(state->duplicateCameraNames, u"A,B");
    EXPECT_EQ(state->cameras.size(), 1u);
    EXPECT_THAT(NewLines(), IsEmpty());  // no version line

    EXPECT_EQ(Read(R"({ "dupl_cameras" : [] })"), kAnalysisRead);
    EXPECT_EQ(state->duplicateCameraNames, u"");
}

// A required text that is missing or of another type reads as empty; an optional member of
// the wrong type counts as absent. Each logs one WARN line.
TEST_F(AnalysisReaderTest, MembersOfTheWrongTypeNeverStopTheReading) {
    Json::Value scene = Scene(R"({ "renderer_full_name" : true, "corona_setting" : [],
        "reference_file" : "C:\\a.jpg", "missing_file" : { "path" : "C:\\b.jpg" },
        "same_file" : 3, "gamma_out" : [], "errors" : { "error_code" : "107" },
        "image_width" : {}, "start_frame" : null,
        "vray_setting" : { "camera_override_fov" : "true", "is_spherical" : "true",
                           "imagesampler_type" : [] },
        "cameras" : [ "just a string", { "name" : "Camera001", "camHeight" : {} } ],
        "dupl_cameras" : "A", "version" : {} })");
    scene.removeMember("is_region");
    scene.removeMember("image_format");
    EXPECT_EQ(Read(scene), kAnalysisRead);
    EXPECT_THAT(CollectNotices(*state), IsEmpty());
    EXPECT_EQ(state->coronaState, 0);
    EXPECT_EQ(state->isRegion, "");
    EXPECT_FLOAT_EQ(state->gammaOut, 2.2f);
    const CameraInfo& unnamed = Cam(u"");
    EXPECT_EQ(std::tie(unnamed.width, unnamed.height, unnamed.frameToRender, unnamed.imageFormat),
              std::make_tuple(0, 1080, 0, std::u16string()));
    EXPECT_EQ(Cam(u"Camera001").height, 1080);
    EXPECT_FALSE(Cam(u"Camera001").isSpherical);
    const std::string missing = "[WARN] Member is missing or not a string: ";
    const std::string notString = "[WARN] Member is not a string: ";
    const std::string notArray = "[WARN] Member is not an array: ";
    EXPECT_THAT(
        NewLines(),
        ElementsAre(notArray + "missing_file", notArray + "same_file",
                    notString + "renderer_full_name",
                    "[WARN] Member is not an object: corona_setting", missing + "is_region",
                    notArray + "reference_file", missing + "image_width", missing + "start_frame",
                    missing + "image_format", notString + "vray_setting.imagesampler_type",
                    "[WARN] Member is not a boolean: vray_setting.camera_override_fov",
                    missing + "cameras[0].name", notString + "cameras[1].camHeight",
                    notString + "gamma_out", notArray + "errors.error_code",
                    notArray + "dupl_cameras", notString + "version", kVersionLine));
}

// The legal reference-path characters besides ASCII letters, digits and U+4E00..U+9FFF.
const std::u16string kLegalPunctuation =
    u"~!\uFF01@#\uFFE5$\u2026&^()\uFF08\uFF09\u2014\u300C\u300D\u3010\u3011{}:\u3001\\; \uFF1B"
    u"\u201C\u201D\u2019'\u2018\u300A\u300B`\u00B7\uFF0C,\u3002.[]+_=/-";

bool ExpectedLegal(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           (c >= 0x4E00 && c <= 0x9FFF) || kLegalPunctuation.find(c) != std::u16string::npos;
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
