#include "scene/job_description.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <json/json.h>

#include <climits>
#include <filesystem>
#include <iterator>
#include <memory>
#include <regex>
#include <string>
#include <tuple>

#include "platform/win/message_box.h"
#include "resources/string_loader.h"
#include "scene/styled_camera_list.h"
#include "tests/support/environment.h"
#include "tests/support/plugin_language.h"
#include "tests/support/temp_root.h"
#include "text/conversions.h"
#include "text/json_text.h"

namespace {

using testing::EndsWith;
using testing::HasSubstr;
using testing_support::U16;
using testing_support::U8;

constexpr char kRequestId[] = "0F8B4C2A-1D3E-4F5A-9B6C-7D8E9FA0B1C2";
const std::string kJobFile = std::string("ZEP Rendering/json/") + kRequestId + ".json";

// A small analysis: members the writer edits (the reference files and the errors have tests of
// their own) and a few it passes on.
constexpr char kAnalysis[] = R"({
   // written by the analysis script
   "app_version" : "2022",
   "cameras" : [ { "name" : "A" }, { "name" : "B" } ],
   "name" : "D:\\scenes\\shot1.max",
   "max_options" : { "stale" : 1 },
   "start_frame" : "0",
   "zz_future" : { "list" : [ true, null, 1.5, "x" ] }
})";

// The text a Windows text-mode file holds for `text`.
std::string WithCrLf(const std::string& text) {
    return std::regex_replace(text, std::regex("\n"), "\r\n");
}

Json::Value Parse(const std::string& text) {
    Json::Value value;
    EXPECT_TRUE(ParseJsonText(text, value)) << text;
    return value;
}

class JobDescriptionTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("ZEP Rendering/script/x", "");
        testing_support::UsePluginLanguage("ids");
        win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
        win::TakeMessageBoxes();
        // A state of its own, so its pmx_data log lives in this test's root.
        state = std::make_unique<PluginState>();
        state->analysedScenePath = "D:\\scenes\\shot1.max";
        jsonFolder = root.Wide("ZEP Rendering/json");
        settings.scenePath = "D:/scenes/shot1.max";
        settings.archivePath = "D:/scenes/shot1_plugin_output/compress/shot1.7z";
    }

    void AddCamera(const std::u16string& name, bool selected) {
        state->cameras[name] = CameraInfo{1920, 1080, 0, u"TIF", selected, name, false};
    }

    bool Write(const std::string& analysis, unsigned saveSceneFile = 0) {
        state->analysisText = U16(analysis);
        // A successful write replaces the folder by the job file's path.
        settings.jsonFolder = jsonFolder;
        return WriteJobDescription(*state, dialog, saveSceneFile, settings, U16(kRequestId),
                                   notice);
    }

    std::string JobBytes() const { return root.ReadFile(kJobFile); }
    std::string DataLog() const { return root.ReadFile("ZEP Rendering/log/pmx_data.log"); }

    // Writes the analysis and returns the job, expecting success.
    Json::Value WriteAndRead(const std::string& analysis) {
        EXPECT_TRUE(Write(analysis));
        return Parse(JobBytes());
    }

    // One box owned by the dialog in the language of the string tables, the ERROR line, and the
    // notice and settings untouched.
    void ExpectFailure(const std::string& logLine, int language = 1033) {
        std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        const win::RecordedMessageBox& box = boxes[0];
        EXPECT_EQ(
            std::tie(box.owner, box.text, box.caption, box.type, box.language),
            std::make_tuple(dialog, ResourceText(42), ResourceText(49), win::kMbOk, language));
        EXPECT_THAT(DataLog(), EndsWith(" [ERROR] " + logLine + "\r\n"));
        EXPECT_EQ(notice, "previous");
        EXPECT_EQ(settings.jsonFolder, jsonFolder);
    }

    HWND dialog = static_cast<HWND>(testing_support::TestOwnerWindow());
    std::unique_ptr<PluginState> state;
    std::u16string jsonFolder;
    PluginSettings settings;
    std::string notice;
};

