// The state dump of a headless dialog, taken on the dialog's thread, as JSON and as text.
#include "platform/headless/state_dump.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "platform/headless/custom_controls.h"
#include "platform/headless/window_system.h"
#include "platform/win/window.h"

namespace win::headless {

namespace {

std::string KindOf(const Window& window) {
    switch (window.kind) {
        case ControlKind::PushButton:
            return "button";
        case ControlKind::CheckBox:
            return "checkbox";
        case ControlKind::RadioButton:
            return "radio";
        case ControlKind::GroupBox:
            return "groupbox";
        case ControlKind::Static:
            return "static";
        case ControlKind::Edit:
            return "edit";
        case ControlKind::ListBox:
            return "listbox";
        case ControlKind::ComboBox:
            return "combobox";
        case ControlKind::ListView:
            return "listview";
        case ControlKind::UpDown:
            return "updown";
        case ControlKind::Dialog:
            return "dialog";
        case ControlKind::Custom:
            break;
    }
    const CustomControlClass* custom = FindCustomControlClass(window.className);
    return custom != nullptr ? custom->kind : Utf8Of(window.className);
}

ControlState StateOf(const Window& window) {
    ControlState state;
    state.id = window.id;
    state.kind = KindOf(window);
    state.text = window.kind == ControlKind::ComboBox
                     ? (window.selection >= 0 ? window.items[static_cast<size_t>(window.selection)]
                                              : std::u16string())
                     : window.text;
    state.enabled = window.enabled;
    state.visible = window.visible;
    state.rect = window.rect;
    state.painted = window.painted;
    state.toolTip = window.toolTip;
    switch (window.kind) {
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            state.checked = static_cast<int>(window.check);
            break;
        case ControlKind::ListBox:
        case ControlKind::ComboBox:
            state.items = window.items;
            state.selection = window.selection;
            break;
        case ControlKind::UpDown:
            state.range = std::make_pair(window.rangeMin, window.rangeMax);
            state.position = window.position;
            break;
        case ControlKind::ListView:
            for (const ListViewColumn& column : window.columns) {
                state.columns.emplace_back(column.text, column.width);
            }
            for (const ListViewRow& row : window.rows) {
                ListViewRowState rowState;
                rowState.cells = row.cells;
                rowState.cells.resize(std::max(row.cells.size(), window.columns.size()));
                rowState.checked = static_cast<int>((row.state & LVIS_STATEIMAGEMASK) >> 12);
                rowState.selected = (row.state & LVIS_SELECTED) != 0;
                rowState.focused = (row.state & LVIS_FOCUSED) != 0;
                state.rows.push_back(rowState);
            }
            break;
        default:
            break;
    }
    return state;
}

}  // namespace

bool DumpDialog(HWND dialog, DialogState& state) {
    return OnWindowThread(dialog, 0, [&](Window& window) -> LRESULT {
               state = DialogState{};
               state.id = window.templateId;
               state.caption = window.text;
               state.rect = window.rect;
               state.enabled = window.enabled;
               state.visible = window.visible;
               state.closeBox = window.closeCommand;
               for (HWND child : window.children) {
                   if (Window* control = OwnWindow(child)) {
                       state.controls.push_back(StateOf(*control));
                   }
               }
               return 1;
           }) != 0;
}

}  // namespace win::headless
