#pragma once
// Where the window system shows a control's tool tip; an empty text removes it.

#include <string>

#include "platform/win/window_types.h"

void ShowToolTipText(HWND control, const std::u16string& text);
