#include "scene/job_description.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <json/json.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/win/message_box.h"
#include "resources/string_loader.h"
#include "tests/support/temp_root.h"

namespace {

using testing::EndsWith;
using testing::HasSubstr;
using testing::Not;
using testing_support::U16;
using testing_support::U8;

constexpr char kRequestId[] = "0F8B4C2A-1D3E-4F5A-9B6C-7D8E9FA0B1C2";

// A small analysis: the members the writer edits and a few it passes on.
constexpr char kAnalysis[] = R"({
   "app_version" : "2022",
   "cameras" : [ { "name" : "A" }, { "name" : "B" } ],
   "errors" : { "error_code" : [ { "code" : "107" } ] },
   "image_format" : "tif",
   "name" : "D:\\scenes\\shot1.max",
   "reference_file" : [
      { "path" : "D:\\scenes\\shot1.max" },
      { "path" : "D:\\maps\\wood.jpg", "size" : "12" }
   ],
   "start_frame" : "0",
   "vendor_extra" : { "nested" : [ 1, 2, 3 ] }
})";

win::WindowHandle Dialog() {
    static int anchor = 0;
    return &anchor;
}

// The text a Windows text-mode file holds for `text`.
std::string WithCrLf(const std::string& text) {
    std::string bytes;
    for (char c : text) {
        if (c == '\n') {
            bytes += '\r';
        }
        bytes += c;
    }
    return bytes;
}

bool EveryLineEndsInCrLf(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
            return false;
        }
    }
    return !bytes.empty() && bytes.back() == '\n';
}

Json::Value Parse(const std::string& text) {
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value value;
    std::string errors;
    EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &value, &errors)) << errors;
    return value;
}

class JobDescriptionTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("ZEP Rendering/script/x", "");
        ::setenv("ZEP_LANGUAGE", "ids", 1);
        SetResourceModule(reinterpret_cast<void*>(1));
        win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
        win::TakeMessageBoxes();
        // A state of its own, so its pmx_data log lives in this test's root.
        state = std::make_unique<PluginState>();
        state->analysedScenePath = "D:\\scenes\\shot1.max";
        jsonFolder = root.Wide("ZEP Rendering/json");
        settings.scenePath = "D:/scenes/shot1.max";
        settings.giScaleIndex = 0;
        settings.giScaleText = "100%";
        settings.archivePath = "D:/scenes/shot1_plugin_output/compress/shot1.7z";
    }

    void AddCamera(const std::u16string& name, bool selected) {
        CameraInfo& camera = state->cameras[name];
        camera.width = 1920;
        camera.height = 1080;
        camera.frameToRender = 0;
        camera.imageFormat = u"TIF";
        camera.outputName = name;
        camera.selected = selected;
    }

    bool Write(const std::string& analysis, unsigned saveSceneFile = 0) {
        state->analysisText = U16(analysis);
        // A successful write replaces the folder by the job file's path.
        settings.jsonFolder = jsonFolder;
        return WriteJobDescription(*state, Dialog(), saveSceneFile, settings, U16(kRequestId),
                                   notice);
    }

    std::string JobFile() const {
        return "ZEP Rendering/json/" + std::string(kRequestId) + ".json";
    }
    std::string JobBytes() const { return root.ReadFile(JobFile()); }
    Json::Value Job() const { return Parse(JobBytes()); }
    std::string DataLog() const { return root.ReadFile("ZEP Rendering/log/pmx_data.log"); }

    // Writes the analysis and returns the job, expecting success.
    Json::Value WriteAndRead(const std::string& analysis) {
        EXPECT_TRUE(Write(analysis));
        return Job();
    }

    std::unique_ptr<PluginState> state;
    std::u16string jsonFolder;
    PluginSettings settings;
    std::string notice;
};

