#pragma once
// Stand-in for the host SDK's identifiers of action tables and action contexts.

#include "platform/win/window_types.h"

using ActionTableId = DWORD;
using ActionContextId = DWORD;
