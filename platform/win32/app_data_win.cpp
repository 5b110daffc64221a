// Win32 calls only.
#include "platform/win32/windows_api.h"

#include <shlobj.h>

#include "platform/app_data.h"

namespace os {

std::u16string CommonAppDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                                  folder))) {
        return {};
    }
    return win32::FromWide(folder);
}

}  // namespace os
