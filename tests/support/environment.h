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

}  // namespace testing_support
