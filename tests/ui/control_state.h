#pragma once
// A control's state, read inside its dialog.

#include <string>

#include "platform/win/controls.h"
#include "platform/win/window.h"

inline std::u16string Text(HWND dialog, int control) {
    return win::GetDlgItemText(dialog, control, 260);
}
inline bool Enabled(HWND dialog, int control) {
    return win::IsWindowEnabled(win::GetDlgItem(dialog, control)) != FALSE;
}
inline bool Visible(HWND dialog, int control) {
    return win::IsWindowVisible(win::GetDlgItem(dialog, control)) != FALSE;
}
inline bool Checked(HWND dialog, int control) {
    return win::IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}
