#include "tools/zep-submit/dialog_session.h"

#include <filesystem>
#include <fstream>

#include "config/config_mgr.h"
#include "host/simulated_host.h"
#include "platform/files.h"
#include "platform/headless/driver.h"
#include "platform/headless/events.h"
#include "platform/win/controls.h"
#include "platform/win/message_box.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "text/conversions.h"
#include "tools/zep-submit/json_output.h"
#include "ui/dialog_ui.h"
#include "workflow/main_dialog.h"

namespace {

using win::headless::UserActions;

std::string g_analysisBytes;

// The minimal host's interpreter: the analysis command writes the given analysis to its result
// path; every other script (the cleaning scripts) runs and changes nothing.
BOOL RunScript(const std::u16string& script, FPValue*) {
    std::u16string path;
    if (!maxsim::AnalysisResultPath(script, path)) {
        return 1;
    }
    return os::WriteFileAtomically(path, g_analysisBytes) ? 1 : 0;
}

bool SaveScene(const std::u16string& path) {
    std::u16string current = maxsim::CurrentScenePath();
    return path == current || os::CopyFile(current, path);
}

// The queued actions of a session; each failure becomes a sentence naming its flag.
class Actions {
public:
    explicit Actions(std::vector<std::string>& errors) : errors_(errors) {}

