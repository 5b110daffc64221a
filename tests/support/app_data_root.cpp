#include "tests/support/app_data_root.h"

#include <cstdlib>

#include "platform/code_page.h"
#include "tests/support/environment.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace testing_support {

#ifdef _WIN32

namespace {

constexpr wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr wchar_t kCommonAppData[] = L"Common AppData";

HKEY OpenShellFolders() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kShellFolders, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

void WriteValue(HKEY key, const std::u16string& value) {
    ::RegSetValueExW(key, kCommonAppData, 0, REG_EXPAND_SZ,
                     reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
}

}  // namespace

AppDataRootOverride::AppDataRootOverride(const std::u16string& folder) {
    const HKEY key = OpenShellFolders();
    if (key == nullptr) {
        return;
    }
    wchar_t value[1024] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    if (::RegQueryValueExW(key, kCommonAppData, nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                           &size) == ERROR_SUCCESS) {
        hadValue_ = true;
        saved_ = reinterpret_cast<const char16_t*>(value);
    }
    WriteValue(key, folder);
    ::RegCloseKey(key);
}

AppDataRootOverride::~AppDataRootOverride() {
    const HKEY key = OpenShellFolders();
    if (key == nullptr) {
        return;
    }
    if (hadValue_) {
        WriteValue(key, saved_);
    } else {
        ::RegDeleteValueW(key, kCommonAppData);
    }
    ::RegCloseKey(key);
}

#else

AppDataRootOverride::AppDataRootOverride(const std::u16string& folder) {
    if (const char* old = std::getenv("PROGRAMDATA")) {
        hadValue_ = true;
        saved_ = os::MultiByteToWide(os::kCodePageUtf8, old);
    }
    SetEnv("PROGRAMDATA", os::WideToMultiByte(os::kCodePageUtf8, folder));
}

AppDataRootOverride::~AppDataRootOverride() {
    hadValue_ ? SetEnv("PROGRAMDATA", os::WideToMultiByte(os::kCodePageUtf8, saved_))
              : UnsetEnv("PROGRAMDATA");
}

#endif

}  // namespace testing_support