// Members the writer does not edit pass through with the comments; max_options is replaced. An
// existing job file is replaced, and no temporary file stays.
TEST_F(JobDescriptionTest, WritesTheStyledJobWithCrLfAndTheNotice) {
    root.WriteFile(kJobFile, std::string(5000, 'x'));
    AddCamera(u"A", true);
    AddCamera(u"B", false);
    state->colorChannel = true;
    ASSERT_TRUE(Write(kAnalysis, 1));

    const std::string expectedJob = R"({
   // written by the analysis script
   "app_version" : "2022",
   "cameras" : [
      {
         "camera_height" : 1080,
         "camera_width" : 1920,
         "frame_to_render" : 0,
         "img_output_format" : "TIF",
         "img_output_name" : "A",
         "is_spherical" : false,
         "name" : "A",
         "renderable" : "1"
      }
   ],
   "distributed_render" : 0,
   "enable_blocking" : 0,
   "end_frame" : null,
   "errors" : null,
   "max_options" : {
      "ao_channel" : false,
      "color_channel" : true,
      "gamma_out" : 2.2000000476837158,
      "gi_channel" : "0",
      "gi_irradmap_maxRate" : 0,
      "gi_irradmap_minRate" : 0,
      "gi_irradmap_preset" : 0,
      "mtl_channel" : false,
      "psd_channel" : "0"
   },
   "name" : "D:/scenes/shot1.max",
   "num_blocks" : 0,
   "start_frame" : "0",
   "zz_future" : {
      "list" : [ true, null, 1.5, "x" ]
   }
}
)";
    EXPECT_EQ(JobBytes(), WithCrLf(expectedJob));
    auto files = std::filesystem::directory_iterator(root.Path() / "ZEP Rendering" / "json");
    EXPECT_EQ(std::distance(begin(files), end(files)), 1);

    // The notice is text in memory: plain LF line ends.
    // The folder as the settings name it, then "/" and the file.
    const std::u16string jobPathWide = jsonFolder + u"/" + U16(kRequestId) + u".json";
    const std::string jobPath = U8(jobPathWide);
    const std::string expectedNotice = R"({
   "PLUGIN_SAVE_SCENE_FILE" : 1,
   "compressPath" : "D:/scenes/shot1_plugin_output/compress/shot1.7z",
   "filePath" : )" + Json::valueToQuotedString(jobPath.c_str()) +
                                       R"(,
   "maxVersion" : "3ds Max 2022",
   "scenePath" : "D:/scenes/shot1.max"
}
)";
    EXPECT_EQ(notice, expectedNotice);
    EXPECT_EQ(settings.jsonFolder, jobPathWide);
    EXPECT_THAT(DataLog(),
                EndsWith(" [INFO] Write json file at: " + jobPath + " successfully.\r\n"));
    EXPECT_TRUE(win::TakeMessageBoxes().empty());
}

TEST_F(JobDescriptionTest, NoticeCarriesTheCheckBoxStateAndTheAnalysisVersion) {
    using Case = std::tuple<const char*, unsigned, const char*>;
    for (const auto& [analysis, saveSceneFile, maxVersion] :
         {Case{R"({ "app_version" : "2022" })", 0, "3ds Max 2022"},
          Case{R"({ "app_version" : 2023 })", 2, "3ds Max 2023"}, Case{"{}", 1, "3ds Max "},
          Case{R"({ "app_version" : [ "2022" ] })", 0, "3ds Max "}}) {
        ASSERT_TRUE(Write(analysis, saveSceneFile));
        Json::Value parsed = Parse(notice);
        EXPECT_EQ(parsed["maxVersion"], Json::Value(maxVersion)) << analysis;
        EXPECT_EQ(parsed["PLUGIN_SAVE_SCENE_FILE"].asUInt(), saveSceneFile) << analysis;
    }
}

// Members the writer sets, removes or looks up (which adds them as null, as the whole job above
// shows for end_frame and errors). No camera is selected.
TEST_F(JobDescriptionTest, EditedMembersAreReplacedRemovedOrAddedAsNull) {
    AddCamera(u"A", false);
    settings.scenePath = "E:/\u5de5\u7a0b/shot1_copy.max";
    // The analysis, the member, its JSON text in the job (nullptr: absent).
    using Case = std::tuple<const char*, const char*, const char*>;
    for (const auto& [analysis, key, expected] : {
             Case{"{}", "name", "\"E:/\u5de5\u7a0b/shot1_copy.max\""},
             Case{R"({ "end_frame" : "20" })", "start_frame", "null"},
             Case{R"({ "end_frame" : "20" })", "end_frame", "\"20\""},
             Case{R"({ "errors" : { "error_code" : [] } })", "errors", nullptr},
             Case{R"({ "errors" : null })", "errors", "null"},
             Case{R"({ "cameras" : [ { "name" : "A" } ] })", "cameras", nullptr},
             Case{"{}", "cameras", "null"},
             Case{R"({ "reference_file" : [ { "path" : "D:\\scenes\\shot1.max" } ] })",
                  "reference_file", nullptr},
             Case{R"({ "reference_file" : { "path" : "D:\\x.jpg" } })", "reference_file", nullptr},
             Case{"{}", "reference_file", nullptr},
         }) {
        Json::Value job = WriteAndRead(analysis);
        SCOPED_TRACE(std::string(analysis) + " " + key);
        ASSERT_EQ(job.isMember(key), expected != nullptr);
        if (expected != nullptr) {
            EXPECT_EQ(job[key], Parse(expected));
        }
    }
    EXPECT_THAT(DataLog(), HasSubstr("[WARN] The reference files of the analysis are not a list!"));
}

