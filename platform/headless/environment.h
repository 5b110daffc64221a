#pragma once
// The surroundings of the headless window system that tests and tools set: the screen's
// resolution and work area, and the clock that timers run on.

#include <cstdint>

#include "platform/win/window_types.h"

namespace win::headless {

// Dots per inch of the screen (96 at the start). Dialogs opened afterwards are laid out for it.
void SetScreenDpi(int dpi);
// The work area of the screen (0, 0, 1920, 1040 at the start).
void SetWorkArea(const RECT& workArea);

// Timers run on a steady clock until a test takes the clock over: from then on time stands
// still except when AdvanceClock moves it, until the test gives it back. AdvanceClock returns
// once every modal loop has handled the timers that fell due.
void UseManualClock(bool manual);
void AdvanceClock(int64_t milliseconds);

}  // namespace win::headless
