#include "scene/analysis_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <json/json.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "resources/string_loader.h"
#include "tests/support/temp_root.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing_support::TempRootTest;
using testing_support::U16;

const char kVersionLine[] =
    "[INFO] Get analysis information successfully. Current 3ds Max version is :";

// String N of the pseudo-locale.
std::u16string S(int id) {
    return u"{" + U16(std::to_string(id)) + u"}";
}

// The smallest analysis that reads through: one camera, no optional members.
Json::Value Scene() {
    Json::Value scene(Json::objectValue);
    scene["is_region"] = "false";
    scene["image_width"] = "1920";
    scene["image_height"] = "1080";
    scene["start_frame"] = "5";
    scene["image_format"] = "jpg";
    scene["cameras"].append(Json::Value(Json::objectValue))["name"] = "Camera001";
    scene["errors"] = Json::Value(Json::objectValue);
    scene["version"] = "24.0";
    return scene;
}

Json::Value Camera(const std::string& name) {
    Json::Value camera(Json::objectValue);
    camera["name"] = name;
    return camera;
}

Json::Value Paths(std::initializer_list<std::string> paths) {
    Json::Value list(Json::arrayValue);
    for (const std::string& path : paths) {
        list.append(Json::Value(Json::objectValue))["path"] = path;
    }
    return list;
}

class AnalysisReaderTest : public TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("ZEP Rendering/script/x", "");
        ::setenv("ZEP_LANGUAGE", "ids", 1);
        SetResourceModule(reinterpret_cast<void*>(1));
        // A state of its own per test, so its log lands in this test's folder.
        state = std::make_unique<PluginState>();
    }

    int32_t Read(const Json::Value& analysis) {
        Json::StreamWriterBuilder writer;
        writer["emitUTF8"] = true;
        return ReadText(Json::writeString(writer, analysis));
    }
    int32_t ReadText(const std::string& utf8) {
        state->analysisText = U16(utf8);
        return ReadAnalysisResult(*state);
    }

    // The log as "[LEVEL] message" lines, the time stamps cut off.
    std::vector<std::string> LogLines() const {
        std::istringstream in(root.ReadFile("ZEP Rendering/log/pmx_data.log"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line.substr(24));
        }
        return lines;
    }

    const CameraInfo& Cam(const std::u16string& name) const { return state->cameras.at(name); }

    std::unique_ptr<PluginState> state;
};

// ---- The whole reading ---------------------------------------------------------------------

TEST_F(AnalysisReaderTest, PlainSceneGivesOneCameraWithTheSceneValues) {
    ASSERT_EQ(Read(Scene()), kAnalysisRead);
    ASSERT_EQ(state->cameras.size(), 1u);
    const CameraInfo& camera = Cam(u"Camera001");
    EXPECT_EQ(camera.width, 1920);
    EXPECT_EQ(camera.height, 1080);
    EXPECT_EQ(camera.frameToRender, 5);
    EXPECT_EQ(camera.imageFormat, u"JPG");
    EXPECT_EQ(camera.outputName, u"Camera001");
    EXPECT_FALSE(camera.selected);
    EXPECT_FALSE(camera.isSpherical);
    EXPECT_EQ(state->isRegion, "false");
    EXPECT_EQ(state->coronaState, 0);
    EXPECT_THAT(state->warnings, IsEmpty());
    EXPECT_THAT(state->problems, IsEmpty());
    EXPECT_THAT(LogLines(), ElementsAre(std::string(kVersionLine) + "24.0"));
}

TEST_F(AnalysisReaderTest, ClearsTheListsOfTheLastReadingAndUnselectsCameras) {
    state->warnings = {u"old warning"};
    state->problems = {u"old problem"};
    state->duplicateCameraNames = u"old";
    state->cameras[u"Old"] = CameraInfo{};
    Json::Value scene = Scene();
    scene["cameras"][0]["name"] = "Old";
    state->cameras[u"Old"].selected = true;
    ASSERT_EQ(Read(scene), kAnalysisRead);
    EXPECT_THAT(state->warnings, IsEmpty());
    EXPECT_THAT(state->problems, IsEmpty());
    EXPECT_EQ(state->duplicateCameraNames, u"");
    EXPECT_FALSE(Cam(u"Old").selected);
}

