#pragma once
// UTF-16 strings of the window seam at Win32 calls: the same code units as wchar_t.

#include <string>
#include <vector>

#include <windows.h>

namespace win {

inline const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// The text Win32 wrote into a buffer of `units` units, up to its terminator.
inline std::u16string FromBuffer(const std::vector<wchar_t>& buffer) {
    std::u16string text;
    for (wchar_t unit : buffer) {
        if (unit == L'\0') {
            break;
        }
        text.push_back(static_cast<char16_t>(unit));
    }
    return text;
}

}  // namespace win
