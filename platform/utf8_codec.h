#pragma once
// UTF-16 to UTF-8 and back, by hand, for well-formed text. Every system converter agrees on
// well-formed text and differs only in what it makes of ill-formed input, so these only
// convert text that is well formed and leave the rest to the system's converter.

#include <string>
#include <string_view>

namespace os {

// The UTF-8 form of `text`; false (and `utf8` unchanged) when `text` holds a lone surrogate.
bool WellFormedUtf16ToUtf8(std::u16string_view text, std::string& utf8);

// The UTF-16 form of `text`; false (and `utf16` unchanged) when `text` holds a byte sequence
// that is not UTF-8: a stray continuation byte, a cut, overlong or surrogate sequence, or one
// beyond U+10FFFF.
bool WellFormedUtf8ToUtf16(std::string_view text, std::u16string& utf16);

// The length of the well-formed UTF-8 sequence that starts at byte `at` (1 to 4), or 0 when
// none does (the table of well-formed byte sequences of the Unicode standard).
size_t Utf8SequenceLength(std::string_view text, size_t at);

// The code point of the well-formed sequence of `length` bytes at `at`.
char32_t DecodeUtf8Sequence(std::string_view text, size_t at, size_t length);

}  // namespace os
