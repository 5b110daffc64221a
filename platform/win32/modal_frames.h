#pragma once
// The modal dialogs of the window seam's Win32 side: each dialog runs behind a small procedure
// that hands every message to the dialog's own procedure, ends the dialog on its thread when
// another thread asks, and runs the calling thread's queued user input when the dialog is idle.

#include <windows.h>

#include "platform/headless/events.h"

namespace win::win32 {

// The private messages and timers of that procedure; dialog procedures never see them.
inline constexpr UINT kEndDialogMessage = WM_APP + 0x3F00;  // wParam: the result
inline constexpr UINT_PTR kInputTimer = 0x5A45;             // fires when the loop is idle
inline constexpr UINT_PTR kStarvationTimer = 0x5A46;

// The innermost modal dialog of the calling thread; null when none runs.
HWND InnermostDialog();
// Asks the innermost dialog of the calling thread to take queued input once it is idle.
void WakeInnermostDialog();


// Tells the event observer, if one is set.
void EmitWindowEvent(const headless::WindowEvent& event);

}  // namespace win::win32