TEST_F(JobDescriptionTest, SelectedCamerasReplaceTheAnalysisOnesInCodeUnitOrder) {
    AddCamera(u"B", false);
    AddCamera(u"A", true);
    AddCamera(u"\u6444\u50cf\u673a01", true);
    AddCamera(u"a", true);
    const Json::Value job = WriteAndRead(kAnalysis);
    std::vector<std::string> names;
    for (const Json::Value& camera : job["cameras"]) {
        names.push_back(camera["name"].asString());
    }
    EXPECT_THAT(names, testing::ElementsAre("A", "a", "\u6444\u50cf\u673a01"));
}

// The list is made anew: comments on the old list and its entries stay behind.
TEST_F(JobDescriptionTest, ReferenceFileEqualToTheSceneIsDroppedAndTheRestReduced) {
    Json::Value job = WriteAndRead(R"({ /* list */ "reference_file" : [
        // before
        { "path" : "D:\\maps\\b.jpg" }, // after
        { "path" : "D:\\scenes\\shot1.max" },
        { "path" : /* value */ "D:\\maps\\a.jpg", "kind" : "bitmap" },
        { "path" : /* own */ "d:\\scenes\\shot1.max" },
        "plain", { "path" : 7 }, { "path" : null } ] })");
    // The comparison is byte-wise: another spelling of the scene stays. A number counts as its
    // text; entries without a path text become an empty path.
    EXPECT_EQ(job["reference_file"], Parse(R"([ { "path" : "D:\\maps\\b.jpg" },
        { "path" : "D:\\maps\\a.jpg" }, { "path" : "d:\\scenes\\shot1.max" },
        { "path" : "" }, { "path" : "7" }, { "path" : "" } ])"));
    for (const char* word : {"list", "before", "after", "value", "own"}) {
        EXPECT_THAT(JobBytes(), testing::Not(HasSubstr(word)));
    }
    EXPECT_THAT(DataLog(), HasSubstr("[WARN] A reference file of the analysis has no path text!"));
}

TEST_F(JobDescriptionTest, BlockSettings) {
    // Block mode and distributed count; enable_blocking, num_blocks, distributed_render.
    using Case = std::tuple<int32_t, int32_t, int, int, int>;
    for (const auto& [mode, count, enable, blocks, distributed] :
         {Case{1, 3, 0, 0, 0}, Case{4, 3, 1, 4, 0}, Case{1010, 3, 0, 0, 3}, Case{9, 0, 1, 9, 0},
          Case{0, 5, 1, 0, 0}}) {
        state->blockMode = mode;
        state->distributedCount = count;
        Json::Value job = WriteAndRead(kAnalysis);
        // Json::Value equality includes the type: the three are integers.
        EXPECT_EQ(job["enable_blocking"], Json::Value(enable)) << mode;
        EXPECT_EQ(job["num_blocks"], Json::Value(blocks)) << mode;
        EXPECT_EQ(job["distributed_render"], Json::Value(distributed)) << mode;
    }
}