TEST_F(JobDescriptionTest, WritesTheStyledJobWithCrLfAndTheNotice) {
    AddCamera(u"A", true);
    AddCamera(u"B", false);
    state->colorChannel = true;
    ASSERT_TRUE(Write(kAnalysis, 1));

    const std::string expectedJob = R"({
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
   "image_format" : "tif",
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
   "reference_file" : [
      {
         "path" : "D:\\maps\\wood.jpg"
      }
   ],
   "start_frame" : "0",
   "vendor_extra" : {
      "nested" : [ 1, 2, 3 ]
   }
}
)";
    EXPECT_EQ(JobBytes(), WithCrLf(expectedJob));

    const std::string jobPath = U8(root.Wide(JobFile()));
    const std::string expectedNotice = R"({
   "PLUGIN_SAVE_SCENE_FILE" : 1,
   "compressPath" : "D:/scenes/shot1_plugin_output/compress/shot1.7z",
   "filePath" : ")" + jobPath + R"(",
   "maxVersion" : "3ds Max 2022",
   "scenePath" : "D:/scenes/shot1.max"
}
)";
    EXPECT_EQ(notice, expectedNotice);
    EXPECT_EQ(settings.jsonFolder, root.Wide(JobFile()));
    EXPECT_THAT(DataLog(),
                EndsWith(" [INFO] Write json file at: " + jobPath + " successfully.\r\n"));
    EXPECT_TRUE(win::TakeMessageBoxes().empty());
}

TEST_F(JobDescriptionTest, JobFileUsesCrLfOnEveryLine) {
    AddCamera(u"A", true);
    state->aoChannel = true;
    state->useCorona = true;
    ASSERT_TRUE(Write(kAnalysis));
    EXPECT_TRUE(EveryLineEndsInCrLf(JobBytes()));
}

TEST_F(JobDescriptionTest, NoticeCarriesTheCheckBoxState) {
    for (unsigned checkState : {0u, 1u, 2u}) {
        ASSERT_TRUE(Write(kAnalysis, checkState));
        EXPECT_THAT(
            notice,
            HasSubstr("\n   \"PLUGIN_SAVE_SCENE_FILE\" : " + std::to_string(checkState) + ",\n"));
    }
    // The notice is text in memory: plain LF line ends.
    EXPECT_THAT(notice, Not(HasSubstr("\r")));
}

TEST_F(JobDescriptionTest, UnknownMembersAndCommentsPassThrough) {
    const std::string analysis = R"({
   // written by the analysis script
   "image_height" : "1080",
   "image_width" : "1920",
   "is_region" : "false",
   "missing_file" : [ { "path" : "C:\\gone.jpg" } ],
   "renderer_full_name" : "V_Ray_6",
   "same_file" : [],
   "vray_setting" : { "gi_irradmap_preset" : "2" },
   "corona_setting" : { "pass_limit" : "0" },
   "dupl_cameras" : [ { "name" : "Cam" } ],
   "gamma_out" : "2.2",
   "version" : "24000",
   "zz_future" : { "deep" : { "list" : [ true, null, 1.5, "x" ] } }
})";
    Json::Value job = WriteAndRead(analysis);
    Json::Value source = Parse(analysis);
    for (const char* key : {"image_height", "image_width", "is_region", "missing_file",
                            "renderer_full_name", "same_file", "vray_setting", "corona_setting",
                            "dupl_cameras", "gamma_out", "version", "zz_future"}) {
        EXPECT_EQ(job[key], source[key]) << key;
    }
    EXPECT_THAT(JobBytes(), HasSubstr("// written by the analysis script\r\n"));
    EXPECT_THAT(JobBytes(), HasSubstr("\"list\" : [ true, null, 1.5, \"x\" ]\r\n"));
}

TEST_F(JobDescriptionTest, NameIsReplacedByTheSubmittedScene) {
    settings.scenePath = "E:/\u5de5\u7a0b/shot1_copy.max";
    Json::Value job = WriteAndRead(kAnalysis);
    EXPECT_EQ(job["name"].asString(), "E:/\u5de5\u7a0b/shot1_copy.max");
    // Also when the analysis had no name at all.
    Json::Value bare = WriteAndRead("{}");
    EXPECT_EQ(bare["name"].asString(), "E:/\u5de5\u7a0b/shot1_copy.max");
}

TEST_F(JobDescriptionTest, StartAndEndFrameAreAddedAsNullWhenMissing) {
    Json::Value job = WriteAndRead(R"({ "end_frame" : "20" })");
    ASSERT_TRUE(job.isMember("start_frame"));
    EXPECT_TRUE(job["start_frame"].isNull());
    EXPECT_EQ(job["end_frame"], Json::Value("20"));
    Json::Value other = WriteAndRead(R"({ "start_frame" : "5" })");
    EXPECT_EQ(other["start_frame"], Json::Value("5"));
    ASSERT_TRUE(other.isMember("end_frame"));
    EXPECT_TRUE(other["end_frame"].isNull());
}

