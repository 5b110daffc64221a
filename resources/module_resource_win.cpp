// Windows side of the module's data resources: the module's own resources. Win32 calls only.
#include <windows.h>

#include <string>

#include "resources/module_resource.h"
#include "resources/string_loader.h"

bool FindModuleResource(HINSTANCE module, int id, std::u16string_view type,
                        std::span<const uint8_t>& bytes) {
    if (module == nullptr || ResourceModule() == nullptr) {
        return false;
    }
    const std::u16string typeName(type);  // FindResourceW takes a terminated name
    HRSRC info =
        ::FindResourceW(module, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(typeName.c_str()));
    if (info == nullptr) {
        return false;
    }
    // A loaded resource lives as long as the module; nothing is released.
    HGLOBAL loaded = ::LoadResource(module, info);
    if (loaded == nullptr) {
        return false;
    }
    const void* data = ::LockResource(loaded);
    const DWORD size = ::SizeofResource(module, info);
    if (data == nullptr || size == 0) {
        return false;
    }
    bytes = std::span<const uint8_t>(static_cast<const uint8_t*>(data), size);
    return true;
}
