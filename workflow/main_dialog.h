#pragma once
// The submission dialog (template 102): opened modally over the host's main window by the
// plug-in's menu command, it analyses the scene, shows cameras, warnings and render options,
// keeps the options consistent, opens the camera settings dialog and starts the submission.

#include "config/config_mgr.h"
#include "platform/win/window_types.h"

// Opens the dialog and returns when it has closed.
void ShowMainDialog(ZEPRenderingConfigMgr& configMgr);

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
