#pragma once

#include "platform/win/message_box.h"

// Refuses a Corona scene whose progressive rendering has no limit at all (state 1 or 2, and pass,
// time and noise limits all zero): closes the progress window, shows the refusal owned by
// `owner` and returns false. Every other scene passes silently.
bool ConfirmCoronaLimits(HWND owner);
