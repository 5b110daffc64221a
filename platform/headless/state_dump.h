#pragma once
// The state of a dialog as a reviewer or a test sees it: its caption and, per control, what a
// user would see and could do. As JSON for programs and as aligned text for people.

#include <json/value.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win/window_types.h"

namespace win::headless {

struct ListViewRowState {
    std::vector<std::u16string> cells;
    int checked = 0;  // the state image: 0 none, 1 unticked, 2 ticked
    bool selected = false;
    bool focused = false;
};

struct ControlState {
    int id = 0;
    std::string kind;
    std::u16string text;
    bool enabled = true;
    bool visible = true;
    RECT rect{0, 0, 0, 0};  // client pixels of the dialog
    std::optional<int> checked;
    std::optional<std::vector<std::u16string>> items;
    std::optional<int> selection;
    std::optional<std::pair<int, int>> range;
    std::optional<int> position;
    std::vector<std::pair<std::u16string, int>> columns;  // header and width
    std::vector<ListViewRowState> rows;
    std::vector<std::string> painted;
    std::u16string toolTip;
};

struct DialogState {
    int id = 0;
    std::u16string caption;
    RECT rect{0, 0, 0, 0};  // screen pixels
    bool enabled = true;
    bool visible = true;
    bool closeBox = true;
    std::vector<ControlState> controls;  // z-order, top first
};

// Any thread: the dialog's own thread takes the picture.
bool DumpDialog(HWND dialog, DialogState& state);

Json::Value DialogStateJson(const DialogState& state);
std::string DialogStateText(const DialogState& state);

}  // namespace win::headless
