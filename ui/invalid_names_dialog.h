#pragma once
// The invalid-names dialog (template 111): the output names the camera-selection check refused
// (the problem list of DialogUi), centred in the work area.

#include "platform/win/window_types.h"

INT_PTR CALLBACK InvalidNamesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Opens it modally over `owner`; returns 1078 after its button, 2 after Cancel or closing.
INT_PTR ShowInvalidNamesDialog(HWND owner);
