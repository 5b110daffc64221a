#pragma once
// The calling thread's queued input and what happens when a dialog waits for input in vain: the
// part of the driver that both window systems share. Each system's modal loop takes the input
// when it is idle.

#include <chrono>
#include <functional>

#include "platform/win/window_types.h"

namespace win::headless {

// Appends an input to the calling thread's queue; QueueInput also wakes the loop that takes it.
void PushInput(std::function<void()> input);
// Runs the next queued input of the calling thread; false when there is none.
bool RunOneInput();
// Called when the innermost dialog has waited its patience out with no input left.
void ReportStarvation(HWND dialog);
std::chrono::milliseconds StarvationPatience();

}  // namespace win::headless
