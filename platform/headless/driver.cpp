// The headless window system's user: the actions a person can take on a dialog, and the waits
// of a test or tool for what it queued (input_queue.h holds the queue).
#include "platform/headless/driver.h"

#include <algorithm>
#include <utility>

#include "platform/headless/custom_controls.h"
#include "platform/headless/events.h"
#include "platform/headless/input_queue.h"
#include "platform/headless/window_system.h"
#include "platform/win/controls.h"
#include "platform/win/message_box.h"
#include "platform/win/window.h"

namespace win::headless {

namespace {

constexpr DWORD kButtonTypeMask = 0xF;
constexpr DWORD kBsDefPushButton = 1;
constexpr DWORD kBsAutoCheckBox = 3;
constexpr DWORD kBsAuto3State = 6;
constexpr DWORD kBsAutoRadioButton = 9;
constexpr DWORD kEsReadOnly = 0x0800;

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
            return "button";
        case ControlKind::CheckBox:
            return "check box";
        case ControlKind::RadioButton:
            return "radio button";
        case ControlKind::GroupBox:
            return "group box";
        case ControlKind::Static:
            return "static text";
        case ControlKind::Edit:
            return "edit";
        case ControlKind::ListBox:
            return "list box";
        case ControlKind::ComboBox:
            return "combo box";
        case ControlKind::ListView:
            return "list view";
        case ControlKind::UpDown:
            return "up-down control";
        default:
            return "control";
    }
}

// The control a user reaches: it exists, is visible and enabled, and so is its dialog.
Window* Reachable(Window& dialog, int controlId, std::string& error) {
    if (!dialog.enabled) {
        error = "the dialog is disabled";
        return nullptr;
    }
    Window* control = ChildById(dialog, controlId);
    if (control == nullptr) {
        error = "the dialog has no control " + std::to_string(controlId);
    } else if (!control->visible) {
        error = "control " + std::to_string(controlId) + " is hidden";
    } else if (!control->enabled) {
        error = "control " + std::to_string(controlId) + " is disabled";
    } else {
        return control;
    }
    return nullptr;
}

Window* ReachableOfKind(Window& dialog, int controlId, ControlKind kind, std::string& error) {
    Window* control = Reachable(dialog, controlId, error);
    if (control != nullptr && control->kind != kind) {
        error = "control " + std::to_string(controlId) + " is a " + KindName(control->kind) +
                ", not a " + KindName(kind);
        return nullptr;
    }
    return control;
}

// Runs `action` on the dialog's own thread.
bool OnDialog(HWND dialog, std::string& error,
              const std::function<bool(Window&, std::string&)>& action) {
    bool done = false;
    bool found = OnWindowThread(dialog, 0, [&](Window& window) -> LRESULT {
                     done = action(window, error);
                     return 1;
                 }) != 0;
    if (!found) {
        error = "the dialog is not open";
    }
    return found && done;
}

void CheckRadioInGroup(Window& dialog, Window& radio) {
    auto self = std::find(dialog.children.begin(), dialog.children.end(), radio.handle);
    auto first = self;
    while (first != dialog.children.begin()) {
        Window* window = OwnWindow(*first);
        if (window != nullptr && (window->style & WS_GROUP) != 0) {
            break;
        }
        --first;
    }
    for (auto it = first; it != dialog.children.end(); ++it) {
        Window* window = OwnWindow(*it);
        if (window == nullptr || (it != first && (window->style & WS_GROUP) != 0)) {
            break;
        }
        if (window->kind == ControlKind::RadioButton) {
            window->check = window == &radio ? BST_CHECKED : BST_UNCHECKED;
        }
    }
}

void SendItemActivate(Window& listView, UINT code, int item) {
    NMITEMACTIVATE activate{};
    activate.hdr.code = code;
    activate.iItem = item;
    NotifyParent(listView, activate.hdr);
}