TEST_F(AnalysisReaderTest, TextThatDoesNotParseChangesNothing) {
    // Also nesting deeper than the JSON reader allows, and a top that is not an object.
    const std::string deep(5000, '[');
    for (const std::string& text :
         {std::string("{\"cameras\": ["), std::string(), std::string("not json"), deep,
          std::string("[1, 2]"), std::string("\"text\"")}) {
        state->warnings = {u"w"};
        state->cameras[u"Kept"] = CameraInfo{};
        state->isRegion = "kept";
        EXPECT_EQ(ReadText(text), kAnalysisRead) << text.substr(0, 20);
        EXPECT_THAT(state->warnings, ElementsAre(u"w"));
        EXPECT_EQ(state->cameras.count(u"Kept"), 1u);
        EXPECT_EQ(state->isRegion, "kept");
    }
    EXPECT_THAT(LogLines(), ElementsAre(kVersionLine, kVersionLine, kVersionLine, kVersionLine,
                                        kVersionLine, kVersionLine));
}

TEST_F(AnalysisReaderTest, CommentsAreAccepted) {
    Json::StreamWriterBuilder writer;
    std::string text = "// written by the analysis\n" + Json::writeString(writer, Scene());
    EXPECT_EQ(ReadText(text), kAnalysisRead);
    EXPECT_EQ(state->cameras.size(), 1u);
}

// ---- Warnings --------------------------------------------------------------------------------

TEST_F(AnalysisReaderTest, EveryWarningInStepOrderUnderOneHeading) {
    Json::Value scene = Scene();
    scene["renderer_full_name"] = "Missing_Renderer";
    scene["corona_setting"]["pass_limit"] = "0";
    scene["corona_setting"]["time_limit"] = "60000";
    scene["corona_setting"]["noise_level_limit"] = "0";
    scene["is_region"] = "true";
    scene["reference_file"] = Paths({"C:\\\u0442.jpg"});
    scene["image_format"] = "tiff";
    scene["vray_setting"]["imagesampler_type"] = "3";
    scene["errors"]["error_code"].append(Json::Value(Json::objectValue))["code"] = "107";
    ASSERT_EQ(Read(scene), kAnalysisRead);
    EXPECT_THAT(state->warnings,
                ElementsAre(S(78), S(88), S(73), S(75), S(80), S(96), S(95), S(77)));
}

TEST_F(AnalysisReaderTest, TwoWarningsShareTheHeading) {
    Json::Value scene = Scene();
    scene["is_region"] = "true";
    scene["image_format"] = "tif";
    Read(scene);
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(75), S(96)));
}

TEST_F(AnalysisReaderTest, RendererWarningOnlyForTheExactName) {
    Json::Value scene = Scene();
    scene["renderer_full_name"] = "missing_renderer";
    Read(scene);
    EXPECT_THAT(state->warnings, IsEmpty());
    scene["renderer_full_name"] = "Missing_Renderer";
    Read(scene);
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(88)));
}

TEST_F(AnalysisReaderTest, RegionIsKeptRawAndWarnsOnlyForTrue) {
    Json::Value scene = Scene();
    scene["is_region"] = "True";
    Read(scene);
    EXPECT_EQ(state->isRegion, "True");
    EXPECT_THAT(state->warnings, IsEmpty());
    scene["is_region"] = "true";
    Read(scene);
    EXPECT_EQ(state->isRegion, "true");
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(75)));
    EXPECT_THAT(LogLines(),
                testing::Contains("[WARN] Region rendering is used in your scene file. Please "
                                  "ignore this message if you confirm to use block rendering."));
}

