#pragma once
// The progress window (template 104) shown while a submission works, on a thread of its own.
// It follows the requests in PluginState every 30 ms: hidden while hideProgress is set, ended
// once closeProgress is set. It has no close box and no command ends it.

#include <string>

#include "platform/win/window_types.h"

// Thread entry: runs the progress dialog over `owner` and, when it has ended, sets
// progressRunState to 11. The texts are the main caption, the second caption and the language
// marker the main dialog gives its threads.
void RunProgressDialog(HWND owner, const std::u16string& caption,
                       const std::u16string& secondCaption, const std::u16string& languageMarker);

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
