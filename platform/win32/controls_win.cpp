// Windows side of the standard controls: the messages Win32 defines for them. Win32 calls only.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "platform/win/controls.h"
#include "platform/win32/wide_text.h"

namespace win {

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(window, message, wParam, lParam);
}

LPARAM TextParam(const std::u16string& text) {
    return reinterpret_cast<LPARAM>(Wide(text));
}

}  // namespace

void SetButtonCheck(HWND button, UINT state) {
    Send(button, BM_SETCHECK, state, 0);
}

UINT GetButtonCheck(HWND button) {
    return static_cast<UINT>(Send(button, BM_GETCHECK, 0, 0));
}

BOOL CheckDlgButton(HWND dialog, int controlId, UINT state) {
    return ::CheckDlgButton(dialog, controlId, state);
}

UINT IsDlgButtonChecked(HWND dialog, int controlId) {
    return ::IsDlgButtonChecked(dialog, controlId);
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    return ::CheckRadioButton(dialog, firstId, lastId, checkId);
}

void SetEditSelection(HWND edit, int start, int end) {
    Send(edit, EM_SETSEL, static_cast<WPARAM>(start), end);
}

void GetEditSelection(HWND edit, int& start, int& end) {
    DWORD first = 0;
    DWORD last = 0;
    Send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

// --- list views -----------------------------------------------------------------------------

DWORD SetListViewExtendedStyle(HWND listView, DWORD mask, DWORD styles) {
    return static_cast<DWORD>(Send(listView, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, styles));
}

DWORD GetListViewExtendedStyle(HWND listView) {
    return static_cast<DWORD>(Send(listView, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

int InsertListViewColumn(HWND listView, int column, int format, int width,
                         const std::u16string& text) {
    std::u16string copy = text;  // LVCOLUMNW takes a writable pointer
    LVCOLUMNW record{};
    record.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    record.fmt = format;
    record.cx = width;
    record.pszText = reinterpret_cast<LPWSTR>(copy.data());
    record.iSubItem = column;
    return static_cast<int>(Send(listView, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                                 reinterpret_cast<LPARAM>(&record)));
}

int InsertListViewItem(HWND listView, int item, const std::u16string& text) {
    std::u16string copy = text;
    LVITEMW record{};
    record.mask = LVIF_TEXT;
    record.iItem = item;
    record.pszText = reinterpret_cast<LPWSTR>(copy.data());
    return static_cast<int>(Send(listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&record)));
}

BOOL SetListViewItemText(HWND listView, int item, int subItem, const std::u16string& text) {
    std::u16string copy = text;
    LVITEMW record{};
    record.mask = LVIF_TEXT;
    record.iItem = item;
    record.iSubItem = subItem;
    record.pszText = reinterpret_cast<LPWSTR>(copy.data());
    return static_cast<BOOL>(Send(listView, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&record)));
}

std::u16string GetListViewItemText(HWND listView, int item, int subItem, int bufferUnits) {
    if (bufferUnits <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(bufferUnits), L'\0');
    LVITEMW record{};
    record.iSubItem = subItem;
    record.pszText = buffer.data();
    record.cchTextMax = bufferUnits;
    Send(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record));
    if (record.pszText != buffer.data() && record.pszText != nullptr) {
        // The control may answer with a pointer to its own text.
        std::u16string text(reinterpret_cast<const char16_t*>(record.pszText));
        return text.substr(0, static_cast<size_t>(bufferUnits - 1));
    }
    return FromBuffer(buffer);
}

BOOL SetListViewItemState(HWND listView, int item, UINT state, UINT mask) {
    LVITEMW record{};
    record.state = state;
    record.stateMask = mask;
    return static_cast<BOOL>(Send(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                                  reinterpret_cast<LPARAM>(&record)));
}

UINT GetListViewItemState(HWND listView, int item, UINT mask) {
    return static_cast<UINT>(Send(listView, LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
}

BOOL DeleteAllListViewItems(HWND listView) {
    return static_cast<BOOL>(Send(listView, LVM_DELETEALLITEMS, 0, 0));
}

int GetListViewItemCount(HWND listView) {
    return static_cast<int>(Send(listView, LVM_GETITEMCOUNT, 0, 0));
}

int GetNextListViewItem(HWND listView, int start, UINT flags) {
    return static_cast<int>(
        Send(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(start), static_cast<LPARAM>(flags)));
}

UINT GetListViewSelectedCount(HWND listView) {
    return static_cast<UINT>(Send(listView, LVM_GETSELECTEDCOUNT, 0, 0));
}

// --- list boxes -----------------------------------------------------------------------------

void ResetListBox(HWND listBox) {
    Send(listBox, LB_RESETCONTENT, 0, 0);
}

int AddListBoxString(HWND listBox, const std::u16string& text) {
    return static_cast<int>(Send(listBox, LB_ADDSTRING, 0, TextParam(text)));
}

int GetListBoxCount(HWND listBox) {
    return static_cast<int>(Send(listBox, LB_GETCOUNT, 0, 0));
}

std::u16string GetListBoxText(HWND listBox, int index) {
    LRESULT length = Send(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    Send(listBox, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return FromBuffer(buffer);
}

int GetListBoxHorizontalExtent(HWND listBox) {
    return static_cast<int>(Send(listBox, LB_GETHORIZONTALEXTENT, 0, 0));
}

void SetListBoxHorizontalExtent(HWND listBox, int extent) {
    Send(listBox, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
}

// --- combo boxes ----------------------------------------------------------------------------

int InsertComboString(HWND comboBox, int index, const std::u16string& text) {
    return static_cast<int>(
        Send(comboBox, CB_INSERTSTRING, static_cast<WPARAM>(index), TextParam(text)));
}

int AddComboString(HWND comboBox, const std::u16string& text) {
    return static_cast<int>(Send(comboBox, CB_ADDSTRING, 0, TextParam(text)));
}

int FindComboStringExact(HWND comboBox, int start, const std::u16string& text) {
    return static_cast<int>(
        Send(comboBox, CB_FINDSTRINGEXACT, static_cast<WPARAM>(start), TextParam(text)));
}

int SetComboSelection(HWND comboBox, int index) {
    return static_cast<int>(Send(comboBox, CB_SETCURSEL, static_cast<WPARAM>(index), 0));
}

int GetComboSelection(HWND comboBox) {
    return static_cast<int>(Send(comboBox, CB_GETCURSEL, 0, 0));
}

int GetComboCount(HWND comboBox) {
    return static_cast<int>(Send(comboBox, CB_GETCOUNT, 0, 0));
}

std::u16string GetComboItemText(HWND comboBox, int index) {
    LRESULT length = Send(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    Send(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(index),
         reinterpret_cast<LPARAM>(buffer.data()));
    return FromBuffer(buffer);
}

void ResetCombo(HWND comboBox) {
    Send(comboBox, CB_RESETCONTENT, 0, 0);
}

// --- up-down controls -----------------------------------------------------------------------

void SetUpDownRange(HWND upDown, int16_t minimum, int16_t maximum) {
    Send(upDown, UDM_SETRANGE, 0,
         MAKELPARAM(static_cast<WORD>(maximum), static_cast<WORD>(minimum)));
}

void SetUpDownRange32(HWND upDown, int minimum, int maximum) {
    Send(upDown, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
}

void GetUpDownRange32(HWND upDown, int& minimum, int& maximum) {
    Send(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&minimum),
         reinterpret_cast<LPARAM>(&maximum));
}

int SetUpDownPos(HWND upDown, int16_t position) {
    return static_cast<int16_t>(
        Send(upDown, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(position), 0)));
}

int SetUpDownPos32(HWND upDown, int position) {
    return static_cast<int>(Send(upDown, UDM_SETPOS32, 0, position));
}

int GetUpDownPos32(HWND upDown) {
    return static_cast<int>(Send(upDown, UDM_GETPOS32, 0, 0));
}

}  // namespace win
