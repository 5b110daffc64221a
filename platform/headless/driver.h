#pragma once
// The headless window system's user: actions as a person at the screen would take them, queued
// for the modal loop of the thread that queues them. The innermost modal dialog of that thread
// takes the next action whenever it is idle (no call from another thread, no paint, no timer
// due), so a whole session, nested dialogs included, runs in order on one thread.
//
// Each action acts on the thread's innermost dialog at the moment it runs. An action that
// cannot be carried out (a hidden or disabled control, a row that does not exist, ...) does
// nothing and is reported through the failure handler.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/window_types.h"

namespace win::headless {

// What a user can do to the innermost dialog. Each returns false, with a sentence in `error`,
// when the dialog does not allow it; then nothing happened.
struct UserActions {
    // A button, check box, radio button, or a static text with SS_NOTIFY.
    static bool Click(HWND dialog, int controlId, std::string& error);
    // Replaces the whole text of an edit, as typing over a selection of everything does.
    static bool Type(HWND dialog, int controlId, const std::u16string& text, std::string& error);
    // Ticks or unticks the check box of a list-view row.
    static bool TickRow(HWND dialog, int listId, int row, bool ticked, std::string& error);
    // Selects exactly these rows (a click on the first, control-clicks on the others).
    static bool SelectRows(HWND dialog, int listId, const std::vector<int>& rows,
                           std::string& error);
    // A double click on a row, or below the last row when `row` is -1.
    static bool DoubleClickRow(HWND dialog, int listId, int row, std::string& error);
    // The mouse rests on a row.
    static bool HoverRow(HWND dialog, int listId, int row, std::string& error);
    // Picks an entry of a drop-down list.
    static bool PickComboItem(HWND dialog, int controlId, int index, std::string& error);
    // The arrows of an up-down control (or a custom spinner) by `delta` steps.
    static bool Spin(HWND dialog, int controlId, int delta, std::string& error);
    // The Enter key: the default push button's command, IDOK when there is none.
    static bool PressEnter(HWND dialog, std::string& error);
    // The close box of the title bar (WM_CLOSE); not possible when the system menu lacks it.
    static bool Close(HWND dialog, std::string& error);
    // A bare WM_COMMAND with the identifier, as a keyboard accelerator would send it.
    static bool Command(HWND dialog, int commandId, std::string& error);
};

// The row of a list view whose first cell reads `text`; -1 when none does.
int FindListViewRow(HWND dialog, int listId, const std::u16string& text);

// The innermost modal dialog of the calling thread; null when none runs.
HWND ActiveDialog();

// The input queue of the calling thread. An input runs on the thread's innermost dialog loop,
// or in RunQueuedInput when no dialog runs.
void QueueInput(std::function<void()> input);
bool HasQueuedInput();
// Runs the queued inputs in order until the queue is empty (the host's idle loop).
void RunQueuedInput();
void ClearQueuedInput();

// A loop that has no input left while its dialog stays open waits `patience` for something to
// happen (another thread's call, a timer) and then calls the starvation handler, which by
// default prints the dialog's identifier and ends the process: a test that leaves a dialog
// open without input is a broken test. A null handler restores the default.
void SetStarvationHandler(std::function<void(HWND dialog)> handler,
                          std::chrono::milliseconds patience = std::chrono::seconds(10));

// Waits, serving calls from other threads, timers and paints of the calling thread, until
// `done` holds (true) or the time is up (false). For actions that wait for another thread.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds patience = std::chrono::seconds(60));

// A fluent queue of actions on the calling thread's innermost dialog, for tests. Failed actions
// are collected.
class Driver {
public:
    Driver& Click(int controlId);
    Driver& Type(int controlId, const std::u16string& text);
    Driver& TickRow(int listId, int row, bool ticked);
    Driver& SelectRows(int listId, std::vector<int> rows);
    Driver& DoubleClickRow(int listId, int row);
    Driver& HoverRow(int listId, int row);
    Driver& PickComboItem(int controlId, int index);
    Driver& Spin(int controlId, int delta);
    Driver& PressEnter();
    Driver& Close();
    Driver& Command(int commandId);
    Driver& AnswerNextBox(int answer);  // queued for the next message box when this step runs
    // Waits for another thread's work; a wait in vain is a failure.
    Driver& Wait(std::function<bool()> done,
                 std::chrono::milliseconds patience = std::chrono::seconds(60));
    // Any code on the dialog, with its handle.
    Driver& Do(std::function<void(HWND dialog)> action);

    const std::vector<std::string>& Failures() const { return *failures_; }

private:
    Driver& Queue(std::function<bool(HWND dialog, std::string& error)> action);
    std::shared_ptr<std::vector<std::string>> failures_ =
        std::make_shared<std::vector<std::string>>();
};

}  // namespace win::headless