TEST_F(AnalysisReaderTest, ProblemCode107WarnsOncePerElement) {
    Json::Value scene = Scene();
    Json::Value& codes = scene["errors"]["error_code"];
    for (const char* code : {"107", "12", "107", " 107", "1070"}) {
        codes.append(Json::Value(Json::objectValue))["code"] = code;
    }
    Read(scene);
    // " 107" reads as 107, as the C runtime skips leading blanks.
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(77), S(77), S(77)));
}

TEST_F(AnalysisReaderTest, NoErrorsIsLoggedOnlyWithoutTheErrorsMember) {
    Json::Value scene = Scene();
    scene.removeMember("errors");
    Read(scene);
    EXPECT_THAT(LogLines(), ElementsAre("[INFO] No errors!", std::string(kVersionLine) + "24.0"));

    Json::Value withEmpty = Scene();
    Read(withEmpty);
    EXPECT_EQ(LogLines().size(), 3u);
    withEmpty["errors"]["error_code"] = Json::Value(Json::arrayValue);
    Read(withEmpty);
    EXPECT_EQ(LogLines().size(), 4u);
    EXPECT_THAT(state->warnings, IsEmpty());
}

// ---- Corona ----------------------------------------------------------------------------------

class CoronaTest : public AnalysisReaderTest {
protected:
    int32_t ReadCorona(const char* pass, const char* time, const char* noise) {
        Json::Value scene = Scene();
        scene["corona_setting"]["pass_limit"] = pass;
        scene["corona_setting"]["time_limit"] = time;
        scene["corona_setting"]["noise_level_limit"] = noise;
        return Read(scene);
    }
};

TEST_F(CoronaTest, NothingLimitedIsStateOneWithAnErrorLineAndNoWarning) {
    ReadCorona("0", "0", "0");
    EXPECT_EQ(state->coronaState, 1);
    EXPECT_EQ(state->coronaPassLimit, 0);
    EXPECT_EQ(state->coronaTimeSeconds, 0);
    EXPECT_DOUBLE_EQ(state->coronaNoiseLimit, 0.0);
    EXPECT_THAT(state->warnings, IsEmpty());
    EXPECT_THAT(LogLines(), ElementsAre("[ERROR] The progressive pass, time and noise level are "
                                        "not limited in Corona! Please revise and submit again!",
                                        std::string(kVersionLine) + "24.0"));
}

TEST_F(CoronaTest, OnlyTimeLimitedIsStateTwoWithWarning73) {
    ReadCorona("0", "3600000", "0");
    EXPECT_EQ(state->coronaState, 2);
    EXPECT_EQ(state->coronaTimeSeconds, 3600);
    EXPECT_DOUBLE_EQ(state->coronaTimeHours, 1.0);
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(73)));
    EXPECT_EQ(LogLines()[0],
              "[WARN] Block rendering is not recommended in Corona. Please limit "
              "progressive pass and noise level if you still want to use block "
              "rendering.");
}

TEST_F(CoronaTest, TimeIsCutTowardZeroInWholeSeconds) {
    ReadCorona("10", "1999", "2.5");
    EXPECT_EQ(state->coronaTimeSeconds, 1);
    EXPECT_DOUBLE_EQ(state->coronaTimeHours, 1.0 / 3600.0);
    EXPECT_EQ(state->coronaPassLimit, 10);
    EXPECT_DOUBLE_EQ(state->coronaNoiseLimit, 2.5);
    EXPECT_EQ(state->coronaState, 3);
    ReadCorona("10", "-1999", "2.5");
    EXPECT_EQ(state->coronaTimeSeconds, -1);
}

TEST_F(CoronaTest, OnlyTheOneCharacterTextZeroCountsAsUnlimited) {
    ReadCorona("0.0", "0", "0");
    EXPECT_EQ(state->coronaState, 3);
    ReadCorona("0", "0", "00");
    EXPECT_EQ(state->coronaState, 3);
    EXPECT_THAT(state->warnings, IsEmpty());
}

