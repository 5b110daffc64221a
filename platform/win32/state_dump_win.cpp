// The state dump of a Win32 dialog, read through the controls' own messages.
#include <windows.h>

#include <commctrl.h>

#include "platform/headless/events.h"
#include "platform/headless/state_dump.h"
#include "platform/headless/utf8_of.h"
#include "platform/win/controls.h"
#include "platform/win/window.h"

namespace win::headless {

namespace {

std::u16string ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return std::u16string(reinterpret_cast<const char16_t*>(name));
}

bool Is(const std::u16string& className, const char16_t* name) {
    return ::lstrcmpiW(reinterpret_cast<const wchar_t*>(className.c_str()),
                       reinterpret_cast<const wchar_t*>(name)) == 0;
}

std::string KindOf(HWND window, const std::u16string& className) {
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    if (Is(className, u"Button")) {
        switch (style & BS_TYPEMASK) {
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
                return "checkbox";
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                return "radio";
            case BS_GROUPBOX:
                return "groupbox";
            default:
                return "button";
        }
    }
    const std::pair<const char16_t*, const char*> kinds[] = {
        {u"Static", "static"},          {u"Edit", "edit"},
        {u"ListBox", "listbox"},        {u"ComboBox", "combobox"},
        {u"SysListView32", "listview"}, {u"msctls_updown32", "updown"},
        {u"SpinnerControl", "spinner"},
    };
    for (const auto& [name, kind] : kinds) {
        if (Is(className, name)) {
            return kind;
        }
    }
    return Utf8Of(className);
}

ControlState StateOf(HWND dialog, HWND control) {
    ControlState state;
    const std::u16string className = ClassOf(control);
    state.id = ::GetDlgCtrlID(control);
    state.kind = KindOf(control, className);
    state.text = GetWindowText(control, ::GetWindowTextLengthW(control) + 1);
    state.enabled = ::IsWindowEnabled(control) != FALSE;
    state.visible = ::IsWindowVisible(control) != FALSE;
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    state.rect = rect;
    if (state.kind == "checkbox" || state.kind == "radio") {
        state.checked = static_cast<int>(GetButtonCheck(control));
    } else if (state.kind == "listbox") {
        std::vector<std::u16string> items;
        for (int i = 0; i < GetListBoxCount(control); ++i) {
            items.push_back(GetListBoxText(control, i));
        }
        state.items = items;
        state.selection = static_cast<int>(::SendMessageW(control, LB_GETCURSEL, 0, 0));
    } else if (state.kind == "combobox") {
        std::vector<std::u16string> items;
        for (int i = 0; i < GetComboCount(control); ++i) {
            items.push_back(GetComboItemText(control, i));
        }
        state.items = items;
        state.selection = GetComboSelection(control);
    } else if (state.kind == "updown") {
        int low = 0;
        int high = 0;
        GetUpDownRange32(control, low, high);
        state.range = std::make_pair(low, high);
        state.position = GetUpDownPos32(control);
    } else if (state.kind == "listview") {
        HWND header = reinterpret_cast<HWND>(::SendMessageW(control, LVM_GETHEADER, 0, 0));
        const int columns = header != nullptr
                                ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0))
                                : 0;
        for (int column = 0; column < columns; ++column) {
            wchar_t text[260] = {};
            LVCOLUMNW record{};
            record.mask = LVCF_TEXT | LVCF_WIDTH;
            record.pszText = text;
            record.cchTextMax = 260;
            ::SendMessageW(control, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                           reinterpret_cast<LPARAM>(&record));
            state.columns.emplace_back(reinterpret_cast<const char16_t*>(text), record.cx);
        }
        for (int row = 0; row < GetListViewItemCount(control); ++row) {
            ListViewRowState rowState;
            for (int column = 0; column < std::max(columns, 1); ++column) {
                rowState.cells.push_back(GetListViewItemText(control, row, column, 1024));
            }
            const UINT itemState = GetListViewItemState(control, row, 0xFFFF);
            rowState.checked = static_cast<int>((itemState & LVIS_STATEIMAGEMASK) >> 12);
            rowState.selected = (itemState & LVIS_SELECTED) != 0;
            rowState.focused = (itemState & LVIS_FOCUSED) != 0;
            state.rows.push_back(rowState);
        }
    }
    return state;
}

}  // namespace

bool DumpDialog(HWND dialog, DialogState& state) {
    if (!::IsWindow(dialog)) {
        return false;
    }
    state = DialogState{};
    state.id = DialogTemplateId(dialog);
    state.caption = GetWindowText(dialog, ::GetWindowTextLengthW(dialog) + 1);
    ::GetWindowRect(dialog, &state.rect);
    state.enabled = ::IsWindowEnabled(dialog) != FALSE;
    state.visible = ::IsWindowVisible(dialog) != FALSE;
    HMENU menu = ::GetSystemMenu(dialog, FALSE);
    state.closeBox =
        menu != nullptr && ::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        state.controls.push_back(StateOf(dialog, child));
    }
    return true;
}

}  // namespace win::headless
