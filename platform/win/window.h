#pragma once
// Windows and modal dialogs: the part of Win32's window manager the dialogs use. Each function
// behaves as the Win32 function of the same name. A call on a window that belongs to another
// thread is carried out on that thread, as SendMessage does, so a worker thread may read and
// change the dialog's controls and end the dialog while the dialog's thread runs its loop.

#include <string>

#include "platform/win/window_types.h"

namespace win {

// Opens dialog `templateId` of `module`'s resources, owned by `owner` (disabled while the dialog
// runs), calls `proc` with WM_INITDIALOG and `initParam`, and runs the dialog's message loop on
// the calling thread until EndDialog. Returns the EndDialog result, or -1 when the template is
// missing.
INT_PTR DialogBoxParam(HINSTANCE module, int templateId, HWND owner, DLGPROC proc,
                       LPARAM initParam);
// Ends the modal dialog once the message at hand has been handled; any thread may call it.
BOOL EndDialog(HWND dialog, INT_PTR result);

// Sends a message and returns its result. Dialogs answer through their procedure (and the
// DWLP_MSGRESULT value for WM_NOTIFY); controls answer the messages the seam knows
// (WM_SETTEXT, WM_KEYDOWN with VK_END, WM_CLOSE for dialogs).
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL IsWindow(HWND window);
HWND GetDlgItem(HWND dialog, int controlId);
int GetDlgCtrlID(HWND window);
HWND GetParent(HWND window);
// GW_CHILD: the first child in z-order; GW_HWNDNEXT: the next sibling.
HWND GetWindow(HWND window, UINT relation);

BOOL SetWindowText(HWND window, const std::u16string& text);
// At most `bufferUnits` - 1 units, as GetWindowTextW fills a buffer of that size.
std::u16string GetWindowText(HWND window, int bufferUnits);
int GetWindowTextLength(HWND window);
BOOL SetDlgItemText(HWND dialog, int controlId, const std::u16string& text);
std::u16string GetDlgItemText(HWND dialog, int controlId, int bufferUnits);

// Returns whether the window was disabled before.
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
// Returns whether the window was visible before.
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
// Positions are in the parent's client pixels for a child, in screen pixels for a dialog.
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL GetWindowRect(HWND window, RECT& rect);  // screen pixels
BOOL GetClientRect(HWND window, RECT& rect);
BOOL ScreenToClient(HWND window, POINT& point);

LONG_PTR GetWindowLongPtr(HWND window, int index);
LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value);

HWND SetFocus(HWND window);
HWND GetFocus();

UINT_PTR SetTimer(HWND window, UINT_PTR timerId, UINT elapseMs);
BOOL KillTimer(HWND window, UINT_PTR timerId);

// The window's system menu (revert FALSE) and the removal of one of its commands.
HMENU GetSystemMenu(HWND window, BOOL revert);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);

}  // namespace win
