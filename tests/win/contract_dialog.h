#pragma once
// The dialog the window system's contract tests open: one control of each kind the plug-in's
// dialogs use. Template 500 of TestDialogModule().

#include "platform/win/window_types.h"

inline constexpr int kContractDialog = 500;
inline constexpr int kEdit = 100;
inline constexpr int kBuddyEdit = 101;
inline constexpr int kUpDown = 102;  // UDS_SETBUDDYINT, buddy kBuddyEdit
inline constexpr int kCheckBox = 103;
inline constexpr int kRadioFirst = 104;  // 104 to 106, one group
inline constexpr int kRadioLast = 106;
inline constexpr int kListView = 107;
inline constexpr int kListBox = 108;
inline constexpr int kCombo = 109;
inline constexpr int kNotifyingStatic = 110;  // SS_NOTIFY
inline constexpr int kButton = 111;
inline constexpr int kPlainUpDown = 112;  // no buddy

// The module that holds the contract dialog.
HINSTANCE TestDialogModule();