TEST_F(JobDescriptionTest, ErrorsAreRemovedOrAddedAsNull) {
    Json::Value with = WriteAndRead(R"({ "errors" : { "error_code" : [] } })");
    EXPECT_FALSE(with.isMember("errors"));
    Json::Value without = WriteAndRead("{}");
    ASSERT_TRUE(without.isMember("errors"));
    EXPECT_TRUE(without["errors"].isNull());
    Json::Value nullErrors = WriteAndRead(R"({ "errors" : null })");
    ASSERT_TRUE(nullErrors.isMember("errors"));
    EXPECT_TRUE(nullErrors["errors"].isNull());
}

TEST_F(JobDescriptionTest, SelectedCamerasInCodeUnitOrder) {
    AddCamera(u"B", false);
    AddCamera(u"a", true);
    AddCamera(u"A", true);
    CameraInfo& a = state->cameras[u"a"];
    a.width = 800;
    a.height = 600;
    a.frameToRender = 12;
    a.imageFormat = u"PNG";
    a.outputName = u"a_out";
    a.isSpherical = true;
    Json::Value job = WriteAndRead(kAnalysis);
    const Json::Value& cameras = job["cameras"];
    ASSERT_TRUE(cameras.isArray());
    ASSERT_EQ(cameras.size(), 2u);
    EXPECT_EQ(cameras[0]["name"], Json::Value("A"));
    EXPECT_EQ(cameras[1]["name"], Json::Value("a"));
    const Json::Value& second = cameras[1];
    EXPECT_EQ(second["camera_width"], Json::Value(800));
    EXPECT_TRUE(second["camera_width"].isInt());
    EXPECT_EQ(second["camera_height"], Json::Value(600));
    EXPECT_EQ(second["frame_to_render"], Json::Value(12));
    EXPECT_EQ(second["img_output_format"], Json::Value("PNG"));
    EXPECT_EQ(second["img_output_name"], Json::Value("a_out"));
    EXPECT_EQ(second["renderable"], Json::Value("1"));
    EXPECT_EQ(second["is_spherical"], Json::Value(true));
    EXPECT_EQ(second.size(), 8u);
    EXPECT_EQ(cameras[0]["is_spherical"], Json::Value(false));
}

TEST_F(JobDescriptionTest, CameraNamesAreWrittenInUtf8) {
    AddCamera(u"\u6444\u50cf\u673a01", true);
    state->cameras[u"\u6444\u50cf\u673a01"].outputName = u"\u6444\u50cf\u673a01";
    Json::Value job = WriteAndRead(kAnalysis);
    EXPECT_EQ(job["cameras"][0]["name"].asString(), "\u6444\u50cf\u673a01");
    EXPECT_EQ(job["cameras"][0]["img_output_name"].asString(), "\u6444\u50cf\u673a01");
}

TEST_F(JobDescriptionTest, NoSelectedCameraLeavesTheMemberOutOrNull) {
    AddCamera(u"A", false);
    // The analysis listed cameras: the member is removed.
    Json::Value job = WriteAndRead(kAnalysis);
    EXPECT_FALSE(job.isMember("cameras"));
    // The analysis had none: the look-up leaves it as null.
    Json::Value bare = WriteAndRead("{}");
    ASSERT_TRUE(bare.isMember("cameras"));
    EXPECT_TRUE(bare["cameras"].isNull());
    // Selected cameras replace whatever the analysis listed.
    AddCamera(u"Z", true);
    Json::Value replaced = WriteAndRead(kAnalysis);
    ASSERT_EQ(replaced["cameras"].size(), 1u);
    EXPECT_EQ(replaced["cameras"][0]["name"], Json::Value("Z"));
}

