#pragma once
// The module's raw data resources, such as the padlock images (type "PNG"): the module's own
// resources on Windows, the tables generated from the same resource script on Linux.

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/win/window_types.h"

// The bytes of resource `id` of type `type` in `module`; the type name is compared without
// regard to case, as FindResourceW does. False, leaving `bytes` alone, for a null module, before
// the module handle is set (SetResourceModule) and for an unknown id or type.
bool FindModuleResource(HINSTANCE module, int id, std::u16string_view type,
                        std::span<const uint8_t>& bytes);
