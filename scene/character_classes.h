#pragma once
// Character classes of the scene checks, as explicit tests over UTF-16 code units. A character
// outside the Basic Multilingual Plane is two surrogate units, neither of which is in any class
// here.

#include <string_view>

// U+0400 to U+052F: Cyrillic and Cyrillic Supplement.
bool IsCyrillic(char16_t c);
bool ContainsCyrillic(std::u16string_view text);

// A character that a reference file path may hold: ASCII letters and digits, the CJK unified
// ideographs U+4E00 to U+9FFF, and a fixed list of ASCII and full-width punctuation.
bool IsLegalReferenceChar(char16_t c);
// A non-empty path made only of legal characters.
bool IsLegalReferencePath(std::u16string_view path);

// Both tests of a reference path made on its UTF-8 text, with the results that the UTF-16 text
// FromUtf8 gives for it would have. False, with nothing decided, when the text holds a zero byte
// or is not well-formed UTF-8: the caller then converts it and tests the units.
bool TestReferencePathUtf8(std::string_view utf8, bool& cyrillic, bool& legal);

// The nine characters a file name may not hold: \ / : * ? " < > |
inline constexpr std::u16string_view kForbiddenNameChars = u"\\/:*?\"<>|";
bool IsForbiddenNameChar(char16_t c);
bool ContainsForbiddenNameChar(std::u16string_view name);

// A character that a scene file name may hold: the reference path characters except the grave
// accent, the middle dot (U+00B7) and the slash.
bool IsLegalSceneFileNameChar(char16_t c);
// A non-empty file name made only of such characters.
bool IsLegalSceneFileName(std::u16string_view name);
