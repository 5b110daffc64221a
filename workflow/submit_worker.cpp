#include "workflow/submit_worker.h"

#include <utility>
#include <vector>

#include "config/remembered_settings.h"
#include "log/guarded_call.h"
#include "platform/win/controls.h"
#include "platform/win/window.h"
#include "scene/plugin_state.h"
#include "workflow/dialog_submission_host.h"
#include "workflow/progress_requests.h"
#include "workflow/submission_events.h"

namespace {

constexpr int kTextUnits = 260;
constexpr int32_t kWorkerFinished = 11;

// Disables every enabled child of the dialog and remembers which were enabled, each before it
// is disabled, so that a freeze cut short is undone all the same.
void FreezeDialog(HWND dialog, std::vector<std::pair<HWND, BOOL>>& children) {
    for (HWND child = win::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = win::GetWindow(child, GW_HWNDNEXT)) {
        BOOL enabled = win::IsWindowEnabled(child);
        children.emplace_back(child, enabled);
        if (enabled != FALSE) {
            win::EnableWindow(child, FALSE);
        }
    }
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

// Whatever fails, the worker ends with its run state finished, the progress window asked to
// close and the dialog unfrozen.
void SubmitWorker(HWND dialog, const std::u16string& caption,
                  const std::u16string& /*secondCaption*/, const std::u16string& languageMarker) {
    std::vector<std::pair<HWND, BOOL>> frozen;
    SubmissionOutcome outcome;
    const bool ran = GuardedCall("SubmitWorker", [&] {
        RememberDialogSettings(DialogControls(dialog));
        FreezeDialog(dialog, frozen);
        DialogSubmissionHost host(dialog);
        outcome.result = SubmitScene(host, caption, languageMarker, outcome.report);
    });
    // Finished first: a submission start that has not yet started the progress window then
    // closes it itself.
    GetPluginState().submitRunState = kWorkerFinished;
    CloseProgress();
    GuardedCall("SubmitWorker", [&] { Unfreeze(frozen); });
    GuardedCall("SubmitWorker", [&] {
        if (!ran) {
            outcome.report.stoppedAt = "unexpected failure";
        }
        ReportSubmissionFinished(outcome);
    });
    WorkerEnded();
}
