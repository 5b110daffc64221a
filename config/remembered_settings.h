#pragma once
// The dialog settings the plug-in remembers in its configuration file between sessions: which
// key stores which control, in which order they are written, and their reset values.

#include <functional>
#include <span>
#include <string>
#include <vector>

enum class RememberedGroup { CheckBox, ComboBox, Edit, RadioButton };

struct RememberedSetting {
    int controlId;
    RememberedGroup group;
    const char16_t* key;
    const char16_t* resetValue;
};

// Every remembered control, group by group (check boxes, combo box, edits, radio buttons) and
// in the order the settings are written.
std::span<const RememberedSetting> RememberedSettings();

// The key of a control, or the empty text for a control that is not remembered.
std::u16string KeyForControl(int controlId);

// Reads the dialog's controls: a check state (IsDlgButtonChecked), a combo selection
// (CB_GETCURSEL, -1 for none) and an edit's whole text.
struct ControlReader {
    std::function<unsigned(int controlId)> checkState;
    std::function<int(int controlId)> comboSelection;
    std::function<std::u16string(int controlId)> editText;
};

// One value text per entry of RememberedSettings(), in its order.
using RememberedValues = std::vector<std::u16string>;

RememberedValues ResetRememberedValues();
// The controls' current values in their stored forms: check states in decimal, a combo
// selection of 1 to 3 as itself and any other as "0", edit texts verbatim.
RememberedValues CurrentRememberedValues(const ControlReader& controls);

// Writes each value under its key in section "general" of the configuration file, one profile
// write per key in table order. Write failures are ignored.
void WriteRememberedValues(const RememberedValues& values);

// What a submission remembers: the current values when "remember settings" (1001) is ticked,
// the reset values when it is clear.
void RememberDialogSettings(const ControlReader& controls);
