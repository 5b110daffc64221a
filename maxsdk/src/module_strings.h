#pragma once
// A module's string table as the host reads it through the module's handle (LoadStringW).

#include <string>

#include "platform/win/window_types.h"

// The text of string `id` of `module`; false when the module or the string is missing.
bool LoadModuleString(HINSTANCE module, int id, std::u16string& text);
