// Headless side of the standard controls: buttons, edits, list views, list boxes, combo boxes
// and up-down controls, with the notifications Win32 sends for programmatic changes.
#include <algorithm>

#include "platform/headless/window_system.h"
#include "platform/win/controls.h"
#include "platform/win/window.h"

namespace win {

using headless::ControlKind;
using headless::ListViewRow;
using headless::Window;
using headless::WithWindow;

namespace {

bool IsCheckable(const Window& window) {
    return window.kind == ControlKind::CheckBox || window.kind == ControlKind::RadioButton;
}

char16_t FoldCase(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool EqualIgnoringCase(const std::u16string& a, const std::u16string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

bool ValidRow(const Window& listView, int item) {
    return listView.kind == ControlKind::ListView && item >= 0 &&
           item < static_cast<int>(listView.rows.size());
}

// LVN_ITEMCHANGING (which may refuse), the change, LVN_ITEMCHANGED.
bool ChangeRowState(Window& listView, int item, UINT state, UINT mask) {
    UINT oldState = listView.rows[static_cast<size_t>(item)].state;
    UINT newState = (oldState & ~mask) | (state & mask);
    if (newState == oldState) {
        return true;
    }
    NMLISTVIEW change{};
    change.iItem = item;
    change.uOldState = oldState;
    change.uNewState = newState;
    change.uChanged = LVIF_STATE;
    change.hdr.code = LVN_ITEMCHANGING;
    HWND handle = listView.handle;
    if (headless::NotifyParent(listView, change.hdr) != 0) {
        return false;
    }
    Window* live = headless::OwnWindow(handle);
    if (live == nullptr || !ValidRow(*live, item)) {
        return false;
    }
    live->rows[static_cast<size_t>(item)].state = newState;
    change.hdr.code = LVN_ITEMCHANGED;
    headless::NotifyParent(*live, change.hdr);
    return true;
}

int ClampToRange(const Window& upDown, int position) {
    int low = std::min(upDown.rangeMin, upDown.rangeMax);
    int high = std::max(upDown.rangeMin, upDown.rangeMax);
    return std::clamp(position, low, high);
}

constexpr DWORD kUdsSetBuddyInt = 0x0002;

void WriteBuddy(Window& upDown) {
    if ((upDown.style & kUdsSetBuddyInt) != 0 && upDown.buddy != nullptr) {
        std::string digits = std::to_string(upDown.position);
        SetWindowText(upDown.buddy, std::u16string(digits.begin(), digits.end()));
    }
}

int SetPosition(HWND upDown, int position) {
    return WithWindow<int>(upDown, 0, [&](Window& target) {
        int old = target.position;
        target.position = ClampToRange(target, position);
        WriteBuddy(target);
        return old;
    });
}

}  // namespace

// --- buttons --------------------------------------------------------------------------------

void SetButtonCheck(HWND button, UINT state) {
    WithWindow<int>(button, 0, [&](Window& target) {
        if (IsCheckable(target)) {
            target.check = state;
        }
        return 0;
    });
}

UINT GetButtonCheck(HWND button) {
    return WithWindow<UINT>(button, BST_UNCHECKED, [](Window& target) -> UINT {
        return IsCheckable(target) ? target.check : BST_UNCHECKED;
    });
}

BOOL CheckDlgButton(HWND dialog, int controlId, UINT state) {
    HWND button = GetDlgItem(dialog, controlId);
    if (button == nullptr) {
        return FALSE;
    }
    SetButtonCheck(button, state);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int controlId) {
    return GetButtonCheck(GetDlgItem(dialog, controlId));
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    for (int id = firstId; id <= lastId; ++id) {
        CheckDlgButton(dialog, id, id == checkId ? BST_CHECKED : BST_UNCHECKED);
    }
    return TRUE;
}

// --- edits ----------------------------------------------------------------------------------

void SetEditSelection(HWND edit, int start, int end) {
    WithWindow<int>(edit, 0, [&](Window& target) {
        int length = static_cast<int>(target.text.size());
        if (start < 0) {
            target.selectionStart = target.selectionEnd;
            return 0;
        }
        int last = end < 0 ? length : std::min(end, length);
        int first = std::min(start, length);
        target.selectionStart = std::min(first, last);
        target.selectionEnd = std::max(first, last);
        return 0;
    });
}

void GetEditSelection(HWND edit, int& start, int& end) {
    start = end = 0;
    WithWindow<int>(edit, 0, [&](Window& target) {
        start = target.selectionStart;
        end = target.selectionEnd;
        return 0;
    });
}

// --- list views -----------------------------------------------------------------------------

DWORD SetListViewExtendedStyle(HWND listView, DWORD mask, DWORD styles) {
    return WithWindow<DWORD>(listView, 0, [&](Window& target) {
        DWORD old = target.listViewExStyle;
        DWORD effectiveMask = mask == 0 ? 0xFFFFFFFF : mask;
        target.listViewExStyle = (old & ~effectiveMask) | (styles & effectiveMask);
        bool checkBoxesNow = (target.listViewExStyle & LVS_EX_CHECKBOXES) != 0;
        if (checkBoxesNow && (old & LVS_EX_CHECKBOXES) == 0) {
            for (ListViewRow& row : target.rows) {
                row.state = (row.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(1);
            }
        }
        return old;
    });
}

DWORD GetListViewExtendedStyle(HWND listView) {
    return WithWindow<DWORD>(listView, 0, [](Window& target) { return target.listViewExStyle; });
}

int InsertListViewColumn(HWND listView, int column, int format, int width,
                         const std::u16string& text) {
    return WithWindow<int>(listView, -1, [&](Window& target) {
        if (target.kind != ControlKind::ListView || column < 0) {
            return -1;
        }
        size_t at = std::min(static_cast<size_t>(column), target.columns.size());
        target.columns.insert(target.columns.begin() + static_cast<std::ptrdiff_t>(at),
                              headless::ListViewColumn{text, width, format});
        return static_cast<int>(at);
    });
}

int InsertListViewItem(HWND listView, int item, const std::u16string& text) {
    return WithWindow<int>(listView, -1, [&](Window& target) {
        if (target.kind != ControlKind::ListView || item < 0) {
            return -1;
        }
        size_t at = std::min(static_cast<size_t>(item), target.rows.size());
        ListViewRow row;
        row.cells.push_back(text);
        if ((target.listViewExStyle & LVS_EX_CHECKBOXES) != 0) {
            row.state = INDEXTOSTATEIMAGEMASK(1);
        }
        target.rows.insert(target.rows.begin() + static_cast<std::ptrdiff_t>(at), row);
        return static_cast<int>(at);
    });
}

BOOL SetListViewItemText(HWND listView, int item, int subItem, const std::u16string& text) {
    return WithWindow<BOOL>(listView, FALSE, [&](Window& target) {
        if (!ValidRow(target, item) || subItem < 0) {
            return FALSE;
        }
        std::vector<std::u16string>& cells = target.rows[static_cast<size_t>(item)].cells;
        if (cells.size() <= static_cast<size_t>(subItem)) {
            cells.resize(static_cast<size_t>(subItem) + 1);
        }
        cells[static_cast<size_t>(subItem)] = text;
        return TRUE;
    });
}

std::u16string GetListViewItemText(HWND listView, int item, int subItem, int bufferUnits) {
    return WithWindow<std::u16string>(listView, std::u16string(), [&](Window& target) {
        if (!ValidRow(target, item) || subItem < 0) {
            return std::u16string();
        }
        const std::vector<std::u16string>& cells = target.rows[static_cast<size_t>(item)].cells;
        if (static_cast<size_t>(subItem) >= cells.size()) {
            return std::u16string();
        }
        const std::u16string& text = cells[static_cast<size_t>(subItem)];
        size_t limit = bufferUnits > 0 ? static_cast<size_t>(bufferUnits - 1) : 0;
        return text.substr(0, std::min(text.size(), limit));
    });
}

BOOL SetListViewItemState(HWND listView, int item, UINT state, UINT mask) {
    return WithWindow<BOOL>(listView, FALSE, [&](Window& target) {
        if (item == -1) {
            HWND handle = target.handle;
            for (int row = 0;; ++row) {
                Window* live = headless::OwnWindow(handle);
                if (live == nullptr || !ValidRow(*live, row)) {
                    break;
                }
                ChangeRowState(*live, row, state, mask);
            }
            return TRUE;
        }
        if (!ValidRow(target, item)) {
            return FALSE;
        }
        return ChangeRowState(target, item, state, mask) ? TRUE : FALSE;
    });
}

UINT GetListViewItemState(HWND listView, int item, UINT mask) {
    return WithWindow<UINT>(listView, 0, [&](Window& target) -> UINT {
        return ValidRow(target, item) ? target.rows[static_cast<size_t>(item)].state & mask : 0;
    });
}

BOOL DeleteAllListViewItems(HWND listView) {
    return WithWindow<BOOL>(listView, FALSE, [](Window& target) {
        if (target.kind != ControlKind::ListView) {
            return FALSE;
        }
        target.rows.clear();
        return TRUE;
    });
}

int GetListViewItemCount(HWND listView) {
    return WithWindow<int>(listView, 0,
                           [](Window& target) { return static_cast<int>(target.rows.size()); });
}

int GetNextListViewItem(HWND listView, int start, UINT flags) {
    return WithWindow<int>(listView, -1, [&](Window& target) {
        UINT wanted = 0;
        if ((flags & LVNI_SELECTED) != 0) {
            wanted |= LVIS_SELECTED;
        }
        if ((flags & LVNI_FOCUSED) != 0) {
            wanted |= LVIS_FOCUSED;
        }
        for (int row = std::max(start + 1, 0); row < static_cast<int>(target.rows.size()); ++row) {
            if ((target.rows[static_cast<size_t>(row)].state & wanted) == wanted) {
                return row;
            }
        }
        return -1;
    });
}

UINT GetListViewSelectedCount(HWND listView) {
    return WithWindow<UINT>(listView, 0, [](Window& target) {
        return static_cast<UINT>(
            std::count_if(target.rows.begin(), target.rows.end(),
                          [](const ListViewRow& row) { return (row.state & LVIS_SELECTED) != 0; }));
    });
}

// --- list boxes -----------------------------------------------------------------------------

void ResetListBox(HWND listBox) {
    WithWindow<int>(listBox, 0, [](Window& target) {
        target.items.clear();
        target.selection = -1;
        return 0;
    });
}

int AddListBoxString(HWND listBox, const std::u16string& text) {
    return WithWindow<int>(listBox, LB_ERR, [&](Window& target) {
        if (target.kind != ControlKind::ListBox) {
            return LB_ERR;
        }
        target.items.push_back(text);
        return static_cast<int>(target.items.size()) - 1;
    });
}

int GetListBoxCount(HWND listBox) {
    return WithWindow<int>(listBox, LB_ERR,
                           [](Window& target) { return static_cast<int>(target.items.size()); });
}

std::u16string GetListBoxText(HWND listBox, int index) {
    return WithWindow<std::u16string>(listBox, std::u16string(), [&](Window& target) {
        return index >= 0 && index < static_cast<int>(target.items.size())
                   ? target.items[static_cast<size_t>(index)]
                   : std::u16string();
    });
}

int GetListBoxHorizontalExtent(HWND listBox) {
    return WithWindow<int>(listBox, 0, [](Window& target) { return target.horizontalExtent; });
}

void SetListBoxHorizontalExtent(HWND listBox, int extent) {
    WithWindow<int>(listBox, 0, [&](Window& target) {
        target.horizontalExtent = extent;
        return 0;
    });
}

// --- combo boxes ----------------------------------------------------------------------------

int InsertComboString(HWND comboBox, int index, const std::u16string& text) {
    return WithWindow<int>(comboBox, CB_ERR, [&](Window& target) {
        if (target.kind != ControlKind::ComboBox) {
            return CB_ERR;
        }
        size_t at = index < 0 ? target.items.size()
                              : std::min(static_cast<size_t>(index), target.items.size());
        if (at > target.items.size()) {
            return CB_ERR;
        }
        target.items.insert(target.items.begin() + static_cast<std::ptrdiff_t>(at), text);
        if (target.selection >= static_cast<int>(at)) {
            ++target.selection;
        }
        return static_cast<int>(at);
    });
}

int AddComboString(HWND comboBox, const std::u16string& text) {
    return InsertComboString(comboBox, -1, text);
}

int FindComboStringExact(HWND comboBox, int start, const std::u16string& text) {
    return WithWindow<int>(comboBox, CB_ERR, [&](Window& target) {
        int count = static_cast<int>(target.items.size());
        for (int step = 1; step <= count; ++step) {
            int index = ((start < 0 ? -1 : start) + step) % count;
            if (EqualIgnoringCase(target.items[static_cast<size_t>(index)], text)) {
                return index;
            }
        }
        return CB_ERR;
    });
}

int SetComboSelection(HWND comboBox, int index) {
    return WithWindow<int>(comboBox, CB_ERR, [&](Window& target) {
        if (index < 0 || index >= static_cast<int>(target.items.size())) {
            target.selection = -1;
            return CB_ERR;
        }
        target.selection = index;
        return index;
    });
}

int GetComboSelection(HWND comboBox) {
    return WithWindow<int>(comboBox, CB_ERR, [](Window& target) {
        return target.kind == ControlKind::ComboBox ? target.selection : CB_ERR;
    });
}

int GetComboCount(HWND comboBox) {
    return WithWindow<int>(comboBox, CB_ERR,
                           [](Window& target) { return static_cast<int>(target.items.size()); });
}

std::u16string GetComboItemText(HWND comboBox, int index) {
    return GetListBoxText(comboBox, index);
}

void ResetCombo(HWND comboBox) {
    ResetListBox(comboBox);
}

// --- up-down controls -----------------------------------------------------------------------

void SetUpDownRange(HWND upDown, int16_t minimum, int16_t maximum) {
    SetUpDownRange32(upDown, minimum, maximum);
}

void SetUpDownRange32(HWND upDown, int minimum, int maximum) {
    WithWindow<int>(upDown, 0, [&](Window& target) {
        target.rangeMin = minimum;
        target.rangeMax = maximum;
        return 0;
    });
}

void GetUpDownRange32(HWND upDown, int& minimum, int& maximum) {
    minimum = maximum = 0;
    WithWindow<int>(upDown, 0, [&](Window& target) {
        minimum = target.rangeMin;
        maximum = target.rangeMax;
        return 0;
    });
}

int SetUpDownPos(HWND upDown, int16_t position) {
    return SetPosition(upDown, position);
}

int SetUpDownPos32(HWND upDown, int position) {
    return SetPosition(upDown, position);
}

int GetUpDownPos32(HWND upDown) {
    return WithWindow<int>(upDown, 0, [](Window& target) { return target.position; });
}

}  // namespace win
