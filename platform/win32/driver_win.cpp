// The user of the Win32 window system for tests and tools: the same actions and input queue
// as the headless driver, carried out by sending what Windows sends when a person clicks,
// types, ticks or spins. Inputs run on the innermost modal dialog of the thread when its loop
// is idle (see modal_frames.h).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/headless/driver.h"
#include "platform/headless/input_queue.h"
#include "platform/win/controls.h"
#include "platform/win/message_box.h"
#include "platform/win/window.h"
#include "platform/win32/modal_frames.h"

namespace win::headless {

namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

bool IsClass(HWND window, const wchar_t* name) {
    return ::lstrcmpiW(ClassOf(window).c_str(), name) == 0;
}

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
}

// The control a user reaches: it exists, is visible and enabled, and so is its dialog.
HWND Reachable(HWND dialog, int controlId, std::string& error) {
    if (!::IsWindowEnabled(dialog)) {
        error = "the dialog is disabled";
        return nullptr;
    }
    HWND control = ::GetDlgItem(dialog, controlId);
    if (control == nullptr) {
        error = "the dialog has no control " + std::to_string(controlId);
    } else if (!::IsWindowVisible(control)) {
        error = "control " + std::to_string(controlId) + " is hidden";
    } else if (!::IsWindowEnabled(control)) {
        error = "control " + std::to_string(controlId) + " is disabled";
    } else {
        return control;
    }
    return nullptr;
}

HWND ReachableOfClass(HWND dialog, int controlId, const wchar_t* className, std::string& error) {
    HWND control = Reachable(dialog, controlId, error);
    if (control != nullptr && !IsClass(control, className)) {
        error = "control " + std::to_string(controlId) + " is not a control of the expected kind";
        return nullptr;
    }
    return control;
}

// The window classes of the system's own controls; any other class is a host's custom control.
bool IsSystemControl(HWND control) {
    for (const wchar_t* name :
         {L"Button", L"Edit", L"Static", L"ListBox", L"ComboBox", WC_LISTVIEWW, UPDOWN_CLASSW}) {
        if (IsClass(control, name)) {
            return true;
        }
    }
    return false;
}

// A host's spinner, such as 3ds Max's, steps up for a click on the upper half of its window and
// down for one on the lower half: one click per step.
void ClickArrows(HWND spinner, int delta) {
    RECT client{};
    ::GetClientRect(spinner, &client);
    const LPARAM at =
        MAKELPARAM(client.right / 2, delta > 0 ? client.bottom / 4 : client.bottom * 3 / 4);
    for (int step = 0; step < std::abs(delta) && ::IsWindow(spinner); ++step) {
        ::SendMessageW(spinner, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(spinner, WM_LBUTTONUP, 0, at);
    }
}

LRESULT Notify(HWND control, NMHDR& header, UINT code) {
    header.hwndFrom = control;
    header.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(control));
    header.code = code;
    return ::SendMessageW(::GetParent(control), WM_NOTIFY, header.idFrom,
                          reinterpret_cast<LPARAM>(&header));
}

void SendItemActivate(HWND listView, UINT code, int item) {
    NMITEMACTIVATE activate{};
    activate.iItem = item;
    Notify(listView, activate.hdr, code);
}

void SetSelection(HWND listView, const std::vector<int>& rows) {
    int count = GetListViewItemCount(listView);
    for (int row = 0; row < count; ++row) {
        bool wanted = std::find(rows.begin(), rows.end(), row) != rows.end();
        bool focused = !rows.empty() && rows.back() == row;
        const UINT mask = LVIS_SELECTED | LVIS_FOCUSED;
        const UINT state = (wanted ? LVIS_SELECTED : 0u) | (focused ? LVIS_FOCUSED : 0u);
        // A click changes only the rows whose state it changes, and only they notify.
        if (GetListViewItemState(listView, row, mask) != state) {
            SetListViewItemState(listView, row, state, mask);
        }
    }
}

bool ValidRow(HWND listView, int row, std::string& error) {
    if (row < 0 || row >= GetListViewItemCount(listView)) {
        error = "the list has no row " + std::to_string(row);
        return false;
    }
    return true;
}

}  // namespace

}  // namespace win::headless

namespace win::headless {

// --- user actions ---------------------------------------------------------------------------

bool UserActions::Click(HWND dialog, int controlId, std::string& error) {
    HWND control = Reachable(dialog, controlId, error);
    if (control == nullptr) {
        return false;
    }
    if (IsClass(control, L"Button")) {
        if ((StyleOf(control) & BS_TYPEMASK) == BS_GROUPBOX) {
            error = "a group box is not clicked";
            return false;
        }
        ::SendMessageW(control, BM_CLICK, 0, 0);
        return true;
    }
    if (IsClass(control, L"Static") && (StyleOf(control) & SS_NOTIFY) != 0) {
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, STN_CLICKED),
                       reinterpret_cast<LPARAM>(control));
        return true;
    }
    error = "control " + std::to_string(controlId) + " is not clicked";
    return false;
}

bool UserActions::Type(HWND dialog, int controlId, const std::u16string& text, std::string& error) {
    HWND edit = ReachableOfClass(dialog, controlId, L"Edit", error);
    if (edit == nullptr) {
        return false;
    }
    if ((StyleOf(edit) & ES_READONLY) != 0) {
        error = "edit " + std::to_string(controlId) + " is read-only";
        return false;
    }
    ::SetFocus(edit);
    SetWindowText(edit, text);
    int length = ::GetWindowTextLengthW(edit);
    SetEditSelection(edit, length, length);
    return true;
}

