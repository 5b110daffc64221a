#pragma once
// Conversions between the plug-in's UTF-16 texts and the encodings of its edges, and the small
// clean-ups of names. Each function returns a new string and stops at the first zero character
// of its input.
//
// The "local multibyte" texts are in code page 936, the code page of the C runtime's "chs"
// locale. They are converted with an explicit code page, so the process-wide C locale is never
// switched: another thread that formats or converts text meanwhile is not disturbed.

#include <string>
#include <string_view>

// UTF-16 to UTF-8 and back (WideCharToMultiByte / MultiByteToWideChar with CP_UTF8).
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// UTF-16 to code page 936 as wcstombs does under the "chs" locale: the conversion ends before
// the first character that has no form there.
std::string ToLocalMultibyte(std::u16string_view text);
// Code page 936 to UTF-16 as mbstowcs does under the "chs" locale: the conversion ends before
// the first ill-formed sequence.
std::u16string FromLocalMultibyte(std::string_view text);

// UTF-8 to the active ANSI code page; a character the code page lacks becomes "?".
std::string Utf8ToAnsi(std::string_view utf8);

// Removes every occurrence of every character of `characters`.
std::u16string EraseChars(std::u16string_view text, std::u16string_view characters);
// Removes leading and trailing blanks (U+0020 only; tabs stay).
std::u16string TrimBlanks(std::u16string_view text);
