#pragma once
// The language a thread reads the module's resources in. On Windows a thread's UI language and
// locale choose among the module's languages, and a new thread starts with the system's, not
// with its starter's: a thread that shows the dialogs' texts takes its starter's language.
// Elsewhere the language is the process's (ZEP_LANGUAGE) and these do nothing.

#include <cstdint>

namespace win {

struct ThreadLanguage {
    uint16_t uiLanguage = 0;
    uint32_t locale = 0;
};

ThreadLanguage GetThreadLanguage();
void SetThreadLanguage(const ThreadLanguage& language);

}  // namespace win