// A click on a row's check box: the list view reports the click, then the state image flips.
bool UserActions::TickRow(HWND dialog, int listId, int row, bool ticked, std::string& error) {
    HWND listView = ReachableOfClass(dialog, listId, WC_LISTVIEWW, error);
    if (listView == nullptr || !ValidRow(listView, row, error)) {
        return false;
    }
    if ((GetListViewExtendedStyle(listView) & LVS_EX_CHECKBOXES) == 0) {
        error = "the list has no check boxes";
        return false;
    }
    SendItemActivate(listView, NM_CLICK, row);
    if (::IsWindow(listView)) {
        SetListViewItemState(listView, row, INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1),
                             LVIS_STATEIMAGEMASK);
    }
    return true;
}

bool UserActions::SelectRows(HWND dialog, int listId, const std::vector<int>& rows,
                             std::string& error) {
    HWND listView = ReachableOfClass(dialog, listId, WC_LISTVIEWW, error);
    if (listView == nullptr) {
        return false;
    }
    if (rows.empty()) {
        error = "no rows to select";
        return false;
    }
    for (int row : rows) {
        if (!ValidRow(listView, row, error)) {
            return false;
        }
    }
    std::vector<int> selected;
    for (int row : rows) {
        selected.push_back(row);
        if (!::IsWindow(listView)) {
            return false;
        }
        SetSelection(listView, selected);
        if (::IsWindow(listView)) {
            SendItemActivate(listView, NM_CLICK, row);
        }
    }
    return true;
}

bool UserActions::DoubleClickRow(HWND dialog, int listId, int row, std::string& error) {
    HWND listView = ReachableOfClass(dialog, listId, WC_LISTVIEWW, error);
    if (listView == nullptr || (row != -1 && !ValidRow(listView, row, error))) {
        return false;
    }
    SetSelection(listView, row == -1 ? std::vector<int>{} : std::vector<int>{row});
    for (UINT code : {NM_CLICK, NM_DBLCLK}) {
        if (::IsWindow(listView)) {
            SendItemActivate(listView, code, row);
        }
    }
    return true;
}

bool UserActions::HoverRow(HWND dialog, int listId, int row, std::string& error) {
    HWND listView = ReachableOfClass(dialog, listId, WC_LISTVIEWW, error);
    if (listView == nullptr || (row != -1 && !ValidRow(listView, row, error))) {
        return false;
    }
    NMLISTVIEW hot{};
    hot.iItem = row;
    Notify(listView, hot.hdr, LVN_HOTTRACK);
    return true;
}

bool UserActions::PickComboItem(HWND dialog, int controlId, int index, std::string& error) {
    HWND combo = ReachableOfClass(dialog, controlId, WC_COMBOBOXW, error);
    if (combo == nullptr) {
        return false;
    }
    if (index < 0 || index >= GetComboCount(combo)) {
        error = "the list has no entry " + std::to_string(index);
        return false;
    }
    SetComboSelection(combo, index);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    return true;
}

bool UserActions::Spin(HWND dialog, int controlId, int delta, std::string& error) {
    HWND upDown = Reachable(dialog, controlId, error);
    if (upDown == nullptr) {
        return false;
    }
    if (!IsClass(upDown, UPDOWN_CLASSW)) {
        if (IsSystemControl(upDown)) {
            error = "control " + std::to_string(controlId) + " is not an up-down control";
            return false;
        }
        ClickArrows(upDown, delta);
        return true;
    }
    NMUPDOWN change{};
    change.iPos = GetUpDownPos32(upDown);
    change.iDelta = delta;
    if (Notify(upDown, change.hdr, UDN_DELTAPOS) != 0) {
        return true;  // the dialog refused the change
    }
    if (!::IsWindow(upDown)) {
        return true;
    }
    int low = 0;
    int high = 0;
    GetUpDownRange32(upDown, low, high);
    int position = std::clamp(change.iPos + delta, std::min(low, high), std::max(low, high));
    if (position != change.iPos) {
        SetUpDownPos32(upDown, position);
    }
    if (::IsWindow(upDown)) {
        ::SendMessageW(dialog, WM_VSCROLL,
                       MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(position)),
                       reinterpret_cast<LPARAM>(upDown));
    }
    return true;
}

bool UserActions::PressEnter(HWND dialog, std::string& error) {
    if (!::IsWindowEnabled(dialog)) {
        error = "the dialog is disabled";
        return false;
    }
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (IsClass(child, L"Button") && (StyleOf(child) & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
            ::IsWindowVisible(child) && ::IsWindowEnabled(child)) {
            ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(child), BN_CLICKED),
                           reinterpret_cast<LPARAM>(child));
            return true;
        }
    }
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return true;
}

bool UserActions::Close(HWND dialog, std::string& error) {
    HMENU menu = ::GetSystemMenu(dialog, FALSE);
    if (menu == nullptr || ::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
        error = "the dialog has no close box";
        return false;
    }
    if (!::IsWindowEnabled(dialog)) {
        error = "the dialog is disabled";
        return false;
    }
    ::SendMessageW(dialog, WM_CLOSE, 0, 0);
    return true;
}

bool UserActions::Command(HWND dialog, int commandId, std::string& /*error*/) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(commandId, 0),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, commandId)));
    return true;
}

// --- the input queue ------------------------------------------------------------------------

HWND ActiveDialog() {
    return win32::InnermostDialog();
}

void QueueInput(std::function<void()> input) {
    PushInput(std::move(input));
    win32::WakeInnermostDialog();
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds patience) {
    auto giveUp = std::chrono::steady_clock::now() + patience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > giveUp) {
            return done();
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return true;
}

}  // namespace win::headless
