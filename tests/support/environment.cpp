#include "tests/support/environment.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace testing_support {

#ifdef _WIN32

void SetEnv(const std::string& name, const std::string& value) {
    ::_putenv_s(name.c_str(), value.c_str());
}

void UnsetEnv(const std::string& name) {
    ::_putenv_s(name.c_str(), "");
}

bool RunningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void* TestResourceModule() {
    return ::GetModuleHandleW(nullptr);
}

void UseResourceLanguage(const char* name) {
    const std::string language = name != nullptr ? name : "";
    const LANGID id = language == "zh-CN" ? MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)
                      : language == "ids" ? MAKELANGID(LANG_INVARIANT, SUBLANG_NEUTRAL)
                                          : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    ::SetThreadUILanguage(id);
    ::SetThreadLocale(MAKELCID(id, SORT_DEFAULT));
}

void* TestOwnerWindow() {
    return ::GetDesktopWindow();
}

#else

void SetEnv(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

void UnsetEnv(const std::string& name) {
    ::unsetenv(name.c_str());
}

bool RunningUnderWine() {
    return false;
}

void* TestResourceModule() {
    static int token = 0;
    return &token;
}

void UseResourceLanguage(const char* name) {
    name == nullptr ? UnsetEnv("ZEP_LANGUAGE") : SetEnv("ZEP_LANGUAGE", name);
}

void* TestOwnerWindow() {
    static int token = 0;
    return &token;
}

#endif

}  // namespace testing_support