TEST_F(CoronaTest, AMissingLimitLeavesTheNumbersAndClearsTheState) {
    ReadCorona("5", "7000", "3");
    ASSERT_EQ(state->coronaState, 3);
    Json::Value scene = Scene();
    scene["corona_setting"]["pass_limit"] = "0";
    scene["corona_setting"]["time_limit"] = "0";
    Read(scene);
    EXPECT_EQ(state->coronaState, 0);
    EXPECT_EQ(state->coronaPassLimit, 5);
    EXPECT_EQ(state->coronaTimeSeconds, 7);
    EXPECT_DOUBLE_EQ(state->coronaNoiseLimit, 3.0);
}

// ---- Reference, missing and duplicate files --------------------------------------------------

TEST_F(AnalysisReaderTest, LegalReferencePathsRaiseNothing) {
    Json::Value scene = Scene();
    scene["reference_file"] = Paths({"C:\\Maps\\Wood.jpg", "D:/\u8D34\u56FE/\u3010a\u3011.png"});
    Read(scene);
    EXPECT_THAT(state->problems, IsEmpty());
    EXPECT_FALSE(state->referenceFileIllegal);
}

TEST_F(AnalysisReaderTest, IllegalReferencePathsAreAllListedUnderOneHeading) {
    Json::Value scene = Scene();
    scene["reference_file"] = Paths({"C:\\Maps\\ok.jpg", "C:\\Maps\\50%.jpg", "", "C:\\a\tb.png"});
    Read(scene);
    EXPECT_TRUE(state->referenceFileIllegal);
    EXPECT_THAT(state->problems, ElementsAre(S(99), u"C:\\Maps\\50%.jpg", u"", u"C:\\a\tb.png"));
    EXPECT_THAT(state->warnings, IsEmpty());
    std::vector<std::string> lines = LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "[WARN] The name of reference file have illegal characters."),
              1);
}

TEST_F(AnalysisReaderTest, CyrillicReferencePathsWarnOnceAndAreIllegal) {
    Json::Value scene = Scene();
    scene["reference_file"] =
        Paths({"C:\\ok.jpg", "C:\\\u0442\u0435\u043A\u0441.jpg", "C:\\\u0416.jpg"});
    Read(scene);
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(80)));
    EXPECT_THAT(state->problems,
                ElementsAre(S(99), u"C:\\\u0442\u0435\u043A\u0441.jpg", u"C:\\\u0416.jpg"));
    EXPECT_THAT(LogLines(),
                ElementsAre("[WARN] The name of reference file have Russian characters.",
                            "[WARN] The name of reference file have illegal characters.",
                            std::string(kVersionLine) + "24.0"));
}

TEST_F(AnalysisReaderTest, FileProblemsComeInOrderReferenceMissingDuplicate) {
    Json::Value scene = Scene();
    scene["reference_file"] = Paths({"C:\\bad?.jpg"});
    scene["missing_file"] = Paths({"C:\\gone1.jpg", "C:\\\u4E22.jpg"});
    scene["same_file"] = Paths({"C:\\twice.jpg"});
    scene["same_file"].append(Json::Value(Json::objectValue));  // no path: skipped
    Read(scene);
    EXPECT_THAT(state->problems,
                ElementsAre(S(99), u"C:\\bad?.jpg", S(62), S(60) + u"C:\\gone1.jpg",
                            S(60) + u"C:\\\u4E22.jpg", S(63), S(61) + u"C:\\twice.jpg"));
}

TEST_F(AnalysisReaderTest, EmptyFileListsAddNoHeadings) {
    Json::Value scene = Scene();
    scene["missing_file"] = Json::Value(Json::arrayValue);
    scene["same_file"] = Json::Value(Json::arrayValue);
    scene["reference_file"] = Json::Value(Json::arrayValue);
    Read(scene);
    EXPECT_THAT(state->problems, IsEmpty());
}

// ---- Cameras ---------------------------------------------------------------------------------