// The GI rates are lowered by the scale index only with the GI channel; the AO radius and
// subdivisions are written only with the AO channel. The Corona limits come with Corona, the
// noise level as a fraction.
TEST_F(JobDescriptionTest, OptionsFollowTheChannelsAndCorona) {
    state->aoChannel = true;
    state->aoRadius = 250.5;
    state->aoSubdivs = 8;
    state->gammaOut = 1.0f;
    state->materialChannel = true;
    state->psdChannel = true;
    state->giChannel = true;
    state->irradmapPreset = 2;
    state->irradmapMinRate = -1;
    state->irradmapMaxRate = 2;
    settings.giScaleIndex = 3;
    settings.giScaleText = "25%";
    EXPECT_EQ(WriteAndRead(kAnalysis)["max_options"],
              Parse(R"({ "color_channel" : false, "ao_channel" : true, "ao_radius" : 250.5,
        "ao_subdivs" : 8, "gamma_out" : 1.0, "mtl_channel" : true, "gi_irradmap_preset" : 2,
        "gi_irradmap_minRate" : -4, "gi_irradmap_maxRate" : -1, "gi_image_scale" : "25%",
        "gi_channel" : "1", "psd_channel" : "1" })"));

    state->aoChannel = false;
    state->giChannel = false;
    EXPECT_EQ(WriteAndRead(kAnalysis)["max_options"],
              Parse(R"({ "color_channel" : false, "ao_channel" : false, "gamma_out" : 1.0,
        "mtl_channel" : true, "gi_irradmap_preset" : 2, "gi_irradmap_minRate" : -1,
        "gi_irradmap_maxRate" : 2, "gi_channel" : "0", "psd_channel" : "1" })"));

    state->useCorona = true;
    state->coronaNoiseLimit = 5;
    state->coronaPassLimit = 30;
    state->coronaTimeSeconds = 5400;
    ASSERT_TRUE(Write(kAnalysis));
    EXPECT_THAT(JobBytes(), HasSubstr(WithCrLf(R"(   "corona_options" : {
      "CoronaNoiseLevelLimit" : 0.050000000000000003,
      "CoronaPassLimit" : 30,
      "CoronaTimeLimit" : 5400,
      "useCorona" : true
   },
)")));
}

TEST_F(JobDescriptionTest, EachFailureShowsTheBoxAndLogs) {
    notice = "previous";
    for (const char* text : {"{ \"name\" : ", "", "[ 1, 2 ]", "\"text\"", "12"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(Write(text));
        ExpectFailure("Parse failed in writing json file when submiting!");
    }
    EXPECT_FALSE(root.Exists("ZEP Rendering/json"));

    const std::u16string usable = jsonFolder;
    jsonFolder = root.Wide("no/such/parent/json");  // created one level only
    EXPECT_FALSE(Write(kAnalysis));
    ExpectFailure("Open json file failed when write it!");
    EXPECT_FALSE(root.Exists("no"));

    jsonFolder = usable;
    root.WriteFile("ZEP Rendering/json", "not a folder");
    EXPECT_FALSE(Write(kAnalysis));
    ExpectFailure("Open json file failed when write it!");
    EXPECT_EQ(root.ReadFile("ZEP Rendering/json"), "not a folder");

    testing_support::UsePluginLanguage("zh-CN");
    EXPECT_FALSE(Write("not json"));
    ExpectFailure("Parse failed in writing json file when submiting!", 1);
}

// What jsoncpp's own styled writer makes of the same cameras as JSON values in a root object.
std::string WrittenByJsoncpp(const CameraMap& cameras) {
    Json::Value root(Json::objectValue);
    Json::Value& list = root["cameras"] = Json::Value(Json::arrayValue);
    for (const auto& [name, camera] : cameras) {
        if (camera.selected) {
            Json::Value& item = list.append(Json::Value(Json::objectValue));
            item["name"] = ToUtf8(name);
            item["camera_width"] = camera.width;
            item["camera_height"] = camera.height;
            item["frame_to_render"] = camera.frameToRender;
            item["img_output_format"] = ToUtf8(camera.imageFormat);
            item["img_output_name"] = ToUtf8(camera.outputName);
            item["renderable"] = "1";
            item["is_spherical"] = camera.isSpherical;
        }
    }
    return Json::StyledWriter().write(root);
}

TEST(StyledCameraListTest, WritesWhatTheStyledWriterWrites) {
    CameraMap cameras;
    const std::u16string odd[] = {u"Cam \"1\" \\ /",
                                  u"\u6444\u50cf\u673a01",
                                  u"tab\there\nline",
                                  u"\x01\x1f\x7f",
                                  u"\U0001F600 astral",
                                  u"lone \xD800 half",
                                  u"",
                                  u"\u00e9t\u00e9"};
    int32_t number = 0;
    for (const std::u16string& text : odd) {
        cameras[u"n" + text] = CameraInfo{INT32_MAX - number, -number, INT32_MIN + number, text,
                                          number % 3 != 2,    text,    number % 2 == 0};
        ++number;
    }
    EXPECT_EQ("{\n   \"cameras\" : " + StyledCameraList(cameras) + "\n}\n",
              WrittenByJsoncpp(cameras));
    EXPECT_TRUE(HasSelectedCamera(cameras));

    for (auto& entry : cameras) {
        entry.second.selected = false;
    }
    EXPECT_FALSE(HasSelectedCamera(cameras));
    EXPECT_FALSE(HasSelectedCamera(CameraMap{}));
}

}  // namespace
