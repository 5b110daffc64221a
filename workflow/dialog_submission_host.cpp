#include "workflow/dialog_submission_host.h"

#include <maxapi.h>

#include <chrono>
#include <thread>

#include "platform/win/controls.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "scene/plugin_state.h"
#include "ui/dialog_ui.h"
#include "workflow/host_text.h"
#include "workflow/host_thread.h"
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

// Each host call below runs on the dialog's thread, the host's, while the worker waits.

std::u16string DialogSubmissionHost::CurrentSceneFileName() {
    std::u16string name;
    CallOnHostThread(dialog_, [&name] {
        Interface* core = GetCOREInterface();
        name = core != nullptr ? FromHostText(core->GetCurFileName()) : std::u16string();
    });
    return name;
}

std::u16string DialogSubmissionHost::CurrentSceneFilePath() {
    std::u16string path;
    CallOnHostThread(dialog_, [&path] {
        Interface* core = GetCOREInterface();
        path = core != nullptr ? FromHostText(core->GetCurFilePath()) : std::u16string();
    });
    return path;
}

bool DialogSubmissionHost::SaveSceneAs(const std::u16string& path) {
    bool saved = false;
    CallOnHostThread(dialog_, [&saved, &path] {
        Interface* core = GetCOREInterface();
        saved = core != nullptr && core->SaveToFile(ToHostText(path), TRUE) != 0;
    });
    return saved;
}

void DialogSubmissionHost::RunVirusCheckScripts(const PluginSettings& settings) {
    CallOnHostThread(dialog_, [&settings] { ::RunVirusCheckScripts(settings); });
}

void DialogSubmissionHost::PauseAfterArchive() {
    std::this_thread::sleep_for(std::chrono::seconds(1));
}

void DialogSubmissionHost::StepBegins(const char* step) {
    ReportSubmissionStep(step);
}
