#pragma once
// The plug-in's one message box call: MessageBoxExW inside the module's activation context, with
// the language identifier that the language marker (string 57) chooses.

#include <string>

#include "platform/win/message_box.h"

// 1033 (English, United States) when the marker is exactly "0", otherwise 1.
unsigned short MessageBoxLanguage(const std::u16string& languageMarker);

// Shows `text` with `caption` and the buttons of `type` (MB_OK, MB_OKCANCEL, MB_YESNO, ...) and
// returns the button pressed (IDOK, IDCANCEL, IDYES, IDNO).
int PluginMessageBox(HWND owner, const std::u16string& text,
                     const std::u16string& caption, unsigned type,
                     const std::u16string& languageMarker);
