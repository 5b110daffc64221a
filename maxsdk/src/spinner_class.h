#pragma once
// The spinner's window class on each window system, and the step a user's click on its arrows
// makes.

#include "platform/win/window_types.h"

// The class name a dialog template gives a spinner control.
inline constexpr char16_t kSpinnerWindowClass[] = u"SpinnerControl";

// Makes the spinner's class known to the window system (once; later calls do nothing).
void RegisterSpinnerClass();

// One click on the arrows, `delta` steps of the spinner's scale; false when it is disabled.
bool StepSpinner(HWND control, int delta);
