// Win32 calls only: the system's private profile functions.
#include "platform/win32/windows_api.h"

#include <vector>

#include "platform/fault_injection.h"
#include "platform/last_error.h"
#include "platform/profile.h"

namespace os {

std::u16string GetPrivateProfileString(const std::u16string& section, const std::u16string& key,
                                       const std::u16string& defaultValue, size_t bufferSize,
                                       const std::u16string& file) {
    if (bufferSize == 0) {
        return {};
    }
    const FaultPoint fault("GetPrivateProfileString", kErrorAccessDenied);
    if (fault.Failed()) {
        return defaultValue.substr(0, bufferSize - 1);
    }
    std::vector<wchar_t> buffer(bufferSize, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(
        win32::Wide(section), win32::Wide(key), win32::Wide(defaultValue), buffer.data(),
        static_cast<DWORD>(bufferSize), win32::Wide(file));
    return win32::FromWide(buffer.data(), length);
}

bool WritePrivateProfileString(const std::u16string& section, const std::u16string& key,
                               const std::optional<std::u16string>& value,
                               const std::u16string& file) {
    const FaultPoint fault("WritePrivateProfileString", kErrorDiskFull);
    if (fault.Failed()) {
        return false;
    }
    return ::WritePrivateProfileStringW(win32::Wide(section), win32::Wide(key),
                                        value ? win32::Wide(*value) : nullptr,
                                        win32::Wide(file)) != 0;
}

}  // namespace os
