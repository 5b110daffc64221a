// Windows side of the string source: the module's string table. Win32 calls only.
#include <windows.h>

#include "resources/string_source.h"

namespace resources {

void SelectResourceLanguage() {}

bool FindModuleString(void* module, int id, std::u16string_view& text) {
    // With a buffer size of 0, LoadStringW hands out a read-only pointer to the resource text
    // itself (not terminated) and returns its length.
    const wchar_t* resource = nullptr;
    int length = ::LoadStringW(static_cast<HINSTANCE>(module), static_cast<UINT>(id),
                               reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr) {
        return false;
    }
    text = std::u16string_view(reinterpret_cast<const char16_t*>(resource),
                               static_cast<size_t>(length));
    return true;
}

}  // namespace resources
