#pragma once
// The Windows API as the os seam's Windows side includes it: <windows.h> without the macros
// that would rename the seam's own functions, and the conversions between the seam's char16_t
// text and the API's wchar_t text (the same UTF-16 units).

#include <windows.h>

#include <string>
#include <string_view>

#undef CopyFile
#undef DeleteFile
#undef GetPrivateProfileString
#undef WritePrivateProfileString

namespace os::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t holds UTF-16 units on Windows");

inline const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* Wide(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}
inline std::u16string FromWide(const wchar_t* text, size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
inline std::u16string FromWide(const wchar_t* text) {
    return FromWide(text, std::char_traits<wchar_t>::length(text));
}

}  // namespace os::win32
