// Win32 calls only. A module's strings are its string table resources.
#include <windows.h>

#include "module_strings.h"

bool LoadModuleString(HINSTANCE module, int id, std::u16string& text) {
    if (module == nullptr) {
        return false;
    }
    // With a buffer size of 0, LoadStringW hands out a read-only pointer to the resource text.
    const wchar_t* resource = nullptr;
    int length =
        ::LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr) {
        return false;
    }
    text.assign(reinterpret_cast<const char16_t*>(resource), static_cast<size_t>(length));
    return true;
}
