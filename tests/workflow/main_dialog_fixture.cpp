#include "tests/workflow/main_dialog_fixture.h"

#include <json/reader.h>
#include <json/writer.h>

#include <filesystem>
#include <fstream>

#include "config/config_mgr.h"
#include "host/simulated_host.h"
#include "platform/headless/events.h"
#include "platform/profile.h"
#include "resources/resource.h"
#include "tests/support/plugin_language.h"
#include "tests/support/temp_root.h"
#include "text/conversions.h"
#include "ui/dialog_ui.h"
#include "workflow/main_dialog.h"

namespace {

namespace fs = std::filesystem;

// One data folder for the program: the plug-in's loggers open theirs once per process.
class DataFolderEnvironment : public ::testing::Environment {
public:
    void SetUp() override { root = std::make_unique<testing_support::TempRoot>(); }
    void TearDown() override { root.reset(); }
    static inline std::unique_ptr<testing_support::TempRoot> root;
};

::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new DataFolderEnvironment);

std::string g_analysis;

bool SaveScene(const std::u16string& path) {
    if (path == maxsim::CurrentScenePath()) {
        return true;
    }
    std::error_code error;
    return fs::copy_file(ToUtf8(maxsim::CurrentScenePath()), ToUtf8(path),
                         fs::copy_options::overwrite_existing, error);
}

}  // namespace

BOOL MainDialogTest::AnalysisScript(const std::u16string& script, FPValue*) {
    std::u16string path;
    if (maxsim::AnalysisResultPath(script, path)) {
        std::ofstream(ToUtf8(path), std::ios::binary) << g_analysis;
    }
    return 1;
}

void MainDialogTest::SetUp() {
    testing_support::UsePluginLanguage("ids");
    fs::path data = DataFolderEnvironment::root->Path() / "ZEP Rendering";
    fs::remove_all(data / "script");
    fs::create_directories(data / "script");
    fs::create_directories(data / "json");
    SetSetting("lowerversion", "1.3.7");
    SetSetting("port", "1");

    PluginState& state = GetPluginState();
    state.cameras.clear();
    state.warnings.clear();
    state.problems.clear();
    state.notices.clear();
    state.blockMode = 1;
    state.batchEdit = 0;
    state.referenceFileIllegal = false;
    DialogUi& ui = GetDialogUi();
    ui.editList.clear();
    ui.problemList.clear();

    maxsim::ResetHost();
    maxsim::SetScriptRunner(AnalysisScript);
    maxsim::SetSceneSaver(SaveScene);
    SetScene("shot1.max");
    win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
    win::ClearMessageBoxAnswers();
    win::TakeMessageBoxes();
}

void MainDialogTest::TearDown() {
    win::headless::ClearQueuedInput();
}

Json::Value MainDialogTest::Analysis(const std::vector<std::string>& cameras) {
    Json::Value analysis;
    Json::Reader().parse(R"({ "app_version" : "2022", "image_width" : "1920",
        "image_height" : "1080", "image_format" : "png", "gamma_out" : "2.2",
        "is_region" : "false", "start_frame" : "0", "end_frame" : "0",
        "renderer_full_name" : "V_Ray 6.00.04", "version" : "24000", "cameras" : [] })",
                         analysis);
    analysis["name"] = DataFolder() + "/../scenes/shot1.max";
    for (const std::string& name : cameras) {
        analysis["cameras"].append(Json::Value(Json::objectValue))["name"] = name;
    }
    return analysis;
}

void MainDialogTest::MakeCorona(Json::Value& analysis, const char* passes, const char* milliseconds,
                                const char* noise) {
    analysis["renderer_full_name"] = "Corona 9";
    analysis["corona_setting"]["pass_limit"] = passes;
    analysis["corona_setting"]["time_limit"] = milliseconds;
    analysis["corona_setting"]["noise_level_limit"] = noise;
}

INT_PTR MainDialogTest::Open(const Json::Value& analysis) {
    Json::StreamWriterBuilder builder;
    builder["emitUTF8"] = true;
    g_analysis = Json::writeString(builder, analysis);
    INT_PTR result = -100;
    opened.clear();
    win::headless::SetEventObserver([this, &result](const win::headless::WindowEvent& event) {
        using Type = win::headless::WindowEvent::Type;
        if (event.type == Type::DialogOpened) {
            opened.push_back(event.dialogId);
        } else if (event.type == Type::DialogEnded && event.dialogId == IDD_MAIN) {
            result = event.result;
        }
    });
    ShowMainDialog(GetZEPRenderingConfigMgr());
    win::headless::SetEventObserver(nullptr);
    for (const std::string& failure : user.Failures()) {
        ADD_FAILURE() << "driver: " << failure;
    }
    return result;
}

void MainDialogTest::SetSetting(const std::string& key, const std::string& value) {
    os::WritePrivateProfileString(u"general", FromUtf8(key), FromUtf8(value),
                                  FromUtf8(DataFolder() + "/script/pmx_plugin.ini"));
}

std::string MainDialogTest::DataFolder() {
    return (DataFolderEnvironment::root->Path() / "ZEP Rendering").string();
}

std::string MainDialogTest::DataLog() {
    std::ifstream in(DataFolder() + "/log1.3.7/pmx_data.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void MainDialogTest::SetScene(const std::string& fileName) {
    fs::path scene = DataFolderEnvironment::root->Path() / "scenes" / fs::u8path(fileName);
    fs::create_directories(scene.parent_path());
    if (!fileName.empty()) {
        std::ofstream(scene, std::ios::binary) << "scene";
    }
    maxsim::SetCurrentScene(fileName.empty() ? u"" : FromUtf8(scene.string()));
}

std::vector<std::string> MainDialogTest::Boxes() {
    std::vector<std::string> boxes;
    for (const win::RecordedMessageBox& box : win::TakeMessageBoxes()) {
        std::string answer = box.answer == win::kIdOk       ? "OK"
                             : box.answer == win::kIdCancel ? "Cancel"
                             : box.answer == win::kIdYes    ? "Yes"
                                                            : "No";
        boxes.push_back(ToUtf8(box.text) + "/" + ToUtf8(box.caption) + "/" + answer);
    }
    return boxes;
}
