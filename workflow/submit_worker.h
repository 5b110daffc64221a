#pragma once
// The submission worker: remembers the dialog's settings, freezes the dialog, runs the
// submission's steps against the dialog's controls and the host, and unfreezes the dialog.

#include <string>

#include "platform/win/window_types.h"

// Thread entry. `caption` is the message boxes' caption, `languageMarker` chooses their
// language; `secondCaption` travels along unused.
void SubmitWorker(HWND dialog, const std::u16string& caption, const std::u16string& secondCaption,
                  const std::u16string& languageMarker);