TEST_F(AnalysisReaderTest, NoCamerasReturnsOneAndKeepsTheOldCameras) {
    ASSERT_EQ(Read(Scene()), kAnalysisRead);
    Json::Value scene = Scene();
    scene["cameras"] = Json::Value(Json::arrayValue);
    scene["is_region"] = "true";
    scene["missing_file"] = Paths({"C:\\gone.jpg"});
    EXPECT_EQ(Read(scene), kAnalysisNoCameras);
    EXPECT_EQ(state->cameras.count(u"Camera001"), 1u);
    // The checks before the cameras still ran.
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(75)));
    EXPECT_THAT(state->problems, ElementsAre(S(62), S(60) + u"C:\\gone.jpg"));
    EXPECT_EQ(LogLines().back(), "[ERROR] No cameras!");

    scene.removeMember("cameras");
    EXPECT_EQ(Read(scene), kAnalysisNoCameras);
    EXPECT_EQ(state->cameras.count(u"Camera001"), 1u);
}

TEST_F(AnalysisReaderTest, ForbiddenCharactersLeaveTheKeyButNotTheOutputName) {
    Json::Value scene = Scene();
    scene["cameras"][0] = Camera("Cam:01*");
    scene["cameras"].append(Camera("a\\b/c:d*e?f\"g<h>i|j"));
    Read(scene);
    EXPECT_EQ(Cam(u"Cam:01*").outputName, u"Cam01");
    EXPECT_EQ(Cam(u"a\\b/c:d*e?f\"g<h>i|j").outputName, u"abcdefghij");
    EXPECT_THAT(LogLines(),
                ElementsAre("[WARN] The original camera name contain invalid characters!",
                            "[WARN] The original camera name contain invalid characters!",
                            std::string(kVersionLine) + "24.0"));
}

TEST_F(AnalysisReaderTest, CamerasAreOrderedByUtf16CodeUnits) {
    Json::Value scene = Scene();
    scene["cameras"] = Json::Value(Json::arrayValue);
    for (const char* name :
         {"\u76F8\u673A", "cam1", "Cam2", "Cam10", "Cam1", "Cam", "\U0001F4F7", "\uFF43am"}) {
        scene["cameras"].append(Camera(name));
    }
    Read(scene);
    std::vector<std::u16string> keys;
    for (const auto& [name, camera] : state->cameras) {
        keys.push_back(name);
    }
    // A surrogate pair (U+D83D ...) sorts before U+FF43, unlike code-point order.
    EXPECT_THAT(keys, ElementsAre(u"Cam", u"Cam1", u"Cam10", u"Cam2", u"cam1", u"\u76F8\u673A",
                                  u"\U0001F4F7", u"\uFF43am"));
}

TEST_F(AnalysisReaderTest, ASecondCameraOfTheSameNameReplacesTheFirst) {
    Json::Value scene = Scene();
    scene["cameras"][0]["camWidth"] = "640";
    scene["cameras"].append(Camera("Camera001"))["camWidth"] = "800";
    Read(scene);
    ASSERT_EQ(state->cameras.size(), 1u);
    EXPECT_EQ(Cam(u"Camera001").width, 800);
}

TEST_F(AnalysisReaderTest, CameraSizesFallBackToTheSceneSize) {
    Json::Value scene = Scene();
    scene["cameras"] = Json::Value(Json::arrayValue);
    Json::Value& own = scene["cameras"].append(Camera("Own"));
    own["camWidth"] = "800";
    own["camHeight"] = "600";
    Json::Value& zero = scene["cameras"].append(Camera("Zero"));
    zero["camWidth"] = "0";
    zero["camHeight"] = "0";
    scene["cameras"].append(Camera("Plain"));  // follows one with its own size
    Json::Value& half = scene["cameras"].append(Camera("WidthOnly"));
    half["camWidth"] = "1000";
    Read(scene);
    EXPECT_EQ(Cam(u"Own").width, 800);
    EXPECT_EQ(Cam(u"Own").height, 600);
    EXPECT_EQ(Cam(u"Zero").width, 1920);
    EXPECT_EQ(Cam(u"Zero").height, 1080);
    EXPECT_EQ(Cam(u"Plain").width, 1920);
    EXPECT_EQ(Cam(u"Plain").height, 1080);
    EXPECT_EQ(Cam(u"WidthOnly").width, 1000);
    EXPECT_EQ(Cam(u"WidthOnly").height, 1080);
}

