// The main dialog's procedure: opening, the commands of its buttons and fields, the steppers,
// the camera table's clicks, the camera settings coming back, submitting and closing.
#include "workflow/main_dialog.h"

#include <maxapi.h>
#include <winutil.h>

#include <thread>
#include <utility>

#include "log/guarded_call.h"
#include "log/operation_failures.h"
#include "platform/last_error.h"
#include "platform/standard_output.h"
#include "platform/tcp_socket.h"
#include "platform/win/controls.h"
#include "platform/win/thread_language.h"
#include "platform/win/window.h"
#include "resources/message_box.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "scene/character_classes.h"
#include "scene/selection_checks.h"
#include "text/conversions.h"
#include "ui/camera_settings_dialog.h"
#include "ui/dialog_ui.h"
#include "ui/progress_dialog.h"
#include "workflow/host_text.h"
#include "workflow/host_thread.h"
#include "workflow/main_dialog_setup.h"
#include "workflow/progress_requests.h"
#include "workflow/submission_events.h"
#include "workflow/submit_worker.h"

namespace {

constexpr int kTextUnits = 260;
constexpr int32_t kThreadFinished = 11;

struct Stepper {
    int upDown;
    int field;
    float step;
    float minimum;
    float maximum;
};

constexpr Stepper kSteppers[] = {
    {IDC_SPIN_OUTPUT_GAMMA, IDC_EDIT_OUTPUT_GAMMA, 0.1f, 0.1f, 5.0f},
    {IDC_SPIN_AO_RADIUS, IDC_EDIT_AO_RADIUS, 0.1f, 10.0f, 1000000000.0f},
    {IDC_SPIN_DISTRIBUTED, IDC_EDIT_DISTRIBUTED, 1.0f, 2.0f, 10.0f},
    {IDC_SPIN_DURATION, IDC_EDIT_DURATION, 0.1f, 0.0f, 239.0f},
    {IDC_SPIN_NOISE_LEVEL, IDC_EDIT_NOISE_LEVEL, 0.1f, 0.0f, 100.0f},
};

// The tick marks of the table go into the cameras' selected flags.
void CopyTicksToCameras(HWND dialog) {
    HWND list = win::GetDlgItem(dialog, IDC_CAMERA_LIST);
    CameraMap& cameras = GetPluginState().cameras;
    for (int row = 0; row < win::GetListViewItemCount(list); ++row) {
        std::u16string name = win::GetListViewItemText(list, row, 0, kTextUnits);
        cameras[name].selected =
            (win::GetListViewItemState(list, row, LVIS_STATEIMAGEMASK) >> 12) == 2;
    }
}

// "Edit Selected" edits two or more selected rows; it follows the table's selection.
void FollowSelectionWithEditButton(HWND dialog) {
    HWND list = win::GetDlgItem(dialog, IDC_CAMERA_LIST);
    EnableControls(dialog, {IDC_EDIT_CAMERAS}, win::GetListViewSelectedCount(list) > 1);
}

void OpenCameraSettings(HWND dialog) {
    ShowCameraSettingsDialog(dialog, reinterpret_cast<LPARAM>(&GetZEPRenderingConfigMgr()));
}

void EditSelectedCameras(HWND dialog) {
    GetPluginState().batchEdit = 1;
    CopyTicksToCameras(dialog);
    DialogUi& ui = GetDialogUi();
    ui.editList.clear();
    HWND list = win::GetDlgItem(dialog, IDC_CAMERA_LIST);
    for (int row = win::GetNextListViewItem(list, -1, LVNI_SELECTED); row >= 0;
         row = win::GetNextListViewItem(list, row, LVNI_SELECTED)) {
        ui.editList.push_back(win::GetListViewItemText(list, row, 0, kTextUnits));
    }
    if (!ui.editList.empty()) {
        OpenCameraSettings(dialog);
    }
}

void EditDoubleClickedCamera(HWND dialog) {
    CopyTicksToCameras(dialog);
    HWND list = win::GetDlgItem(dialog, IDC_CAMERA_LIST);
    int row = win::GetNextListViewItem(list, -1, LVNI_FOCUSED | LVNI_SELECTED);
    if (row < 0) {
        return;
    }
    GetDialogUi().editList = {win::GetListViewItemText(list, row, 0, kTextUnits)};
    OpenCameraSettings(dialog);
}

// The host saves the open scene under its own name. A scene that was never saved has no name
// to save under: the user is asked to save it first.
bool SaveOpenScene(HWND dialog, const MainDialogTexts& texts) {
    Interface* core = GetCOREInterface();
    if (core == nullptr) {
        return false;
    }
    pmx_Logger& log = GetPluginState().log;
    std::u16string path = FromHostText(core->GetCurFilePath());
    if (path.empty()) {
        log.Write("The scene has never been saved; it must be saved before it is submitted.",
                  "WARN");
        PluginMessageBox(dialog, ResourceText(IDS_SAVE_SCENE_FIRST), texts.caption, win::kMbOk,
                         texts.marker);
        return false;
    }
    if (core->SaveToFile(ToHostText(path), TRUE) == 0) {
        log.Write("The host did not save the scene to " + ToUtf8(path) + ".", "WARN");
        return false;
    }
    return true;
}

// A press of Submit that starts no worker is reported as a submission that stopped at `step`.
void ReportStopBeforeWorker(const char* step) {
    SubmissionOutcome outcome;
    outcome.report.stoppedAt = step;
    ReportSubmissionFinished(outcome);
}

// Runs `body` on a detached thread kept in `slot`; false, logged, when the thread cannot start.
template <typename Body>
bool StartDetachedThread(std::thread*& slot, Body body) {
    return GuardedCall("StartSubmission", [&] {
        slot = new std::thread(std::move(body));
        slot->detach();
    });
}

// Starts the submission worker and the progress window; a submission that runs already is
// left alone.
void StartSubmission(HWND dialog, const MainDialogTexts& texts) {
    PluginState& state = GetPluginState();
    int32_t runState = state.submitRunState.load();
    if (runState >= 0 && runState < kThreadFinished) {
        ReportStopBeforeWorker("submission running");
        return;
    }
    if (runState >= kThreadFinished) {
        delete state.submitThread;
        state.submitThread = nullptr;
        state.submitRunState = -1;
    }
    state.submitRunState = 0;
    if (win::IsDlgButtonChecked(dialog, IDC_SAVE_SCENE_FILE) == BST_CHECKED &&
        !SaveOpenScene(dialog, texts)) {
        state.submitRunState = kThreadFinished;
        ReportStopBeforeWorker("scene save");
        return;
    }
    WorkerStarted();
    // Both threads show the dialog's texts in the dialog's language.
    const win::ThreadLanguage language = win::GetThreadLanguage();
    if (!StartDetachedThread(state.submitThread, [=] {
            win::SetThreadLanguage(language);
            SubmitWorker(dialog, texts.caption, texts.secondCaption, texts.marker);
        })) {
        // No worker runs: the dialog is left as a finished submission leaves it.
        state.submitRunState = kThreadFinished;
        WorkerEnded();
        ReportStopBeforeWorker("worker start");
        return;
    }

    if (state.progressRunState.load() >= kThreadFinished) {
        delete state.progressThread;
        state.progressThread = nullptr;
        state.progressRunState = -1;
    }
    if (state.progressRunState.load() == -1) {
        state.progressRunState = 0;
        if (!StartDetachedThread(state.progressThread, [=] {
                win::SetThreadLanguage(language);
                RunProgressDialog(dialog, texts.caption, texts.secondCaption, texts.marker);
            })) {
            state.progressRunState = kThreadFinished;
        }
    }
    state.closeProgress = false;
    state.hideProgress = false;
    // A worker that has stopped already could not see the progress window to close it.
    if (state.submitRunState.load() >= kThreadFinished) {
        CloseProgress();
    }
}

INT_PTR OnSubmit(HWND dialog, const MainDialogTexts& texts) {
    PluginState& state = GetPluginState();
    std::u16string name = FromUtf8(SceneNameFromFieldText(
        GetDialogUi().logger, win::GetDlgItemText(dialog, IDC_SCENE_NAME, kTextUnits)));
    if (!name.empty() && !IsLegalSceneFileName(name)) {
        PluginMessageBox(dialog, ResourceText(IDS_SCENE_NAME_REFUSED), texts.caption, win::kMbOk,
                         texts.marker);
        ReportStopBeforeWorker("scene name");
        win::EndDialog(dialog, 0);
        return -1;
    }
    if (state.referenceFileIllegal &&
        PluginMessageBox(dialog, ResourceText(IDS_ILLEGAL_REFERENCES_QUESTION), texts.secondCaption,
                         win::kMbOkCancel, texts.marker) == win::kIdCancel) {
        ReportStopBeforeWorker("reference files");
        return -1;
    }
    StartSubmission(dialog, texts);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, int control, UINT code, const MainDialogTexts& texts) {
    DialogUi& ui = GetDialogUi();
    PluginState& state = GetPluginState();
    auto checked = [dialog](int box) {
        return win::IsDlgButtonChecked(dialog, box) == BST_CHECKED;
    };
    switch (control) {
        case IDCANCEL:
            win::EndDialog(dialog, 0);
            break;
        case IDC_ANALYSE_AGAIN: {
            int result = InitializeDialog(dialog, texts.caption, texts.marker, false);
            if (result == kDialogReady) {
                FollowSelectionWithEditButton(dialog);
            }
            if (result == kCameraCheckFailed) {
                win::EndDialog(dialog, kCameraCheckFailed);
            }
            return result == kDialogReady ? TRUE : result;
        }
        case IDC_SUBMIT:
            return OnSubmit(dialog, texts);
        case IDC_EDIT_CAMERAS:
            EditSelectedCameras(dialog);
            break;
        case IDC_INVERT_SELECTION:
            ui.InvertCameraSelection(dialog, state.cameras);
            FollowSelectionWithEditButton(dialog);
            break;
        case IDC_SELECT_ALL:
            ui.SelectAllCameras(dialog, state.cameras);
            FollowSelectionWithEditButton(dialog);
            break;
        case IDC_RADIO_NOBLOCK:
        case IDC_RADIO_THREEBLOCK:
        case IDC_RADIO_SIXBLOCK:
            ApplyBlockMode(dialog,
                           control == IDC_RADIO_NOBLOCK      ? 1
                           : control == IDC_RADIO_THREEBLOCK ? 10
                                                             : 64,
                           texts);
            if (control != IDC_RADIO_NOBLOCK) {
                CheckMaterialBlockConflict(dialog, texts);
            }
            EnableControls(dialog, {IDC_EDIT_DISTRIBUTED, IDC_SPIN_DISTRIBUTED}, false);
            break;
        case IDC_RADIO_DCSBLOCK:
            ApplyBlockMode(dialog, 1010, texts);
            SetDistributedCount(
                static_cast<int32_t>(ui.GetFieldValue(dialog, IDC_EDIT_DISTRIBUTED)));
            EnableControls(dialog, {IDC_SPIN_DISTRIBUTED, IDC_EDIT_DISTRIBUTED}, true);
            break;
        case IDC_CHECK_AO:
            EnableControls(dialog,
                           {IDC_LABEL_AO_SUBDIVS, IDC_EDIT_AO_RADIUS, IDC_LABEL_AO_RADIUS,
                            IDC_LABEL_AO_UNITS, IDC_EDIT_AO_SUBDIVS},
                           checked(IDC_CHECK_AO));
            break;
        case IDC_EDIT_DURATION:
            if (code == EN_CHANGE) {
                ui.CheckDecimalText(win::GetDlgItem(dialog, IDC_EDIT_DURATION), 3);
                ui.ClampFloatField(dialog, IDC_EDIT_DURATION, 0.0, 239.0);
            }
            break;
        case IDC_CHECK_MATERIAL:
            CheckMaterialBlockConflict(dialog, texts);
            break;
        case IDC_CHECK_GI:
            EnableControls(dialog, {IDC_COMBO_GI_SIZE, IDC_LABEL_GI_SIZE}, checked(IDC_CHECK_GI));
            break;
        case IDC_EDIT_DISTRIBUTED:
            if (code == EN_CHANGE) {
                ui.ClampIntField(dialog, IDC_EDIT_DISTRIBUTED, 2, 10);
                SetDistributedCount(
                    static_cast<int32_t>(ui.GetFieldValue(dialog, IDC_EDIT_DISTRIBUTED)));
            }
            break;
        default:
            break;
    }
    return TRUE;
}

INT_PTR OnNotify(HWND dialog, const NMHDR& header) {
    int control = static_cast<int>(header.idFrom);
    if (header.code == UDN_DELTAPOS) {
        const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
        for (const Stepper& stepper : kSteppers) {
            if (stepper.upDown == control) {
                GetDialogUi().StepFloatField(dialog, stepper.field,
                                             static_cast<float>(change.iDelta), stepper.step,
                                             stepper.minimum, stepper.maximum);
            }
        }
        return TRUE;
    }
    if (control != IDC_CAMERA_LIST) {
        return FALSE;
    }
    int item = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
    if (item < 0) {
        return TRUE;
    }
    if (header.code == NM_CLICK || header.code == LVN_HOTTRACK) {
        FollowSelectionWithEditButton(dialog);
    } else if (header.code == NM_DBLCLK) {
        EditDoubleClickedCamera(dialog);
    }
    return TRUE;
}

// The camera settings dialog has written its cameras.
void OnCamerasEdited(HWND dialog) {
    PluginState& state = GetPluginState();
    DialogUi& ui = GetDialogUi();
    ui.UpdateCameraTable(win::GetDlgItem(dialog, IDC_CAMERA_LIST), state.cameras);
    FollowSelectionWithEditButton(dialog);
    for (const auto& entry : state.cameras) {
        if (entry.second.imageFormat == u"TIFF" || entry.second.imageFormat == u"TIF") {
            AddTiffNotes(state);
            CollectNotices(state);
            ui.ShowWarnings(win::GetDlgItem(dialog, IDC_WARNINGS), state.notices);
        }
    }
}

INT_PTR OnInitDialog(HWND dialog, const MainDialogTexts& texts) {
    if (!os::StartNetworking()) {
        // Standard output reaches nobody in 3ds Max: the log keeps the reason too.
        const uint32_t error = os::GetLastError();
        os::WriteStandardOutputLine("Load WinSock Failed!");
        LogFailedOperation(GetPluginState().log, "WSAStartup", u"2.2", error);
        return -1;
    }
    PluginState& state = GetPluginState();
    GetDialogUi().ResetMainFields(dialog);
    state.coronaTimeHours = 0;
    state.coronaPassLimit = 0;
    state.coronaTimeSeconds = 0;
    state.coronaNoiseLimit = 0;
    state.useCorona = false;
    int result = InitializeDialog(dialog, texts.caption, texts.marker, true);
    if (result == kDialogReady) {
        EnableControls(dialog, {IDC_EDIT_CAMERAS, IDC_EDIT_DISTRIBUTED, IDC_SPIN_DISTRIBUTED},
                       false);
        AddToolTip(state, win::GetDlgItem(dialog, IDC_REMEMBER_SETTING),
                   ResourceText(IDS_TIP_REMEMBER));
        AddToolTip(state, win::GetDlgItem(dialog, IDC_SAVE_SCENE_FILE),
                   ResourceText(IDS_TIP_SAVE_SCENE));
        return TRUE;
    }
    if (result == kCameraCheckFailed) {
        win::EndDialog(dialog, kCameraCheckFailed);
    }
    return result;
}

void DeleteToolTips() {
    PluginState& state = GetPluginState();
    for (ToolTipExtender* toolTip : state.toolTips) {
        delete toolTip;
    }
    state.toolTips.clear();
}

INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    MainDialogTexts texts = LoadMainDialogTexts();
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog, texts);
        case WM_COMMAND:
            return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam), texts);
        case WM_NOTIFY:
            return OnNotify(dialog, *reinterpret_cast<const NMHDR*>(lParam));
        case WM_USER + 1:
            OnCamerasEdited(dialog);
            return TRUE;
        case kHostCallMessage:
            return ServeHostCall(lParam);
        case WM_CLOSE:
            DeleteToolTips();
            win::EndDialog(dialog, 0);
            return TRUE;
        case WM_DESTROY:
            // A dialog ended by a submission or a check was not closed: its tips go with it.
            DeleteToolTips();
            os::StopNetworking();
            return TRUE;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardedCall("MainDialogProc", INT_PTR{FALSE},
                       [=] { return OnMessage(dialog, message, wParam, lParam); });
}

void ShowMainDialog(ZEPRenderingConfigMgr& configMgr) {
    Interface* core = GetCOREInterface();
    win::DialogBoxParam(static_cast<HINSTANCE>(ResourceModule()), IDD_MAIN,
                        core != nullptr ? core->GetMAXHWnd() : nullptr, MainDialogProc,
                        reinterpret_cast<LPARAM>(&configMgr));
}
