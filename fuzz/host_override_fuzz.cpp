// Any bytes as the host override file "script/custom.bin": the host it names must be read
// without crashing or leaking, and it is never longer than the file's text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/plugin_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string host;
    if (HostFromOverrideBytes(std::string_view(reinterpret_cast<const char*>(data), size), host)) {
        if (host.size() >= size / 2 || host.find(u'\0') != std::u16string::npos) {
            std::abort();
        }
    }
    return 0;
}
