#pragma once
// Inside the headless window system: the windows, the threads that own them and the modal
// loops. Headless files only.
//
// Every window belongs to the thread that created it and only that thread touches its data. A
// call from another thread is posted to the owner's mailbox and carried out there while the
// caller waits (and serves its own mailbox meanwhile), as Win32 does with a message sent to a
// window of another thread. A thread serves its mailbox in its modal loops and while it waits.

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/headless/custom_controls.h"
#include "platform/headless/dialog_template.h"
#include "platform/headless/utf8_of.h"
#include "platform/win/window_types.h"

namespace win::headless {

enum class ControlKind {
    Dialog,
    PushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    Static,
    Edit,
    ListBox,
    ComboBox,
    ListView,
    UpDown,
    Custom,
};

struct ListViewColumn {
    std::u16string text;
    int width = 0;
    int format = 0;
};

struct ListViewRow {
    std::vector<std::u16string> cells;  // cell 0 is the item's text
    UINT state = 0;
};

struct Timer {
    UINT elapseMs = 0;
    int64_t due = 0;
};

struct Window {
    HWND handle = nullptr;
    std::thread::id thread;
    HWND parent = nullptr;
    std::vector<HWND> children;  // z-order, top first
    int id = 0;
    ControlKind kind = ControlKind::Static;
    std::u16string className;
    std::u16string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool enabled = true;
    bool visible = true;
    RECT rect{0, 0, 0, 0};  // parent's client pixels; screen pixels for a dialog
    LONG_PTR userData = 0;
    std::vector<std::string> painted;  // what the last paint drew
    std::u16string toolTip;

    // Buttons.
    UINT check = BST_UNCHECKED;
    // Edits.
    int selectionStart = 0;
    int selectionEnd = 0;
    // List boxes and combo boxes.
    std::vector<std::u16string> items;
    int selection = -1;
    int horizontalExtent = 0;
    // List views.
    DWORD listViewExStyle = 0;
    std::vector<ListViewColumn> columns;
    std::vector<ListViewRow> rows;
    // Up-downs.
    int rangeMin = 100;
    int rangeMax = 0;
    int position = 0;
    HWND buddy = nullptr;
    // Custom controls.
    const CustomControlClass* custom = nullptr;

    // Dialogs.
    int templateId = 0;
    DLGPROC proc = nullptr;
    HWND owner = nullptr;
    bool ended = false;
    INT_PTR result = 0;
    LONG_PTR msgResult = 0;
    LONG_PTR dialogUser = 0;
    bool paintPending = false;
    bool closeCommand = true;  // the system menu holds SC_CLOSE
    HWND focus = nullptr;
    std::map<UINT_PTR, Timer> timers;
    double dpiScale = 1.0;
};

// The window of `handle` when it lives and belongs to the calling thread; null otherwise.
Window* OwnWindow(HWND handle);

// Runs `action` with the window of `handle` on the thread that owns it and returns its result;
// `failure` when the window does not exist (or no longer does when its thread gets to it).
LRESULT OnWindowThread(HWND handle, LRESULT failure, const std::function<LRESULT(Window&)>& action);

// Typed helper over OnWindowThread.
template <typename Result, typename Action>
Result WithWindow(HWND handle, Result failure, Action&& action) {
    Result result = failure;
    OnWindowThread(handle, 0, [&](Window& window) {
        result = action(window);
        return LRESULT{0};
    });
    return result;
}

// Creating and destroying windows (owner thread).
Window& CreateWindowObject(HWND parent, ControlKind kind);
void DestroyWindowTree(HWND handle);

// The dialog of a window (itself for a dialog), on the owner thread.
Window* DialogOf(Window& window);
Window* ChildById(Window& dialog, int id);

// Calls a dialog's procedure (owner thread). WM_NOTIFY answers DWLP_MSGRESULT when the
// procedure handles it.
INT_PTR CallDialogProc(Window& dialog, UINT message, WPARAM wParam, LPARAM lParam);
// WM_COMMAND from a control to its dialog.
void NotifyCommand(Window& control, UINT code);
// WM_NOTIFY from a control to its dialog; returns the dialog's answer.
LRESULT NotifyParent(Window& control, NMHDR& header);

// Marks the dialog of `window` for a WM_PAINT when its loop is next idle.
void InvalidateDialog(Window& window);

// The time timers run on: a steady clock, or the manual one tests move.
int64_t NowMs();

// The dialogs the calling thread runs, innermost last.
const std::vector<HWND>& ModalStack();

// Pixels of dialog units for the dialog resolution.
int DialogUnitsToPixelsX(int units, int dpi);
int DialogUnitsToPixelsY(int units, int dpi);

// The settable screen.
int ScreenDpi();

// Serves the calling thread's mailbox, timers and paints until `done` holds; input is not
// taken. Used by the driver's waits.
void PumpUntil(const std::function<bool()>& done);

// The window with the keyboard focus among the calling thread's windows.
HWND ThreadFocus();
void SetThreadFocus(HWND window);

RECT ScreenWorkArea();

struct WindowEvent;
void EmitEvent(const WindowEvent& event);


}  // namespace win::headless