TEST_F(JobDescriptionTest, ReferenceFileEqualToTheSceneIsDropped) {
    const std::string analysis = R"({ "reference_file" : [
        { "path" : "D:\\maps\\b.jpg" },
        { "path" : "D:\\scenes\\shot1.max" },
        { "path" : "D:\\maps\\a.jpg", "kind" : "bitmap" },
        { "path" : "d:\\scenes\\shot1.max" } ] })";
    Json::Value job = WriteAndRead(analysis);
    const Json::Value& files = job["reference_file"];
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0], Parse(R"({ "path" : "D:\\maps\\b.jpg" })"));
    EXPECT_EQ(files[1], Parse(R"({ "path" : "D:\\maps\\a.jpg" })"));
    // The comparison is byte-wise: another spelling of the scene stays.
    EXPECT_EQ(files[2], Parse(R"({ "path" : "d:\\scenes\\shot1.max" })"));
}

TEST_F(JobDescriptionTest, OnlyReferenceFileBeingTheSceneLeavesNoMember) {
    Json::Value job =
        WriteAndRead(R"({ "reference_file" : [ { "path" : "D:\\scenes\\shot1.max" } ] })");
    EXPECT_FALSE(job.isMember("reference_file"));
    Json::Value empty = WriteAndRead(R"({ "reference_file" : [] })");
    EXPECT_FALSE(empty.isMember("reference_file"));
    Json::Value none = WriteAndRead("{}");
    EXPECT_FALSE(none.isMember("reference_file"));
}

TEST_F(JobDescriptionTest, ReferenceFilesOfTheWrongTypeDoNotStopTheJob) {
    Json::Value job = WriteAndRead(
        R"({ "reference_file" : [ "plain", { "path" : 7 }, { "path" : "D:\\ok.jpg" } ] })");
    const Json::Value& files = job["reference_file"];
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0]["path"], Json::Value(""));
    EXPECT_EQ(files[1]["path"], Json::Value(""));
    EXPECT_EQ(files[2]["path"], Json::Value("D:\\ok.jpg"));
    EXPECT_THAT(DataLog(), HasSubstr("[WARN] A reference file of the analysis has no path text!"));

    Json::Value notList = WriteAndRead(R"({ "reference_file" : { "path" : "D:\\x.jpg" } })");
    EXPECT_FALSE(notList.isMember("reference_file"));
    EXPECT_THAT(DataLog(), HasSubstr("[WARN] The reference files of the analysis are not a list!"));
}

TEST_F(JobDescriptionTest, BlockSettings) {
    struct Case {
        int32_t blockMode;
        int32_t distributedCount;
        int enableBlocking;
        int blocks;
        int distributed;
    };
    for (const Case& c : {Case{1, 3, 0, 0, 0}, Case{4, 3, 1, 4, 0}, Case{1010, 3, 0, 0, 3},
                          Case{9, 0, 1, 9, 0}, Case{0, 5, 1, 0, 0}}) {
        state->blockMode = c.blockMode;
        state->distributedCount = c.distributedCount;
        Json::Value job = WriteAndRead(kAnalysis);
        EXPECT_EQ(job["enable_blocking"], Json::Value(c.enableBlocking)) << c.blockMode;
        EXPECT_EQ(job["num_blocks"], Json::Value(c.blocks)) << c.blockMode;
        EXPECT_EQ(job["distributed_render"], Json::Value(c.distributed)) << c.blockMode;
        EXPECT_TRUE(job["enable_blocking"].isInt());
        EXPECT_TRUE(job["num_blocks"].isInt());
        EXPECT_TRUE(job["distributed_render"].isInt());
    }
}

TEST_F(JobDescriptionTest, GiRatesAreLoweredByTheScaleIndexWhenGiIsOn) {
    state->irradmapPreset = 2;
    state->irradmapMinRate = -3;
    state->irradmapMaxRate = 0;
    settings.giScaleIndex = 1;
    settings.giScaleText = "50%";
    state->giChannel = true;
    Json::Value on = WriteAndRead(kAnalysis)["max_options"];
    EXPECT_EQ(on["gi_irradmap_minRate"], Json::Value(-4));
    EXPECT_EQ(on["gi_irradmap_maxRate"], Json::Value(-1));
    EXPECT_EQ(on["gi_irradmap_preset"], Json::Value(2));
    EXPECT_EQ(on["gi_image_scale"], Json::Value("50%"));
    EXPECT_EQ(on["gi_channel"], Json::Value("1"));

    state->giChannel = false;
    Json::Value off = WriteAndRead(kAnalysis)["max_options"];
    EXPECT_EQ(off["gi_irradmap_minRate"], Json::Value(-3));
    EXPECT_EQ(off["gi_irradmap_maxRate"], Json::Value(0));
    EXPECT_FALSE(off.isMember("gi_image_scale"));
    EXPECT_EQ(off["gi_channel"], Json::Value("0"));
}

