#pragma once
// Conversions between UTF-16 and multibyte code pages, as MultiByteToWideChar and
// WideCharToMultiByte make them. They never touch the process-wide C locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace os {

inline constexpr uint32_t kCodePageAnsi = 0;  // CP_ACP: the machine's "ANSI" code page
inline constexpr uint32_t kCodePageChinese = 936;
inline constexpr uint32_t kCodePageUtf8 = 65001;

// The code page CP_ACP stands for. Linux: 936, unless ZEP_ANSI_CODEPAGE names another number.
uint32_t AnsiCodePage();

// What a character that has no form in the target code page (or an ill-formed input sequence)
// becomes.
enum class Unmappable {
    Replace,  // WideCharToMultiByte / MultiByteToWideChar: "?" in a code page, U+FFFD in UTF-16
              // and UTF-8
    Stop,     // wcstombs / mbstowcs: the conversion ends before it, keeping what came first
};

std::string WideToMultiByte(uint32_t codePage, std::u16string_view text,
                            Unmappable unmappable = Unmappable::Replace);
std::u16string MultiByteToWide(uint32_t codePage, std::string_view text,
                               Unmappable unmappable = Unmappable::Replace);

}  // namespace os