TEST_F(AnalysisReaderTest, ImageFormatIsUpperCasedIntoEveryCamera) {
    Json::Value scene = Scene();
    scene["image_format"] = "tif";
    scene["cameras"].append(Camera("Second"));
    Read(scene);
    EXPECT_EQ(Cam(u"Camera001").imageFormat, u"TIF");
    EXPECT_EQ(Cam(u"Second").imageFormat, u"TIF");
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(96)));

    scene["image_format"] = "Tiff";
    Read(scene);
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(96)));
    scene["image_format"] = "tiff ";
    Read(scene);
    EXPECT_THAT(state->warnings, IsEmpty());
    EXPECT_EQ(Cam(u"Second").imageFormat, u"TIFF ");
}

TEST_F(AnalysisReaderTest, NamesLongerThanTheBufferAreCutTo259Units) {
    Json::Value scene = Scene();
    scene["cameras"][0] = Camera(std::string(300, 'x'));
    std::string withPair = std::string(258, 'y') + "\U0001F4F7";  // the pair spans 259/260
    scene["cameras"].append(Camera(withPair));
    Read(scene);
    EXPECT_EQ(state->cameras.count(std::u16string(259, u'x')), 1u);
    EXPECT_EQ(state->cameras.count(std::u16string(258, u'y')), 1u);
}

// ---- V-Ray -----------------------------------------------------------------------------------

class VrayTest : public AnalysisReaderTest {
protected:
    Json::Value SphericalScene() {
        Json::Value scene = Scene();
        scene["cameras"].append(Camera("Second"));
        scene["vray_setting"]["camera_override_fov"] = true;
        scene["vray_setting"]["is_spherical"] = "true";
        scene["vray_setting"]["camera_fov"] = "360";
        return scene;
    }
    bool AllSpherical() const {
        return Cam(u"Camera001").isSpherical && Cam(u"Second").isSpherical;
    }
    bool NoneSpherical() const {
        return !Cam(u"Camera001").isSpherical && !Cam(u"Second").isSpherical;
    }
};

TEST_F(VrayTest, OverriddenSphericalFullCircleMakesEveryCameraSpherical) {
    Read(SphericalScene());
    EXPECT_TRUE(AllSpherical());
}

TEST_F(VrayTest, AnyMissingConditionMakesNoneSpherical) {
    Json::Value scene = SphericalScene();
    scene["vray_setting"]["camera_fov"] = "180";
    Read(scene);
    EXPECT_TRUE(NoneSpherical());

    scene = SphericalScene();
    scene["vray_setting"]["camera_override_fov"] = false;
    Read(scene);
    EXPECT_TRUE(NoneSpherical());

    scene = SphericalScene();
    scene["vray_setting"]["is_spherical"] = "True";
    Read(scene);
    EXPECT_TRUE(NoneSpherical());

    scene = SphericalScene();
    scene["vray_setting"].removeMember("camera_override_fov");
    Read(scene);
    EXPECT_TRUE(NoneSpherical());

    scene = SphericalScene();
    scene.removeMember("vray_setting");
    Read(scene);
    EXPECT_TRUE(NoneSpherical());
}

TEST_F(VrayTest, AnAbsentFieldOfViewCountsAsFullCircle) {
    Json::Value scene = SphericalScene();
    scene["vray_setting"].removeMember("camera_fov");
    Read(scene);
    EXPECT_TRUE(AllSpherical());
    scene["vray_setting"]["camera_fov"] = "360.0";
    Read(scene);
    EXPECT_TRUE(AllSpherical());
}

