// The state dump of a dialog as JSON and as aligned text; the same on every window system.
#include <algorithm>
#include <cstdio>
#include <sstream>

#include "platform/headless/state_dump.h"
#include "platform/headless/utf8_of.h"

namespace win::headless {

namespace {

Json::Value Texts(const std::vector<std::u16string>& texts) {
    Json::Value array(Json::arrayValue);
    for (const std::u16string& text : texts) {
        array.append(Utf8Of(text));
    }
    return array;
}

std::string Quoted(const std::u16string& text) {
    std::string out = "\"";
    for (char c : Utf8Of(text)) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Pad(std::string text, size_t width) {
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

std::string PadLeft(const std::string& text, size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

}  // namespace

Json::Value DialogStateJson(const DialogState& state) {
    Json::Value dialog(Json::objectValue);
    dialog["dialog"] = state.id;
    dialog["caption"] = Utf8Of(state.caption);
    dialog["x"] = static_cast<int>(state.rect.left);
    dialog["y"] = static_cast<int>(state.rect.top);
    dialog["width"] = static_cast<int>(state.rect.right - state.rect.left);
    dialog["height"] = static_cast<int>(state.rect.bottom - state.rect.top);
    dialog["enabled"] = state.enabled;
    dialog["visible"] = state.visible;
    dialog["closeBox"] = state.closeBox;
    Json::Value controls(Json::arrayValue);
    for (const ControlState& control : state.controls) {
        Json::Value entry(Json::objectValue);
        entry["id"] = control.id;
        entry["kind"] = control.kind;
        entry["text"] = Utf8Of(control.text);
        entry["enabled"] = control.enabled;
        entry["visible"] = control.visible;
        entry["x"] = static_cast<int>(control.rect.left);
        entry["y"] = static_cast<int>(control.rect.top);
        entry["width"] = static_cast<int>(control.rect.right - control.rect.left);
        entry["height"] = static_cast<int>(control.rect.bottom - control.rect.top);
        if (control.checked) {
            entry["checked"] = *control.checked;
        }
        if (control.items) {
            entry["items"] = Texts(*control.items);
            entry["selection"] = *control.selection;
        }
        if (control.range) {
            Json::Value range(Json::arrayValue);
            range.append(control.range->first);
            range.append(control.range->second);
            entry["range"] = range;
            entry["position"] = *control.position;
        }
        if (control.kind == "listview") {
            Json::Value columns(Json::arrayValue);
            for (const auto& [header, width] : control.columns) {
                Json::Value column(Json::objectValue);
                column["text"] = Utf8Of(header);
                column["width"] = width;
                columns.append(column);
            }
            entry["columns"] = columns;
            Json::Value rows(Json::arrayValue);
            for (const ListViewRowState& row : control.rows) {
                Json::Value item(Json::objectValue);
                item["cells"] = Texts(row.cells);
                item["checked"] = row.checked;
                item["selected"] = row.selected;
                item["focused"] = row.focused;
                rows.append(item);
            }
            entry["rows"] = rows;
        }
        if (!control.painted.empty()) {
            Json::Value painted(Json::arrayValue);
            for (const std::string& line : control.painted) {
                painted.append(line);
            }
            entry["painted"] = painted;
        }
        if (!control.toolTip.empty()) {
            entry["toolTip"] = Utf8Of(control.toolTip);
        }
        controls.append(entry);
    }
    dialog["controls"] = controls;
    return dialog;
}

std::string DialogStateText(const DialogState& state) {
    std::ostringstream out;
    out << "Dialog " << state.id << "  " << Quoted(state.caption) << "  at " << state.rect.left
        << "," << state.rect.top << "  " << (state.rect.right - state.rect.left) << " x "
        << (state.rect.bottom - state.rect.top) << " px";
    if (!state.enabled) {
        out << "  disabled";
    }
    if (!state.closeBox) {
        out << "  no close box";
    }
    out << "\n";
    out << "  " << Pad("id", 6) << Pad("kind", 10) << PadLeft("x", 5) << PadLeft("y", 5)
        << PadLeft("w", 5) << PadLeft("h", 5) << "  " << Pad("state", 20) << "text\n";
    for (const ControlState& control : state.controls) {
        std::string flags;
        auto flag = [&flags](const std::string& word) {
            flags += (flags.empty() ? "" : " ") + word;
        };
        if (!control.visible) {
            flag("hidden");
        }
        if (!control.enabled) {
            flag("disabled");
        }
        if (control.checked) {
            flag(*control.checked == 1   ? "checked"
                 : *control.checked == 2 ? "indeterminate"
                                         : "unchecked");
        }
        if (control.range) {
            flag("pos " + std::to_string(*control.position) + " in " +
                 std::to_string(control.range->first) + ".." +
                 std::to_string(control.range->second));
        }
        out << "  " << Pad(std::to_string(control.id), 6) << Pad(control.kind, 10)
            << PadLeft(std::to_string(control.rect.left), 5)
            << PadLeft(std::to_string(control.rect.top), 5)
            << PadLeft(std::to_string(control.rect.right - control.rect.left), 5)
            << PadLeft(std::to_string(control.rect.bottom - control.rect.top), 5) << "  "
            << Pad(flags, 20) << (control.text.empty() ? "" : Quoted(control.text)) << "\n";
        std::string indent(38, ' ');
        if (control.items) {
            for (size_t i = 0; i < control.items->size(); ++i) {
                bool selected = static_cast<int>(i) == *control.selection;
                out << indent << (selected ? "* " : "  ") << Utf8Of((*control.items)[i]) << "\n";
            }
        }
        if (!control.columns.empty()) {
            out << indent << "     ";
            for (const auto& [header, width] : control.columns) {
                out << Utf8Of(header) << " (" << width << ")  ";
            }
            out << "\n";
            for (const ListViewRowState& row : control.rows) {
                out << indent
                    << (row.checked == 2   ? "[x]"
                        : row.checked == 1 ? "[ ]"
                                           : "   ")
                    << (row.selected ? "*" : " ") << (row.focused ? ">" : " ");
                for (size_t i = 0; i < row.cells.size(); ++i) {
                    out << (i == 0 ? "" : " | ") << Utf8Of(row.cells[i]);
                }
                out << "\n";
            }
        }
        for (const std::string& line : control.painted) {
            out << indent << "painted: " << line << "\n";
        }
        if (!control.toolTip.empty()) {
            out << indent << "tool tip: " << Quoted(control.toolTip) << "\n";
        }
    }
    return out.str();
}

}  // namespace win::headless
