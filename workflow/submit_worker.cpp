#include "workflow/submit_worker.h"

#include <utility>
#include <vector>

#include "config/remembered_settings.h"
#include "platform/win/controls.h"
#include "platform/win/window.h"
#include "scene/plugin_state.h"
#include "workflow/dialog_submission_host.h"
#include "workflow/progress_requests.h"
#include "workflow/submission_events.h"

namespace {

constexpr int kTextUnits = 260;
constexpr int32_t kWorkerFinished = 11;

// Disables every enabled child of the dialog and remembers which were enabled.
std::vector<std::pair<HWND, BOOL>> FreezeDialog(HWND dialog) {
    std::vector<std::pair<HWND, BOOL>> children;
    for (HWND child = win::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = win::GetWindow(child, GW_HWNDNEXT)) {
        BOOL enabled = win::IsWindowEnabled(child);
        children.emplace_back(child, enabled);
        if (enabled != FALSE) {
            win::EnableWindow(child, FALSE);
        }
    }
    return children;
}

void Unfreeze(const std::vector<std::pair<HWND, BOOL>>& children) {
    for (const auto& [child, enabled] : children) {
        win::EnableWindow(child, enabled);
    }
}

ControlReader DialogControls(HWND dialog) {
    ControlReader reader;
    reader.checkState = [dialog](int control) { return win::IsDlgButtonChecked(dialog, control); };
    reader.comboSelection = [dialog](int control) {
        return win::GetComboSelection(win::GetDlgItem(dialog, control));
    };
    reader.editText = [dialog](int control) {
        return win::GetDlgItemText(dialog, control, kTextUnits);
    };
    return reader;
}

}  // namespace

void SubmitWorker(HWND dialog, std::u16string caption, std::u16string /*secondCaption*/,
                  std::u16string languageMarker) {
    std::vector<std::pair<HWND, BOOL>> frozen;
    SubmissionOutcome outcome;
    try {
        RememberDialogSettings(DialogControls(dialog));
        frozen = FreezeDialog(dialog);
        DialogSubmissionHost host(dialog);
        outcome.result = SubmitScene(host, caption, languageMarker, outcome.report);
    } catch (...) {
        outcome.report.stoppedAt = "unexpected failure";
    }
    CloseProgress();
    GetPluginState().submitRunState = kWorkerFinished;
    try {
        Unfreeze(frozen);
        ReportSubmissionFinished(outcome);
    } catch (...) {
    }
    WorkerEnded();
}
