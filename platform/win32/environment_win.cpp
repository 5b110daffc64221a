// The screen and the clock on Windows are the system's: the DPI and the work area are set
// before a program starts (under Wine in the prefix's registry), and timers run on real time.
#include "platform/headless/environment.h"

namespace win::headless {

void SetScreenDpi(int /*dpi*/) {}

void SetWorkArea(const RECT& /*workArea*/) {}

void UseManualClock(bool /*manual*/) {}

void AdvanceClock(int64_t /*milliseconds*/) {}

}  // namespace win::headless