TEST_F(VrayTest, NumbersAreReadAndKeptWithoutVraySetting) {
    Json::Value scene = Scene();
    scene["vray_setting"]["imagesampler_type"] = "1";
    scene["vray_setting"]["gi_irradmap_preset"] = "2";
    scene["vray_setting"]["gi_irradmap_minRate"] = "-3";
    scene["vray_setting"]["gi_irradmap_maxRate"] = "0";
    Read(scene);
    EXPECT_EQ(state->imageSamplerType, 1);
    EXPECT_EQ(state->irradmapPreset, 2);
    EXPECT_EQ(state->irradmapMinRate, -3);
    EXPECT_EQ(state->irradmapMaxRate, 0);
    EXPECT_THAT(state->warnings, IsEmpty());

    Read(Scene());
    EXPECT_EQ(state->imageSamplerType, 1);
    EXPECT_EQ(state->irradmapPreset, 2);
    EXPECT_EQ(state->irradmapMinRate, -3);

    scene["vray_setting"] = Json::Value(Json::objectValue);
    scene["vray_setting"]["gi_irradmap_preset"] = "7";
    Read(scene);
    EXPECT_EQ(state->imageSamplerType, 0);
    EXPECT_EQ(state->irradmapPreset, 7);
    EXPECT_EQ(state->irradmapMinRate, 0);
}

TEST_F(VrayTest, ImageSamplerThreeWarns) {
    Json::Value scene = Scene();
    scene["vray_setting"]["imagesampler_type"] = "3";
    Read(scene);
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(95)));
}

// ---- Gamma, duplicates, version --------------------------------------------------------------

TEST_F(AnalysisReaderTest, GammaIsReadWhenPresentAndKeptOtherwise) {
    Json::Value scene = Scene();
    scene["gamma_out"] = "1.0";
    Read(scene);
    EXPECT_FLOAT_EQ(state->gammaOut, 1.0f);
    Read(Scene());
    EXPECT_FLOAT_EQ(state->gammaOut, 1.0f);
}

TEST_F(AnalysisReaderTest, DuplicateCamerasAreTrimmedJoinedAndReturnFour) {
    Json::Value scene = Scene();
    scene["dupl_cameras"].append(Json::Value(Json::objectValue))["name"] = " A ";
    scene["dupl_cameras"].append(Json::Value(Json::objectValue))["name"] = "B";
    EXPECT_EQ(Read(scene), kAnalysisDuplicateCameras);
    EXPECT_EQ(state->duplicateCameraNames, u"A,B");
    EXPECT_EQ(state->duplicateCameraNames.size(), 3u);
    EXPECT_EQ(state->cameras.size(), 1u);
    EXPECT_THAT(LogLines(), IsEmpty());

    scene["dupl_cameras"] = Json::Value(Json::arrayValue);
    EXPECT_EQ(Read(scene), kAnalysisRead);
    EXPECT_EQ(state->duplicateCameraNames, u"");
}

TEST_F(AnalysisReaderTest, AbsentVersionLogsAnEmptyOne) {
    Json::Value scene = Scene();
    scene.removeMember("version");
    Read(scene);
    EXPECT_THAT(LogLines(), ElementsAre(kVersionLine));
}

// ---- Members of the wrong type ---------------------------------------------------------------

TEST_F(AnalysisReaderTest, NumbersAreAcceptedWhereTextsHoldNumbers) {
    Json::Value scene = Scene();
    scene["image_width"] = 1280;
    scene["image_height"] = 720u;
    scene["start_frame"] = -2;
    scene["cameras"][0]["camWidth"] = 640;
    scene["corona_setting"]["pass_limit"] = 0;
    scene["corona_setting"]["time_limit"] = 3600000;
    scene["corona_setting"]["noise_level_limit"] = 0;
    scene["gamma_out"] = 1.8;
    scene["errors"]["error_code"].append(Json::Value(Json::objectValue))["code"] = 107;
    Read(scene);
    EXPECT_EQ(Cam(u"Camera001").width, 640);
    EXPECT_EQ(Cam(u"Camera001").height, 720);
    EXPECT_EQ(Cam(u"Camera001").frameToRender, -2);
    EXPECT_EQ(state->coronaState, 2);
    EXPECT_EQ(state->coronaTimeSeconds, 3600);
    EXPECT_FLOAT_EQ(state->gammaOut, 1.8f);
    EXPECT_THAT(state->warnings, ElementsAre(S(78), S(73), S(77)));
    EXPECT_THAT(LogLines(), testing::Not(testing::Contains(testing::HasSubstr("Member"))));
}

