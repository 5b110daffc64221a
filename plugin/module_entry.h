#pragma once
// What the library does when the host loads it: the entry point's work on process attach.

#include "platform/win/window_types.h"

// Has the host choose the module's language, keeps `module` as the handle of every string and
// dialog, and turns off the per-thread calls. False when that failed: the module is not usable.
bool AttachModule(HINSTANCE module);