    // An action on the innermost dialog, reported under `flag` when it fails.
    void Queue(const std::string& flag,
               std::function<bool(HWND dialog, std::string& error)> action) {
        win::headless::QueueInput([this, flag, action = std::move(action)] {
            HWND dialog = win::headless::ActiveDialog();
            std::string error = "no dialog is open";
            if (dialog == nullptr || !action(dialog, error)) {
                errors_.push_back(flag + ": " + error);
            }
        });
    }
    void Click(const std::string& flag, int control) {
        Queue(flag, [control](HWND dialog, std::string& error) {
            return UserActions::Click(dialog, control, error);
        });
    }
    // Ticks or unticks a check box only when it is not so already.
    void SetBox(const std::string& flag, int control, bool ticked) {
        Queue(flag, [control, ticked](HWND dialog, std::string& error) {
            bool now = win::IsDlgButtonChecked(dialog, control) == BST_CHECKED;
            return now == ticked || UserActions::Click(dialog, control, error);
        });
    }
    void Type(const std::string& flag, int control, const std::string& text) {
        Queue(flag, [control, text = FromUtf8(text)](HWND dialog, std::string& error) {
            return UserActions::Type(dialog, control, text, error);
        });
    }
    void Pick(const std::string& flag, int control, int index) {
        Queue(flag, [control, index](HWND dialog, std::string& error) {
            return UserActions::PickComboItem(dialog, control, index, error);
        });
    }

private:
    std::vector<std::string>& errors_;
};

std::optional<int> RowOf(HWND dialog, const std::u16string& name, std::string& error) {
    int row = win::headless::FindListViewRow(dialog, IDC_CAMERA_LIST, name);
    if (row < 0) {
        error = "the analysis has no camera named \"" + ToUtf8(name) + "\"";
        return std::nullopt;
    }
    return row;
}

// A camera edit: a double click on its row opens the camera settings, the ratio lock is
// released when a size is given (so the other size stays as it is), the fields are typed and
// picked, and OK applies them.
void QueueCameraEdit(Actions& actions, const std::string& flag, const CameraEdit& edit) {
    actions.Queue(flag, [name = edit.name](HWND dialog, std::string& error) {
        std::optional<int> row = RowOf(dialog, name, error);
        return row && UserActions::DoubleClickRow(dialog, IDC_CAMERA_LIST, *row, error);
    });
    if (edit.width || edit.height) {
        actions.SetBox(flag, IDC_CHECK_LOCK_RATIO, false);
    }
    if (edit.width) {
        actions.Type(flag, IDC_EDIT_WIDTH, std::to_string(*edit.width));
    }
    if (edit.height) {
        actions.Type(flag, IDC_EDIT_HEIGHT, std::to_string(*edit.height));
    }
    if (edit.frameToRender) {
        actions.Type(flag, IDC_EDIT_FRAME, std::to_string(*edit.frameToRender));
    }
    if (edit.imageFormat) {
        actions.Queue(flag, [format = *edit.imageFormat](HWND dialog, std::string& error) {
            int index =
                win::FindComboStringExact(win::GetDlgItem(dialog, IDC_COMBO_FORMAT), -1, format);
            if (index < 0) {
                error = "the format list has no \"" + ToUtf8(format) + "\"";
                return false;
            }
            return UserActions::PickComboItem(dialog, IDC_COMBO_FORMAT, index, error);
        });
    }
    if (edit.outputName) {
        actions.Type(flag, IDC_EDIT_OUTPUT_NAME, ToUtf8(*edit.outputName));
    }
    if (edit.isSpherical) {
        actions.Pick(flag, IDC_COMBO_SPHERICAL, *edit.isSpherical ? 1 : 0);
    }
    actions.Click(flag, IDC_CAMERA_OK);
    actions.Queue(flag, [](HWND dialog, std::string& error) {
        if (win::headless::DialogTemplateId(dialog) != IDD_CAMERA_SETTINGS) {
            return true;
        }
        win::SendMessage(dialog, WM_CLOSE, 0, 0);
        error = "the camera settings dialog refused the edit";
        return false;
    });
}

int RadioOf(int blockMode) {
    switch (blockMode) {
        case 10:
            return IDC_RADIO_THREEBLOCK;
        case 64:
            return IDC_RADIO_SIXBLOCK;
        case 1010:
            return IDC_RADIO_DCSBLOCK;
        default:
            return IDC_RADIO_NOBLOCK;
    }
}

void QueueChoices(Actions& actions, const DialogSession& session) {
    const ChoiceFlags& flags = session.choices;
    for (const std::string& flag : flags.cameraEdits) {
        CameraEdit edit;
        if (ParseCameraEdit(flag, edit)) {
            QueueCameraEdit(actions, "--camera " + flag, edit);
        }
    }
    if (flags.selectAll) {
        actions.Click("--select-all", IDC_SELECT_ALL);
    }
    for (const std::string& name : flags.select) {
        actions.Queue("--select " + name, [name = FromUtf8(name)](HWND dialog, std::string& error) {
            std::optional<int> row = RowOf(dialog, name, error);
            return row && UserActions::TickRow(dialog, IDC_CAMERA_LIST, *row, true, error);
        });
    }
    if (flags.color) {
        actions.SetBox("--color", IDC_CHECK_COLOR, true);
    }
    if (!flags.ao.empty()) {
        std::vector<std::string> parts = SplitOn(flags.ao, ',');
        actions.SetBox("--ao", IDC_CHECK_AO, true);
        actions.Type("--ao", IDC_EDIT_AO_RADIUS, parts.size() == 2 ? parts[0] : "");
        actions.Type("--ao", IDC_EDIT_AO_SUBDIVS, parts.size() == 2 ? parts[1] : "");
    }
    if (flags.material) {
        actions.SetBox("--material", IDC_CHECK_MATERIAL, true);
    }
    if (flags.psd) {
        actions.SetBox("--psd", IDC_CHECK_PSD, true);
    }
    if (flags.gi >= 0) {
        actions.SetBox("--gi", IDC_CHECK_GI, true);
        actions.Pick("--gi", IDC_COMBO_GI_SIZE, flags.gi);
    }
    if (flags.blockMode != 1) {
        actions.Click("--block-mode", RadioOf(flags.blockMode));
    }
    if (flags.distributed > 0) {
        actions.Type("--distributed", IDC_EDIT_DISTRIBUTED, std::to_string(flags.distributed));
    }
    if (flags.gammaGiven) {
        actions.Type("--gamma", IDC_EDIT_OUTPUT_GAMMA, flags.gamma);
    }
    if (!flags.corona.empty()) {
        std::vector<std::string> parts = SplitOn(flags.corona, ',');
        parts.resize(3);
        actions.Type("--corona", IDC_EDIT_ITERATIONS, parts[0]);
        actions.Type("--corona", IDC_EDIT_DURATION, parts[1]);
        actions.Type("--corona", IDC_EDIT_NOISE_LEVEL, parts[2]);
    }
    actions.SetBox("--save-scene-file", IDC_SAVE_SCENE_FILE, flags.saveSceneFile == 1);
    if (session.sceneName) {
        actions.Type("--name", IDC_SCENE_NAME, *session.sceneName);
    }
    if (session.cleanScene) {
        actions.SetBox("--clean", IDC_CLEAN_SCENE, true);
    }
}

struct Stop {
    int stringId;
    const char* step;
};

// Where the dialog stopped, told by the box it showed: before the user could act, or when the
// submit button started no submission.
std::string StopOf(const std::vector<win::RecordedMessageBox>& boxes,
                   std::initializer_list<Stop> stops, const char* otherwise) {
    for (const win::RecordedMessageBox& box : boxes) {
        for (Stop stop : stops) {
            std::u16string text = ResourceText(stop.stringId);
            if (!text.empty() && box.text.rfind(text, 0) == 0) {
                return stop.step;
            }
        }
    }
    return otherwise;
}

}  // namespace