TEST_F(AnalysisReaderTest, RequiredMembersMissingReadAsEmptyWithALogLine) {
    Json::Value scene = Scene();
    scene.removeMember("is_region");
    scene.removeMember("image_format");
    scene["image_width"] = Json::Value(Json::objectValue);
    scene["start_frame"] = Json::Value();
    scene["cameras"][0] = "just a string";
    EXPECT_EQ(Read(scene), kAnalysisRead);
    EXPECT_EQ(state->isRegion, "");
    ASSERT_EQ(state->cameras.count(u""), 1u);
    EXPECT_EQ(Cam(u"").width, 0);
    EXPECT_EQ(Cam(u"").height, 1080);
    EXPECT_EQ(Cam(u"").frameToRender, 0);
    EXPECT_EQ(Cam(u"").imageFormat, u"");
    EXPECT_THAT(LogLines(), ElementsAre("[WARN] Member is missing or not a string: is_region",
                                        "[WARN] Member is missing or not a string: image_width",
                                        "[WARN] Member is missing or not a string: start_frame",
                                        "[WARN] Member is missing or not a string: image_format",
                                        "[WARN] Member is missing or not a string: cameras[0].name",
                                        std::string(kVersionLine) + "24.0"));
}

TEST_F(AnalysisReaderTest, OptionalMembersOfTheWrongTypeCountAsAbsent) {
    Json::Value scene = Scene();
    scene["renderer_full_name"] = true;
    scene["corona_setting"] = Json::Value(Json::arrayValue);
    scene["reference_file"] = "C:\\a.jpg";
    scene["missing_file"] = Json::Value(Json::objectValue);
    scene["missing_file"]["path"] = "C:\\b.jpg";
    scene["same_file"] = 3;
    scene["vray_setting"]["camera_override_fov"] = "true";
    scene["vray_setting"]["is_spherical"] = "true";
    scene["vray_setting"]["imagesampler_type"] = Json::Value(Json::arrayValue);
    scene["cameras"][0]["camHeight"] = Json::Value(Json::objectValue);
    scene["gamma_out"] = Json::Value(Json::arrayValue);
    scene["errors"]["error_code"] = "107";
    scene["dupl_cameras"] = "A";
    scene["version"] = Json::Value(Json::objectValue);
    EXPECT_EQ(Read(scene), kAnalysisRead);
    EXPECT_THAT(state->warnings, IsEmpty());
    EXPECT_THAT(state->problems, IsEmpty());
    EXPECT_EQ(state->coronaState, 0);
    EXPECT_FALSE(Cam(u"Camera001").isSpherical);
    EXPECT_EQ(Cam(u"Camera001").height, 1080);
    EXPECT_FLOAT_EQ(state->gammaOut, 2.2f);
    EXPECT_THAT(LogLines(),
                ElementsAre("[WARN] Member is not an array: missing_file",
                            "[WARN] Member is not an array: same_file",
                            "[WARN] Member is not a string: renderer_full_name",
                            "[WARN] Member is not an object: corona_setting",
                            "[WARN] Member is not an array: reference_file",
                            "[WARN] Member is not a string: vray_setting.imagesampler_type",
                            "[WARN] Member is not a boolean: vray_setting.camera_override_fov",
                            "[WARN] Member is not a string: cameras[0].camHeight",
                            "[WARN] Member is not a string: gamma_out",
                            "[WARN] Member is not an array: errors.error_code",
                            "[WARN] Member is not an array: dupl_cameras",
                            "[WARN] Member is not a string: version", kVersionLine));
}

}  // namespace
