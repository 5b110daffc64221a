#pragma once
// The host may be called only from its user-interface thread, the one the main dialog runs on.
// A worker that needs the host asks the dialog: the call is sent to it as a message, which the
// dialog's thread serves while it pumps, and the worker waits for it to have run.

#include <functional>

#include "platform/win/window_types.h"

// The message the main dialog serves host calls with; its LPARAM is the call. In the
// application's own range, clear of the dialog manager's WM_USER messages.
inline constexpr UINT kHostCallMessage = WM_APP + 1;

// Runs `call` on `dialog`'s thread and returns once it has run there; false, without running it,
// when the dialog is gone.
bool CallOnHostThread(HWND dialog, const std::function<void()>& call);

// The dialog's side: runs the call a kHostCallMessage carries. Always TRUE.
INT_PTR ServeHostCall(LPARAM call);
