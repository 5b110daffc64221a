#pragma once
// The camera settings dialog (template 103): width, height and a lockable aspect ratio, frame,
// image format, spherical flag and output name of one camera, or of several at once in batch
// mode, where padlocks unlock the groups that are to change. Opened modally over the main
// dialog; on OK it writes the cameras of the edit list, sends WM_USER + 1 to its parent and
// ends with 1; closing ends it with 0 and changes nothing.

#include "platform/win/window_types.h"

INT_PTR CALLBACK CameraSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// DialogBoxParamW of template 103 over `owner` with `creationParam`.
INT_PTR ShowCameraSettingsDialog(HWND owner, LPARAM creationParam);
