#include "tests/ui/ui_fixture.h"

#include <filesystem>
#include <sstream>

#include "tests/support/environment.h"
#include "tests/support/plugin_language.h"
#include "tests/support/temp_root.h"
#include "tests/win/dialog_probe.h"
#include "ui/dialog_ui.h"

namespace {

// One data folder for the whole program, set before the dialog layer's logger is made.
class DataFolderEnvironment : public ::testing::Environment {
public:
    // The data folder as the farm client installs it, so that the log folder can be made.
    void SetUp() override {
        root_ = std::make_unique<testing_support::TempRoot>();
        std::filesystem::create_directories(root_->Path() / "ZEP Rendering");
    }
    void TearDown() override { root_.reset(); }
    static std::string UiLog() {
        return root_->Exists("ZEP Rendering/log/pmx_ui.log")
                   ? root_->ReadFile("ZEP Rendering/log/pmx_ui.log")
                   : std::string();
    }

private:
    static inline std::unique_ptr<testing_support::TempRoot> root_;
};

::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new DataFolderEnvironment);

size_t g_logOffset = 0;

}  // namespace

void UiTest::SetUp() {
    testing_support::UsePluginLanguage("en");
    PluginState& state = GetPluginState();
    state.cameras.clear();
    state.nameDialogControls.clear();
    state.batchEdit = 0;
    state.hideProgress = false;
    state.closeProgress = false;
    state.progressRunState = -1;
    DialogUi& ui = GetDialogUi();
    ui.editList.clear();
    ui.problemList.clear();
    ui.SetUpdating(false);
    win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
    win::ClearMessageBoxAnswers();
    win::TakeMessageBoxes();
    NewUiLogLines();
}

HINSTANCE UiTest::Module() {
    return static_cast<HINSTANCE>(testing_support::TestResourceModule());
}

void UiTest::InDialog(int templateId, const std::function<void(HWND)>& body) {
    DialogProbe probe;
    win::headless::Driver().Do(body).Command(IDCANCEL);
    probe.RunTemplate(Module(), templateId);
}

std::vector<std::string> UiTest::NewUiLogLines() {
    std::string text = DataFolderEnvironment::UiLog();
    std::vector<std::string> lines;
    if (text.size() < g_logOffset) {
        g_logOffset = 0;
    }
    std::istringstream added(text.substr(g_logOffset));
    g_logOffset = text.size();
    for (std::string line; std::getline(added, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        // Without the time stamp: "[LEVEL] message".
        size_t bracket = line.find(" [");
        lines.push_back(bracket == std::string::npos ? line : line.substr(bracket + 1));
    }
    return lines;
}

std::vector<std::u16string> UiTest::BoxTexts() {
    std::vector<std::u16string> texts;
    for (const win::RecordedMessageBox& box : win::TakeMessageBoxes()) {
        texts.push_back(box.text);
    }
    return texts;
}

CameraInfo UiTest::Camera(int width, int height, const std::u16string& outputName,
                          const std::u16string& format) {
    return {.width = width, .height = height, .imageFormat = format, .outputName = outputName};
}
