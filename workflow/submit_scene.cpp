#include "workflow/submit_scene.h"

#include <algorithm>

#include "client/client_link.h"
#include "client/request_id.h"
#include "config/client_login.h"
#include "log/operation_failures.h"
#include "packaging/scene_archive.h"
#include "packaging/scene_backup.h"
#include "platform/files.h"
#include "resources/message_box.h"
#include "resources/string_loader.h"
#include "scene/job_description.h"
#include "text/conversions.h"
#include "workflow/corona_check.h"
#include "workflow/progress_requests.h"

namespace {

constexpr size_t kScenePathUnits = 259;

// One run of SubmitScene: its host, texts and report.
class Submission {
public:
    Submission(SubmissionHost& host, const std::u16string& caption,
               const std::u16string& languageMarker, SubmissionReport& report)
        : host_(host), caption_(caption), marker_(languageMarker), report_(report) {}

    int32_t Run();

private:
    int Box(int stringId, unsigned type) {
        return PluginMessageBox(host_.Dialog(), ResourceText(stringId), caption_, type, marker_);
    }
    // Closes the progress window, shows the string (when there is one) and records the stop.
    int32_t Stop(const char* step, int stringId = 0) {
        CloseProgress();
        if (stringId != 0) {
            Box(stringId, win::kMbOk);
        }
        report_.stoppedAt = step;
        return 0;
    }
    bool ConfirmCameraSelection();
    bool PrepareOutputFolder(PluginSettings& settings, const std::string& scenePath);
    void CleanScene(const PluginSettings& settings);

    SubmissionHost& host_;
    const std::u16string& caption_;
    const std::u16string& marker_;
    SubmissionReport& report_;
    PluginState& state_ = GetPluginState();
};

bool Submission::ConfirmCameraSelection() {
    std::vector<std::u16string> invalidNames;
    int32_t result = ValidateCameraSelection(host_.UiLog(), invalidNames, host_.CameraRows(),
                                             state_.cameras, false);
    if (result == kSelectionInvalidName) {
        Stop("camera names", IDS_INVALID_CAMERA_NAME);
        return false;
    }
    if (result == kSelectionNothingChecked) {
        HideProgress(true);
        if (Box(IDS_NO_CAMERA_TICKED, win::kMbOkCancel) != win::kIdOk) {
            CloseProgress();
            report_.stoppedAt = "camera selection";
            return false;
        }
        HideProgress(false);
    }
    return true;
}

// The output folder lies beside the scene file and is named after the scene: shot1.max gives
// shot1.max_plugin_output, with its json and compress sub-folders.
bool Submission::PrepareOutputFolder(PluginSettings& settings, const std::string& scenePath) {
    size_t backSlash = scenePath.rfind('\\');
    size_t slash = scenePath.rfind('/');
    size_t separator = backSlash == std::string::npos ? slash
                       : slash == std::string::npos   ? backSlash
                                                      : std::max(backSlash, slash);
    if (separator == std::string::npos) {
        return false;
    }
    std::u16string folder =
        FromUtf8(scenePath.substr(0, separator + 1) + state_.currentSceneName + "_plugin_output");
    CreateFolderLogged(state_.log, folder);
    settings.jsonFolder = folder + u"/json";
    settings.archiveFolder = folder + u"/compress";
    report_.outputFolder = folder;
    return true;
}

void Submission::CleanScene(const PluginSettings& settings) {
    std::u16string backup;
    BackupSceneFile(state_, backup);
    report_.backupPath = backup;
    host_.RunVirusCheckScripts(settings);
    if (!backup.empty()) {
        DeleteFileLogged(state_.log, backup);
    }
}

int32_t Submission::Run() {
    SubmissionChoices choices = host_.ReadChoices();
    host_.StepBegins("corona limits");
    ApplyCoronaLimits(state_, choices);
    host_.StepBegins("camera selection");
    if (!ConfirmCameraSelection()) {
        return 0;
    }
    if (!ConfirmCoronaLimits(host_.Dialog())) {
        report_.stoppedAt = "corona limits";
        return 0;
    }
    host_.StepBegins("render channels");
    ApplyRenderChannels(state_, choices);

    host_.StepBegins("scene name");
    std::string name = SceneNameFromFieldText(host_.UiLog(), host_.SceneNameFieldText());
    if (!IsAcceptableSceneNameUtf8(name)) {
        Stop("scene name", IDS_SCENE_NAME_REFUSED);
        host_.EndDialog();
        return 0;
    }
    host_.StepBegins("scene file");
    std::string scenePath = ResolveSceneFile(state_, host_, name);
    if (scenePath.empty()) {
        return Stop("scene file", IDS_SCENE_FILE_UNKNOWN);
    }
    host_.StepBegins("request id");
    std::u16string requestId = NewRequestId();
    if (requestId.empty()) {
        return Stop("request id");
    }
    report_.requestId = requestId;

    host_.StepBegins("output folder");
    PluginSettings settings;
    ReadPluginSettings(state_.log, settings);
    settings.scenePath = scenePath;
    ApplyGiScale(settings, choices);
    settings.host = u"127.0.0.1";
    if (!PrepareOutputFolder(settings, scenePath)) {
        return Stop("output folder", IDS_SCENE_FILE_UNKNOWN);
    }
    if (host_.CleanSceneBox() == 1) {
        host_.StepBegins("backup and cleaning");
        CleanScene(settings);
    }

    host_.StepBegins("archive");
    ClientLogin login;
    ReadClientLogin(login);
    bool archivable = BuildArchiveCommand(std::string(), settings, login);
    report_.archivePath = settings.archivePath;
    if (!archivable) {
        Stop("archive", IDS_SCENE_NAME_REFUSED);
        host_.EndDialog();
        return 0;
    }
    RunArchiver(settings);
    host_.PauseAfterArchive();

    host_.StepBegins("job description");
    std::string notice;
    if (!WriteJobDescription(state_, host_.Dialog(), choices.saveSceneFile, settings, requestId,
                             notice)) {
        return Stop("job description");
    }
    report_.jobFile = settings.jsonFolder;
    host_.StepBegins("send");
    report_.sent = true;
    int32_t result = SendToClient(settings, notice, host_.Dialog(), CloseProgress);
    if (result == 10001) {
        host_.EndDialog();
    }
    return result;
}

}  // namespace

std::string ResolveSceneFile(PluginState& state, SubmissionHost& host, std::string name) {
    std::string fileName = ToUtf8(host.CurrentSceneFileName());
    std::string path = ToUtf8(host.CurrentSceneFilePath());
    if (state.analysedScenePath.empty()) {
        state.analysedScenePath = path;
    }
    if (path.empty()) {
        return {};
    }
    state.currentSceneName = fileName;
    if (name.empty()) {
        std::u16string shown = FromUtf8(fileName);
        host.ShowSceneName(shown.substr(0, shown.size() >= 4 ? shown.size() - 4 : 0));
        name = fileName;
    }
    if (name == state.currentSceneName) {
        return path;
    }
    state.currentSceneName = name;
    size_t separator = path.rfind('/');
    if (separator == std::string::npos) {
        separator = path.rfind('\\');
    }
    if (separator == std::string::npos) {
        return {};
    }
    std::string newPath = path.substr(0, separator + 1) + name;
    std::u16string widePath = FromUtf8(newPath).substr(0, kScenePathUnits);
    return host.SaveSceneAs(widePath) ? newPath : std::string();
}

int32_t SubmitScene(SubmissionHost& host, const std::u16string& caption,
                    const std::u16string& languageMarker, SubmissionReport& report) {
    return Submission(host, caption, languageMarker, report).Run();
}