DialogSessionOutcome RunDialogSession(const DialogSession& session) {
    DialogSessionOutcome outcome;
    std::string bytes;
    os::ReadWholeFile(FromUtf8(session.analysisPath), bytes);
    g_analysisBytes = bytes;
    maxsim::ResetHost();
    maxsim::SetCurrentScene(FromUtf8(session.scenePath));
    maxsim::SetScriptRunner(RunScript);
    maxsim::SetSceneSaver(SaveScene);
    SetSubmissionFinishedHandler(
        [&outcome](const SubmissionOutcome& finished) { outcome.submission = finished; });
    SetSubmissionStepHandler(session.stepBegins);

    bool namesDialog = false;
    std::vector<win::RecordedMessageBox> boxes;
    win::headless::SetEventObserver([&](const win::headless::WindowEvent& event) {
        if (event.type == win::headless::WindowEvent::Type::DialogOpened &&
            event.dialogId == IDD_INVALID_NAMES) {
            namesDialog = true;
        } else if (event.type == win::headless::WindowEvent::Type::MessageBox) {
            boxes.push_back(event.box);
        }
    });
    Actions actions(outcome.errors);
    // The first input finds the dialog ready, or the invalid-names dialog over it, which the
    // user closes: the main dialog then ends by itself.
    win::headless::QueueInput([&outcome] {
        HWND dialog = win::headless::ActiveDialog();
        if (win::headless::DialogTemplateId(dialog) == IDD_MAIN) {
            outcome.opened = true;
        } else {
            win::EndDialog(dialog, IDCANCEL);
        }
    });
    QueueChoices(actions, session);
    win::headless::QueueInput([&session, &outcome] {
        if (outcome.errors.empty() && session.finish) {
            session.finish(win::headless::ActiveDialog());
        }
    });
    win::headless::QueueInput(
        [] { win::SendMessage(win::headless::ActiveDialog(), WM_CLOSE, 0, 0); });
    // A dialog that stays open without input (a refused camera edit left it so) is closed.
    win::headless::SetStarvationHandler(
        [](HWND dialog) { win::SendMessage(dialog, WM_CLOSE, 0, 0); }, std::chrono::seconds(1));
    ShowMainDialog(GetZEPRenderingConfigMgr());
    win::headless::ClearQueuedInput();
    win::headless::SetEventObserver(nullptr);
    SetSubmissionFinishedHandler(nullptr);
    SetSubmissionStepHandler(nullptr);
    if (!outcome.opened) {
        outcome.stoppedAt = namesDialog
                                ? "camera names"
                                : StopOf(boxes,
                                         {{IDS_VERSION_UNKNOWN, "plug-in version"},
                                          {IDS_VERSION_TOO_OLD, "plug-in version"},
                                          {IDS_SCENE_NAME_REFUSED, "scene file name"},
                                          {IDS_ANALYSIS_FAILED, "analysis"},
                                          {IDS_NO_CAMERAS, "no cameras"},
                                          {IDS_DUPLICATE_CAMERAS_BEFORE, "duplicate cameras"}},
                                         "dialog");
    } else if (outcome.submission) {
        // Every press of Submit ends in a report, also when it started no worker.
        outcome.stoppedAt = outcome.submission->report.stoppedAt;
    }
    // Opening and submitting check the names alike and keep the ones they refuse.
    if (outcome.stoppedAt == "camera names") {
        outcome.refusedNames = GetDialogUi().problemList;
    }
    return outcome;
}

void AddStopJson(const DialogSessionOutcome& outcome, Json::Value& output) {
    output["stoppedAt"] =
        outcome.stoppedAt.empty() ? Json::Value(Json::nullValue) : Json::Value(outcome.stoppedAt);
    if (!outcome.refusedNames.empty()) {
        output["refusedNames"] = TextArray(outcome.refusedNames);
    }
}

void SubmitAndWait(HWND dialog) {
    std::string error;
    UserActions::Click(dialog, IDC_SUBMIT, error);
    win::headless::WaitUntil([] { return SubmissionSettled(); }, std::chrono::hours(1));
}
