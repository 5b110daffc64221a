#pragma once
// UTF-16 to UTF-8 and back, by hand, for well-formed text. Every system converter agrees on
// well-formed text and differs only in what it makes of ill-formed input, so these only
// convert text that is well formed and leave the rest to the system's converter.

#include <cstddef>
#include <cstdint>
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
// none does (the table of well-formed byte sequences of the Unicode standard). Inline: the
// checks of long lists of paths call it for every character.
inline size_t Utf8SequenceLength(std::string_view text, size_t at) {
    const auto byte = [&](size_t offset) {
        return at + offset < text.size() ? static_cast<uint8_t>(text[at + offset]) : uint8_t{0};
    };
    const auto continues = [&](size_t offset) { return (byte(offset) & 0xC0) == 0x80; };
    const uint8_t lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return continues(1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const uint8_t low = lead == 0xE0 ? 0xA0 : 0x80;
        const uint8_t high = lead == 0xED ? 0x9F : 0xBF;
        return byte(1) >= low && byte(1) <= high && continues(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const uint8_t low = lead == 0xF0 ? 0x90 : 0x80;
        const uint8_t high = lead == 0xF4 ? 0x8F : 0xBF;
        return byte(1) >= low && byte(1) <= high && continues(2) && continues(3) ? 4 : 0;
    }
    return 0;
}

// The code point of the well-formed sequence of `length` bytes at `at`.
inline char32_t DecodeUtf8Sequence(std::string_view text, size_t at, size_t length) {
    const auto byte = [&](size_t offset) {
        return static_cast<char32_t>(static_cast<uint8_t>(text[at + offset]));
    };
    switch (length) {
        case 1:
            return byte(0);
        case 2:
            return (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
        case 3:
            return (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
        default:
            return (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 |
                   (byte(3) & 0x3F);
    }
}

}  // namespace os