TEST_F(JobDescriptionTest, GiScaleQuarterLowersByThree) {
    state->giChannel = true;
    state->irradmapMinRate = -1;
    state->irradmapMaxRate = 2;
    settings.giScaleIndex = 3;
    settings.giScaleText = "25%";
    Json::Value options = WriteAndRead(kAnalysis)["max_options"];
    EXPECT_EQ(options["gi_irradmap_minRate"], Json::Value(-4));
    EXPECT_EQ(options["gi_irradmap_maxRate"], Json::Value(-1));
    EXPECT_EQ(options["gi_image_scale"], Json::Value("25%"));
}

TEST_F(JobDescriptionTest, RenderOptions) {
    state->colorChannel = false;
    state->aoChannel = true;
    state->aoRadius = 250.5;
    state->aoSubdivs = 8;
    state->gammaOut = 1.0f;
    state->materialChannel = true;
    state->psdChannel = true;
    ASSERT_TRUE(Write(kAnalysis));
    Json::Value options = Job()["max_options"];
    EXPECT_EQ(options["color_channel"], Json::Value(false));
    EXPECT_EQ(options["ao_channel"], Json::Value(true));
    EXPECT_EQ(options["ao_radius"], Json::Value(250.5));
    EXPECT_EQ(options["ao_subdivs"], Json::Value(8));
    EXPECT_EQ(options["gamma_out"], Json::Value(1.0));
    EXPECT_EQ(options["mtl_channel"], Json::Value(true));
    EXPECT_EQ(options["psd_channel"], Json::Value("1"));
    EXPECT_THAT(JobBytes(), HasSubstr("      \"ao_radius\" : 250.5,\r\n"));
    EXPECT_THAT(JobBytes(), HasSubstr("      \"gamma_out\" : 1.0,\r\n"));

    state->aoChannel = false;
    Json::Value noAo = WriteAndRead(kAnalysis)["max_options"];
    EXPECT_EQ(noAo["ao_channel"], Json::Value(false));
    EXPECT_FALSE(noAo.isMember("ao_radius"));
    EXPECT_FALSE(noAo.isMember("ao_subdivs"));
}

TEST_F(JobDescriptionTest, AnalysisMaxOptionsAreReplaced) {
    Json::Value job = WriteAndRead(R"({ "max_options" : { "stale" : 1 } })");
    EXPECT_FALSE(job["max_options"].isMember("stale"));
    EXPECT_TRUE(job["max_options"].isMember("color_channel"));
}

