#include "workflow/dialog_submission_host.h"

#include <maxapi.h>

#include <chrono>
#include <thread>

#include "platform/win/controls.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "scene/plugin_state.h"
#include "ui/dialog_ui.h"
#include "workflow/submission_events.h"
#include "workflow/virus_check.h"

namespace {

constexpr int kTextUnits = 260;

}  // namespace

pmx_Logger& DialogSubmissionHost::UiLog() {
    return GetDialogUi().logger;
}

SubmissionChoices DialogSubmissionHost::ReadChoices() {
    auto text = [this](int control) { return win::GetDlgItemText(dialog_, control, kTextUnits); };
    auto checked = [this](int control) { return win::IsDlgButtonChecked(dialog_, control); };
    SubmissionChoices choices;
    choices.coronaPassesText = text(IDC_EDIT_ITERATIONS);
    choices.coronaHoursText = text(IDC_EDIT_DURATION);
    choices.coronaNoiseText = text(IDC_EDIT_NOISE_LEVEL);
    choices.colorChannel = checked(IDC_CHECK_COLOR);
    choices.aoChannel = checked(IDC_CHECK_AO);
    choices.aoRadiusText = text(IDC_EDIT_AO_RADIUS);
    choices.aoSubdivsText = text(IDC_EDIT_AO_SUBDIVS);
    choices.materialChannel = checked(IDC_CHECK_MATERIAL);
    choices.giChannel = checked(IDC_CHECK_GI);
    choices.giScaleIndex = win::GetComboSelection(win::GetDlgItem(dialog_, IDC_COMBO_GI_SIZE));
    choices.psdChannel = checked(IDC_CHECK_PSD);
    choices.gammaText = text(IDC_EDIT_OUTPUT_GAMMA);
    choices.saveSceneFile = checked(IDC_SAVE_SCENE_FILE);
    return choices;
}

std::vector<CameraRow> DialogSubmissionHost::CameraRows() {
    return CameraTableRows(dialog_);
}

std::vector<CameraRow> CameraTableRows(HWND dialog) {
    HWND list = win::GetDlgItem(dialog, IDC_CAMERA_LIST);
    std::vector<CameraRow> rows;
    int count = win::GetListViewItemCount(list);
    for (int row = 0; row < count; ++row) {
        CameraRow camera;
        camera.name = win::GetListViewItemText(list, row, 0, kTextUnits);
        camera.stateImage =
            static_cast<int32_t>(win::GetListViewItemState(list, row, LVIS_STATEIMAGEMASK) >> 12);
        rows.push_back(camera);
    }
    return rows;
}

std::u16string DialogSubmissionHost::SceneNameFieldText() {
    return win::GetDlgItemText(dialog_, IDC_SCENE_NAME, kTextUnits);
}

void DialogSubmissionHost::ShowSceneName(const std::u16string& name) {
    win::SetDlgItemText(dialog_, IDC_SCENE_NAME, name);
}

unsigned DialogSubmissionHost::CleanSceneBox() {
    return win::IsDlgButtonChecked(dialog_, IDC_CLEAN_SCENE);
}

void DialogSubmissionHost::EndDialog() {
    win::EndDialog(dialog_, 0);
}

std::u16string DialogSubmissionHost::CurrentSceneFileName() {
    Interface* core = GetCOREInterface();
    return core != nullptr ? std::u16string(core->GetCurFileName().data()) : std::u16string();
}

std::u16string DialogSubmissionHost::CurrentSceneFilePath() {
    Interface* core = GetCOREInterface();
    return core != nullptr ? std::u16string(core->GetCurFilePath().data()) : std::u16string();
}

bool DialogSubmissionHost::SaveSceneAs(const std::u16string& path) {
    Interface* core = GetCOREInterface();
    return core != nullptr && core->SaveToFile(path.c_str(), TRUE) != FALSE;
}

void DialogSubmissionHost::RunVirusCheckScripts(const PluginSettings& settings) {
    ::RunVirusCheckScripts(settings);
}

void DialogSubmissionHost::PauseAfterArchive() {
    std::this_thread::sleep_for(std::chrono::seconds(1));
}

void DialogSubmissionHost::StepBegins(const char* step) {
    ReportSubmissionStep(step);
}
