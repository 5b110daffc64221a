#pragma once
// The process environment and the system the tests run on.

#include <string>

namespace testing_support {

// Sets (or replaces) and removes an environment variable of this process.
void SetEnv(const std::string& name, const std::string& value);
void UnsetEnv(const std::string& name);

// True on Windows, where the os seam calls the system itself instead of the Linux stand-in.
constexpr bool kOnWindows =
#ifdef _WIN32
    true;
#else
    false;
#endif

// True when the program runs under Wine (ntdll exports wine_get_version).
bool RunningUnderWine();

// The module handle the tests give SetResourceModule: any handle on Linux, where the generated
// tables serve the strings and dialogs; on Windows the program itself, which carries the
// plug-in's resource script and the pseudo-locale's string table.
void* TestResourceModule();

// The language of the strings and dialogs: "en", "zh-CN" or "ids" (string N reads "{N}"). On
// Linux ZEP_LANGUAGE, read when the module handle is next set; on Windows this thread's UI
// language and locale, by which the resource loader picks among the program's languages (Wine
// goes by the locale).
void UseResourceLanguage(const char* name);

// An owner for the message boxes the tests show: any handle on Linux; on Windows, where a box's
// owner must exist, the desktop window.
void* TestOwnerWindow();

}  // namespace testing_support