TEST_F(JobDescriptionTest, CoronaLimitsOnlyWithCorona) {
    state->coronaNoiseLimit = 5;
    state->coronaPassLimit = 30;
    state->coronaTimeSeconds = 5400;
    Json::Value without = WriteAndRead(kAnalysis);
    EXPECT_FALSE(without.isMember("corona_options"));

    state->useCorona = true;
    ASSERT_TRUE(Write(kAnalysis));
    Json::Value corona = Job()["corona_options"];
    EXPECT_DOUBLE_EQ(corona["CoronaNoiseLevelLimit"].asDouble(), 0.05);
    EXPECT_EQ(corona["CoronaPassLimit"], Json::Value(30));
    EXPECT_EQ(corona["CoronaTimeLimit"], Json::Value(5400));
    EXPECT_EQ(corona["useCorona"], Json::Value(true));
    EXPECT_THAT(JobBytes(), HasSubstr(WithCrLf(R"(   "corona_options" : {
      "CoronaNoiseLevelLimit" : 0.050000000000000003,
      "CoronaPassLimit" : 30,
      "CoronaTimeLimit" : 5400,
      "useCorona" : true
   },
)")));
}

TEST_F(JobDescriptionTest, MaxVersionFollowsTheAnalysis) {
    ASSERT_TRUE(Write(R"({ "app_version" : "2022" })"));
    EXPECT_EQ(Parse(notice)["maxVersion"], Json::Value("3ds Max 2022"));
    ASSERT_TRUE(Write("{}"));
    EXPECT_EQ(Parse(notice)["maxVersion"], Json::Value("3ds Max "));
    ASSERT_TRUE(Write(R"({ "app_version" : 2023 })"));
    EXPECT_EQ(Parse(notice)["maxVersion"], Json::Value("3ds Max 2023"));
    ASSERT_TRUE(Write(R"({ "app_version" : [ "2022" ] })"));
    EXPECT_EQ(Parse(notice)["maxVersion"], Json::Value("3ds Max "));
}

TEST_F(JobDescriptionTest, JsonFolderIsCreatedOneLevel) {
    ASSERT_FALSE(root.Exists("ZEP Rendering/json"));
    ASSERT_TRUE(Write(kAnalysis));
    EXPECT_TRUE(root.Exists(JobFile()));
}

TEST_F(JobDescriptionTest, ExistingJobFileIsReplacedAndNoTemporaryFileStays) {
    root.WriteFile(JobFile(), std::string(5000, 'x'));
    ASSERT_TRUE(Write(kAnalysis));
    EXPECT_THAT(JobBytes(), testing::StartsWith("{\r\n"));
    EXPECT_THAT(JobBytes(), EndsWith("}\r\n"));
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(root.Path() / "ZEP Rendering" / "json")) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(JobDescriptionTest, UnparsableAnalysisShowsTheBoxAndLogs) {
    notice = "previous";
    EXPECT_FALSE(Write("{ \"name\" : "));
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, Dialog());
    EXPECT_EQ(boxes[0].text, u"{42}");
    EXPECT_EQ(boxes[0].caption, u"{49}");
    EXPECT_EQ(boxes[0].type, win::kMbOk);
    EXPECT_EQ(boxes[0].language, 1033);
    EXPECT_THAT(DataLog(),
                EndsWith(" [ERROR] Parse failed in writing json file when submiting!\r\n"));
    EXPECT_EQ(notice, "previous");
    EXPECT_EQ(settings.jsonFolder, jsonFolder);
    EXPECT_FALSE(root.Exists("ZEP Rendering/json"));
}

TEST_F(JobDescriptionTest, EmptyOrNonObjectAnalysisCountsAsUnparsable) {
    for (const char* text : {"", "[ 1, 2 ]", "\"text\"", "12"}) {
        EXPECT_FALSE(Write(text)) << text;
        EXPECT_EQ(win::TakeMessageBoxes().size(), 1u) << text;
        EXPECT_THAT(DataLog(),
                    EndsWith(" [ERROR] Parse failed in writing json file when submiting!\r\n"));
    }
}

TEST_F(JobDescriptionTest, FolderThatCannotBeCreatedShowsTheBoxAndLogs) {
    jsonFolder = root.Wide("no/such/parent/json");
    notice = "previous";
    EXPECT_FALSE(Write(kAnalysis));
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, Dialog());
    EXPECT_EQ(boxes[0].text, u"{42}");
    EXPECT_EQ(boxes[0].caption, u"{49}");
    EXPECT_EQ(boxes[0].type, win::kMbOk);
    EXPECT_EQ(boxes[0].language, 1033);
    EXPECT_THAT(DataLog(), EndsWith(" [ERROR] Open json file failed when write it!\r\n"));
    EXPECT_EQ(notice, "previous");
    EXPECT_EQ(settings.jsonFolder, jsonFolder);
    EXPECT_FALSE(root.Exists("no"));
}

TEST_F(JobDescriptionTest, FolderThatIsAFileShowsTheBoxAndLogs) {
    root.WriteFile("ZEP Rendering/json", "not a folder");
    EXPECT_FALSE(Write(kAnalysis));
    EXPECT_EQ(win::TakeMessageBoxes().size(), 1u);
    EXPECT_THAT(DataLog(), EndsWith(" [ERROR] Open json file failed when write it!\r\n"));
    EXPECT_EQ(root.ReadFile("ZEP Rendering/json"), "not a folder");
}

TEST_F(JobDescriptionTest, BoxLanguageFollowsTheMarker) {
    ::setenv("ZEP_LANGUAGE", "zh-CN", 1);
    SetResourceModule(reinterpret_cast<void*>(1));
    EXPECT_FALSE(Write("not json"));
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].language, 1);
    EXPECT_EQ(boxes[0].caption, ResourceText(49));
    EXPECT_EQ(boxes[0].text, ResourceText(42));
}

}  // namespace
