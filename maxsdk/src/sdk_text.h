#pragma once
// The simulated host's text crossing between the SDK's type and the std::u16string of the rest of
// the code: the same 16-bit units on every platform.

#include <string>

#include "strbasic.h"

static_assert(sizeof(MCHAR) == sizeof(char16_t));

inline std::u16string FromSdkText(const MCHAR* text) {
    return text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text))
                           : std::u16string();
}

inline const MCHAR* SdkText(const std::u16string& text) {
    return reinterpret_cast<const MCHAR*>(text.c_str());
}
