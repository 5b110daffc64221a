// Linux side of the module's data resources: the generated tables.
#include <algorithm>

#include "resources/module_resource.h"
#include "resources/resource_data.h"
#include "resources/string_loader.h"

namespace {

char16_t UpperAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameTypeName(std::u16string_view left, std::u16string_view right) {
    return std::ranges::equal(
        left, right, [](char16_t a, char16_t b) { return UpperAscii(a) == UpperAscii(b); });
}

}  // namespace

bool FindModuleResource(HINSTANCE module, int id, std::u16string_view type,
                        std::span<const uint8_t>& bytes) {
    if (module == nullptr || ResourceModule() == nullptr) {
        return false;
    }
    for (const resources::DataResource& resource : resources::DataResources()) {
        if (resource.id == id && SameTypeName(resource.type, type)) {
            bytes = resource.bytes;
            return true;
        }
    }
    return false;
}