// Selects exactly `rows`, focus on the last, through the list view's own messages.
void SetSelection(Window& listView, const std::vector<int>& rows) {
    HWND handle = listView.handle;
    int count = GetListViewItemCount(handle);
    for (int row = 0; row < count; ++row) {
        bool wanted = std::find(rows.begin(), rows.end(), row) != rows.end();
        bool focused = !rows.empty() && rows.back() == row;
        SetListViewItemState(handle, row,
                             (wanted ? LVIS_SELECTED : 0u) | (focused ? LVIS_FOCUSED : 0u),
                             LVIS_SELECTED | LVIS_FOCUSED);
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

// --- user actions ---------------------------------------------------------------------------

bool UserActions::Click(HWND dialog, int controlId, std::string& error) {
    return OnDialog(dialog, error, [&](Window& window, std::string& why) {
        Window* control = Reachable(window, controlId, why);
        if (control == nullptr) {
            return false;
        }
        DWORD type = control->style & kButtonTypeMask;
        switch (control->kind) {
            case ControlKind::PushButton:
                break;
            case ControlKind::CheckBox:
                if (type == kBsAutoCheckBox) {
                    control->check = control->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
                } else if (type == kBsAuto3State) {
                    control->check = (control->check + 1) % 3;
                }
                break;
            case ControlKind::RadioButton:
                if (type == kBsAutoRadioButton) {
                    CheckRadioInGroup(window, *control);
                }
                break;
            case ControlKind::Static:
                if ((control->style & SS_NOTIFY) != 0) {
                    NotifyCommand(*control, STN_CLICKED);
                }
                return true;
            default:
                why = std::string("a ") + KindName(control->kind) + " is not clicked";
                return false;
        }
        SetThreadFocus(control->handle);
        NotifyCommand(*control, BN_CLICKED);
        return true;
    });
}

bool UserActions::Type(HWND dialog, int controlId, const std::u16string& text, std::string& error) {
    return OnDialog(dialog, error, [&](Window& window, std::string& why) {
        Window* edit = ReachableOfKind(window, controlId, ControlKind::Edit, why);
        if (edit == nullptr) {
            return false;
        }
        if ((edit->style & kEsReadOnly) != 0) {
            why = "edit " + std::to_string(controlId) + " is read-only";
            return false;
        }
        HWND handle = edit->handle;
        SetThreadFocus(handle);
        SetWindowText(handle, text);
        int length = GetWindowTextLength(handle);
        SetEditSelection(handle, length, length);
        return true;
    });
}

bool UserActions::TickRow(HWND dialog, int listId, int row, bool ticked, std::string& error) {
    return OnDialog(dialog, error, [&](Window& window, std::string& why) {
        Window* listView = ReachableOfKind(window, listId, ControlKind::ListView, why);
        if (listView == nullptr || !ValidRow(listView->handle, row, why)) {
            return false;
        }
        if ((listView->listViewExStyle & LVS_EX_CHECKBOXES) == 0) {
            why = "the list has no check boxes";
            return false;
        }
        // As Win32 does: the list view reports the click, then the state image flips.
        HWND handle = listView->handle;
        SendItemActivate(*listView, NM_CLICK, row);
        if (OwnWindow(handle) != nullptr) {
            SetListViewItemState(handle, row, INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1),
                                 LVIS_STATEIMAGEMASK);
        }
        return true;
    });
}

bool UserActions::SelectRows(HWND dialog, int listId, const std::vector<int>& rows,
                             std::string& error) {
    return OnDialog(dialog, error, [&](Window& window, std::string& why) {
        Window* listView = ReachableOfKind(window, listId, ControlKind::ListView, why);
        if (listView == nullptr || rows.empty()) {
            if (listView != nullptr) {
                why = "no rows to select";
            }
            return false;
        }
        HWND handle = listView->handle;
        for (int row : rows) {
            if (!ValidRow(handle, row, why)) {
                return false;
            }
        }
        std::vector<int> selected;
        for (int row : rows) {
            selected.push_back(row);
            Window* live = OwnWindow(handle);
            if (live == nullptr) {
                return false;
            }
            SetSelection(*live, selected);
            if (Window* after = OwnWindow(handle)) {
                SendItemActivate(*after, NM_CLICK, row);
            }
        }
        return true;
    });
}

bool UserActions::DoubleClickRow(HWND dialog, int listId, int row, std::string& error) {
    return OnDialog(dialog, error, [&](Window& window, std::string& why) {
        Window* listView = ReachableOfKind(window, listId, ControlKind::ListView, why);
        if (listView == nullptr || (row != -1 && !ValidRow(listView->handle, row, why))) {
            return false;
        }
        HWND handle = listView->handle;
        SetSelection(*listView, row == -1 ? std::vector<int>{} : std::vector<int>{row});
        for (UINT code : {NM_CLICK, NM_DBLCLK}) {
            if (Window* live = OwnWindow(handle)) {
                SendItemActivate(*live, code, row);
            }
        }
        return true;
    });
}

bool UserActions::HoverRow(HWND dialog, int listId, int row, std::string& error) {
    return OnDialog(dialog, error, [&](Window& window, std::string& why) {
        Window* listView = ReachableOfKind(window, listId, ControlKind::ListView, why);
        if (listView == nullptr || (row != -1 && !ValidRow(listView->handle, row, why))) {
            return false;
        }
        NMLISTVIEW hot{};
        hot.hdr.code = LVN_HOTTRACK;
        hot.iItem = row;
        NotifyParent(*listView, hot.hdr);
        return true;
    });
}

bool UserActions::PickComboItem(HWND dialog, int controlId, int index, std::string& error) {
    return OnDialog(dialog, error, [&](Window& window, std::string& why) {
        Window* combo = ReachableOfKind(window, controlId, ControlKind::ComboBox, why);
        if (combo == nullptr) {
            return false;
        }
        if (index < 0 || index >= static_cast<int>(combo->items.size())) {
            why = "the list has no entry " + std::to_string(index);
            return false;
        }
        combo->selection = index;
        NotifyCommand(*combo, CBN_SELCHANGE);
        return true;
    });
}

bool UserActions::Spin(HWND dialog, int controlId, int delta, std::string& error) {
    return OnDialog(dialog, error, [&](Window& window, std::string& why) {
        Window* control = Reachable(window, controlId, why);
        if (control == nullptr) {
            return false;
        }
        HWND handle = control->handle;
        if (control->kind == ControlKind::Custom) {
            const CustomControlClass* custom = FindCustomControlClass(control->className);
            if (custom == nullptr || !custom->spin) {
                why = "control " + std::to_string(controlId) + " does not spin";
                return false;
            }
            return custom->spin(handle, delta);
        }
        if (control->kind != ControlKind::UpDown) {
            why = "control " + std::to_string(controlId) + " is a " + KindName(control->kind) +
                  ", not an up-down control";
            return false;
        }
        NMUPDOWN change{};
        change.hdr.code = UDN_DELTAPOS;
        change.iPos = control->position;
        change.iDelta = delta;
        if (NotifyParent(*control, change.hdr) != 0) {
            return true;  // the dialog refused the change
        }
        Window* live = OwnWindow(handle);
        if (live == nullptr) {
            return true;
        }
        int low = std::min(live->rangeMin, live->rangeMax);
        int high = std::max(live->rangeMin, live->rangeMax);
        int position = std::clamp(live->position + delta, low, high);
        if (position != live->position) {
            SetUpDownPos32(handle, position);
        }
        if ((live = OwnWindow(handle)) != nullptr) {
            if (Window* parent = DialogOf(*live); parent != nullptr && parent != live) {
                CallDialogProc(*parent, WM_VSCROLL,
                               MAKEWPARAM(static_cast<uint16_t>(SB_THUMBPOSITION),
                                          static_cast<uint16_t>(position)),
                               reinterpret_cast<LPARAM>(handle));
            }
        }
        return true;
    });
}

bool UserActions::PressEnter(HWND dialog, std::string& error) {
    return OnDialog(dialog, error, [&](Window& window, std::string& why) {
        if (!window.enabled) {
            why = "the dialog is disabled";
            return false;
        }
        for (HWND child : window.children) {
            Window* control = OwnWindow(child);
            if (control != nullptr && control->kind == ControlKind::PushButton &&
                (control->style & kButtonTypeMask) == kBsDefPushButton && control->visible &&
                control->enabled) {
                NotifyCommand(*control, BN_CLICKED);
                return true;
            }
        }
        CallDialogProc(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    });
}

bool UserActions::Close(HWND dialog, std::string& error) {
    return OnDialog(dialog, error, [&](Window& window, std::string& why) {
        if (!window.closeCommand) {
            why = "the dialog has no close box";
            return false;
        }
        if (!window.enabled) {
            why = "the dialog is disabled";
            return false;
        }
        CallDialogProc(window, WM_CLOSE, 0, 0);
        return true;
    });
}

bool UserActions::Command(HWND dialog, int commandId, std::string& error) {
    return OnDialog(dialog, error, [&](Window& window, std::string&) {
        Window* control = ChildById(window, commandId);
        CallDialogProc(window, WM_COMMAND, MAKEWPARAM(static_cast<uint16_t>(commandId), 0),
                       reinterpret_cast<LPARAM>(control != nullptr ? control->handle : nullptr));
        return true;
    });
}

// --- the input queue ------------------------------------------------------------------------

HWND ActiveDialog() {
    const std::vector<HWND>& stack = ModalStack();
    return stack.empty() ? nullptr : stack.back();
}

void QueueInput(std::function<void()> input) {
    PushInput(std::move(input));
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds patience) {
    auto giveUp = std::chrono::steady_clock::now() + patience;
    bool timedOut = false;
    PumpUntil([&] {
        timedOut = std::chrono::steady_clock::now() > giveUp;
        return timedOut || done();
    });
    return !timedOut || done();
}

}  // namespace win::headless
