#pragma once
// The module's raw data resources on Linux: the `ID TYPE "file"` lines of resources/plugin.rc,
// such as the padlock images, turned into tables at build time (gen_dialogs.py).

#include <cstdint>
#include <span>
#include <string_view>

namespace resources {

struct DataResource {
    int id;
    std::u16string_view type;  // upper case, as the resource compiler stores a type name
    std::span<const uint8_t> bytes;
};

// Every data resource of the module (generated).
std::span<const DataResource> DataResources();

}  // namespace resources
