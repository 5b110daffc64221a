#pragma once
// Text crossing between the host's calls and the code's std::u16string. The host's MCHAR is a
// 16-bit UTF-16 unit (wchar_t on Windows), the same units as char16_t, so nothing is converted.

#include <strclass.h>

#include <string>

static_assert(sizeof(MCHAR) == sizeof(char16_t), "the host's text is UTF-16");

inline const MCHAR* ToHostText(const char16_t* text) {
    return reinterpret_cast<const MCHAR*>(text);
}

inline const MCHAR* ToHostText(const std::u16string& text) {
    return ToHostText(text.c_str());
}

inline std::u16string FromHostText(const MCHAR* text) {
    return text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text))
                           : std::u16string();
}

inline std::u16string FromHostText(const MSTR& text) {
    return FromHostText(text.data());
}
