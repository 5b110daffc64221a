#include "tools/zep-submit/headless_host.h"

#include <chrono>
#include <ostream>
#include <thread>

#include "platform/files.h"
#include "platform/win/message_box.h"
#include "scene/plugin_state.h"
#include "text/conversions.h"
#include "tools/zep-submit/analysis_session.h"

HeadlessHost::HeadlessHost(pmx_Logger& uiLog, SubmissionChoices choices,
                           const std::string& scenePathUtf8, std::u16string sceneNameField,
                           bool cleanScene, std::ostream* progress)
    : uiLog_(uiLog),
      choices_(std::move(choices)),
      scenePath_(FromUtf8(scenePathUtf8)),
      sceneNameField_(std::move(sceneNameField)),
      cleanScene_(cleanScene),
      progress_(progress) {}

std::vector<CameraRow> HeadlessHost::CameraRows() {
    std::vector<CameraRow> rows;
    for (const auto& [name, camera] : GetPluginState().cameras) {
        rows.push_back(CameraRow{name, camera.selected ? 2 : 1});
    }
    return rows;
}

std::u16string HeadlessHost::CurrentSceneFileName() {
    size_t separator = scenePath_.find_last_of(u"/\\");
    return separator == std::u16string::npos ? scenePath_ : scenePath_.substr(separator + 1);
}

bool HeadlessHost::SaveSceneAs(const std::u16string& path) {
    if (!os::CopyFile(scenePath_, path)) {
        return false;
    }
    scenePath_ = path;
    return true;
}

void HeadlessHost::RunVirusCheckScripts(const PluginSettings&) {
    if (progress_ != nullptr) {
        *progress_ << "  cleaning scripts skipped: they run inside 3ds Max\n";
    }
}

void HeadlessHost::PauseAfterArchive() {
    std::this_thread::sleep_for(std::chrono::seconds(1));
}

void HeadlessHost::StepBegins(const char* step) {
    PrintMessages();
    if (progress_ != nullptr) {
        *progress_ << "- " << step << "\n";
    }
}

void HeadlessHost::PrintMessages() {
    if (progress_ != nullptr) {
        ::PrintMessages(*progress_);
    }
}
