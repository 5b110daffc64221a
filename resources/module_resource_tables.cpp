// Temporary: replaced by the generated resource tables.
#include "resources/module_resource.h"

bool FindModuleResource(HINSTANCE, int, std::u16string_view, std::span<const uint8_t>&) {
    return false;
}
