#include "tools/max-sim/session.h"

#include <chrono>
#include <cstdlib>

#include "actiontable.h"
#include "maxapi.h"
#include "notify.h"
#include "platform/headless/driver.h"
#include "platform/headless/events.h"
#include "platform/headless/state_dump.h"
#include "platform/win/message_box.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "text/conversions.h"
#include "tools/max-sim/dialog_picture.h"
#include "tools/max-sim/event_records.h"

namespace maxsim {

namespace {

using win::headless::UserActions;

// Longer than any submission of a test scene takes; a session that waits longer is stuck.
constexpr auto kSubmissionPatience = std::chrono::seconds(120);

bool CameraRow(HWND dialog, const std::string& name, int& row, std::string& error) {
    row = win::headless::FindListViewRow(dialog, IDC_CAMERA_LIST, FromUtf8(name));
    if (row < 0) {
        error = "the camera list has no row \"" + name + "\"";
        return false;
    }
    return true;
}

// The item of `command` in the first table that has it, as a click on its menu item finds it;
// null when no table has it.
ActionItem* FindActionItem(int command) {
    HostOwnCalls own;
    Interface* core = GetCOREInterface();
    IActionManager* actions = core != nullptr ? core->GetActionManager() : nullptr;
    for (int index = 0; actions != nullptr && index < actions->NumActionTables(); ++index) {
        ActionTable* table = actions->GetTable(index);
        if (ActionItem* item = table != nullptr ? table->GetAction(command) : nullptr) {
            return item;
        }
    }
    return nullptr;
}

}  // namespace

Session::Session(PluginModule& module, SimulatedMax& host, EventLog& log)
    : module_(module), host_(host), log_(log) {}

bool Session::StartPlugin() {
    int classes = module_.LibNumberClasses();
    for (int index = 0; index < classes && plugin_ == nullptr; ++index) {
        ClassDesc* descriptor = module_.LibClassDesc(index);
        if (descriptor != nullptr && descriptor->SuperClassID() == GUP_CLASS_ID) {
            plugin_ = static_cast<GUP*>(descriptor->Create(FALSE));
        }
    }
    if (plugin_ == nullptr) {
        log_.AddError("start", "the module has no global utility plug-in class");
        return false;
    }
    plugin_->Start();
    started_ = true;
    return true;
}

void Session::Run(const std::vector<Step>& steps) {
    win::headless::SetStarvationHandler([this](HWND dialog) {
        Abort("dialog " + std::to_string(win::headless::DialogTemplateId(dialog)) +
              " waits for input that never comes");
    });
    for (const Step& step : steps) {
        win::headless::QueueInput([this, &step] {
            if (!failed_) {
                Apply(step);
            }
        });
    }
    win::headless::QueueInput([this] { FinishDialogs(); });
    win::headless::RunQueuedInput();
}

void Session::Shutdown() {
    std::string ignored;
    WaitForSubmissions(ignored);
    if (plugin_ != nullptr) {
        if (started_) {
            plugin_->Stop();
        }
        plugin_->DeleteThis();
        plugin_ = nullptr;
    }
    module_.LibShutdown();
}

void Session::Apply(const Step& step) {
    std::string error;
    if (!ApplyStep(step, error)) {
        log_.AddError(step.source, error);
        failed_ = true;
    }
}

bool Session::ApplyStep(const Step& step, std::string& error) {
    switch (step.kind) {
        case StepKind::Open:
            return host_.Open(FromUtf8(step.text), error);
        case StepKind::New:
            host_.New();
            return true;
        case StepKind::Menu:
            RecordMenu(log_);
            return true;
        case StepKind::NotifyStartup:
            BroadcastNotification(NOTIFY_SYSTEM_STARTUP);
            return true;
        case StepKind::Stop:
            plugin_->Stop();
            started_ = false;
            return true;
        case StepKind::Start:
            plugin_->Start();
            started_ = true;
            return true;
        case StepKind::Action:
            return RunAction(step.number, error);
        case StepKind::Answer:
            win::QueueMessageBoxAnswer(step.value);
            return true;
        case StepKind::Wait:
            return WaitForSubmissions(error);
        default:
            break;
    }
    HWND dialog = win::headless::ActiveDialog();
    if (dialog == nullptr) {
        error = "no dialog is open";
        return false;
    }
    if (!ApplyToDialog(step, dialog, error)) {
        // Steps go to the dialog in front: say which one that was.
        error = "dialog " + std::to_string(win::headless::DialogTemplateId(dialog)) + ": " + error;
        return false;
    }
    return true;
}

bool Session::ApplyToDialog(const Step& step, HWND dialog, std::string& error) {
    int row = -1;
    switch (step.kind) {
        case StepKind::Click:
            return UserActions::Click(dialog, step.number, error);
        case StepKind::Text:
            return UserActions::Type(dialog, step.number, FromUtf8(step.text), error);
        case StepKind::Combo:
            return UserActions::PickComboItem(dialog, step.number, step.value, error);
        case StepKind::Spin:
            return UserActions::Spin(dialog, step.number, step.value, error);
        case StepKind::Tick:
        case StepKind::Untick:
            return CameraRow(dialog, step.text, row, error) &&
                   UserActions::TickRow(dialog, IDC_CAMERA_LIST, row, step.kind == StepKind::Tick,
                                        error);
        case StepKind::Select: {
            std::vector<int> rows;
            for (const std::string& name : step.names) {
                if (!CameraRow(dialog, name, row, error)) {
                    return false;
                }
                rows.push_back(row);
            }
            return UserActions::SelectRows(dialog, IDC_CAMERA_LIST, rows, error);
        }
        case StepKind::DoubleClick:
            return CameraRow(dialog, step.text, row, error) &&
                   UserActions::DoubleClickRow(dialog, IDC_CAMERA_LIST, row, error);
        case StepKind::DoubleClickEmpty:
            return UserActions::DoubleClickRow(dialog, IDC_CAMERA_LIST, -1, error);
        case StepKind::Command:
            return UserActions::Command(dialog, step.number, error);
        case StepKind::Close:
            return UserActions::Close(dialog, error);
        case StepKind::Show: {
            win::headless::DialogState state;
            if (!win::headless::DumpDialog(dialog, state)) {
                error = "the dialog is not open";
                return false;
            }
            RecordDialog(log_, state);
            return true;
        }
        case StepKind::Picture:
            return SaveDialogPicture(dialog, step.text, error);
        default:
            error = "not a step for a dialog";
            return false;
    }
}

// As a click on the command's menu item: the item of the first table that has the command runs
// it through the table's callback.
bool Session::RunAction(int command, std::string& error) {
    ActionItem* item = FindActionItem(command);
    if (item == nullptr) {
        error = "no action table has command " + std::to_string(command);
        return false;
    }
    if (item->ExecuteAction() == FALSE) {
        error = "command " + std::to_string(command) + " has no callback to run it";
        return false;
    }
    return true;
}

bool Session::WaitForSubmissions(std::string& error) {
    if (module_.ZepSubmissionIdle == nullptr) {
        return true;
    }
    auto deadline = std::chrono::steady_clock::now() + kSubmissionPatience;
    win::headless::WaitUntil([&] {
        return module_.ZepSubmissionIdle() != 0 || std::chrono::steady_clock::now() > deadline;
    });
    if (module_.ZepSubmissionIdle() == 0) {
        error = "the submission has not finished after " +
                std::to_string(kSubmissionPatience.count()) + " seconds";
        return false;
    }
    return true;
}

// Closes the innermost dialog and comes back for the next one, until none is open.
void Session::FinishDialogs() {
    HWND dialog = win::headless::ActiveDialog();
    if (dialog == nullptr) {
        return;
    }
    int dialogId = win::headless::DialogTemplateId(dialog);
    if (dialog == lastClosed_) {
        Abort("dialog " + std::to_string(dialogId) + " does not close");
    }
    std::string ignored;
    WaitForSubmissions(ignored);
    lastClosed_ = dialog;
    RecordClosing(log_, dialogId);
    win::headless::QueueInput([this] { FinishDialogs(); });
    win::SendMessage(dialog, WM_CLOSE, 0, 0);
}

// A session that cannot end: the record so far, and out.
void Session::Abort(const std::string& text) {
    log_.AddError("(end of steps)", text);
    log_.Flush();
    log_.PrintJson();
    std::_Exit(2);
}

}  // namespace maxsim
