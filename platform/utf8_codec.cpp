#include "platform/utf8_codec.h"

#include <cstdint>
#include <cstring>

namespace os {
namespace {

// Analysis texts are mostly ASCII: runs of it are skipped and copied a machine word at a time.
constexpr uint64_t kHighBitOfEachByte = 0x8080808080808080ull;
constexpr uint64_t kAboveAsciiOfEachUnit = 0xFF80FF80FF80FF80ull;

uint64_t Word(const void* at) {
    uint64_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// The length of the run of ASCII units that starts at `at`.
size_t AsciiRun(std::u16string_view text, size_t at) {
    size_t end = at;
    while (end + 4 <= text.size() && (Word(text.data() + end) & kAboveAsciiOfEachUnit) == 0) {
        end += 4;
    }
    while (end < text.size() && text[end] < 0x80) {
        ++end;
    }
    return end - at;
}

// The length of the run of ASCII bytes that starts at `at`.
size_t AsciiRun(std::string_view text, size_t at) {
    size_t end = at;
    while (end + 8 <= text.size() && (Word(text.data() + end) & kHighBitOfEachByte) == 0) {
        end += 8;
    }
    while (end < text.size() && static_cast<uint8_t>(text[end]) < 0x80) {
        ++end;
    }
    return end - at;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The bytes that `text` takes in UTF-8, or false at a lone surrogate.
bool Utf8Length(std::u16string_view text, size_t& length) {
    length = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t ascii = AsciiRun(text, i);
        length += ascii;
        i += ascii;
        if (i == text.size()) {
            break;
        }
        const char16_t unit = text[i];
        if (unit < 0x800) {
            length += 2;
        } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            length += 4;
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            return false;
        } else {
            length += 3;
        }
    }
    return true;
}

bool IsContinuation(uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// The UTF-16 units that `text` takes, or false at a sequence that is not well formed.
bool Utf16Length(std::string_view text, size_t& length) {
    length = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t ascii = AsciiRun(text, i);
        length += ascii;
        i += ascii;
        if (i == text.size()) {
            break;
        }
        const size_t sequence = Utf8SequenceLength(text, i);
        if (sequence == 0) {
            return false;
        }
        length += sequence == 4 ? 2 : 1;
        i += sequence;
    }
    return true;
}

}  // namespace

size_t Utf8SequenceLength(std::string_view text, size_t at) {
    const auto byte = [&](size_t offset) {
        return at + offset < text.size() ? static_cast<uint8_t>(text[at + offset]) : uint8_t{0};
    };
    const uint8_t lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return IsContinuation(byte(1)) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const uint8_t low = lead == 0xE0 ? 0xA0 : 0x80;
        const uint8_t high = lead == 0xED ? 0x9F : 0xBF;
        return byte(1) >= low && byte(1) <= high && IsContinuation(byte(2)) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const uint8_t low = lead == 0xF0 ? 0x90 : 0x80;
        const uint8_t high = lead == 0xF4 ? 0x8F : 0xBF;
        return byte(1) >= low && byte(1) <= high && IsContinuation(byte(2)) &&
                       IsContinuation(byte(3))
                   ? 4
                   : 0;
    }
    return 0;
}

char32_t DecodeUtf8Sequence(std::string_view text, size_t at, size_t length) {
    const auto* in = reinterpret_cast<const uint8_t*>(text.data() + at);
    switch (length) {
        case 1:
            return in[0];
        case 2:
            return (in[0] & 0x1Fu) << 6 | (in[1] & 0x3Fu);
        case 3:
            return (in[0] & 0x0Fu) << 12 | (in[1] & 0x3Fu) << 6 | (in[2] & 0x3Fu);
        default:
            return (in[0] & 0x07u) << 18 | (in[1] & 0x3Fu) << 12 | (in[2] & 0x3Fu) << 6 |
                   (in[3] & 0x3Fu);
    }
}

bool WellFormedUtf16ToUtf8(std::u16string_view text, std::string& utf8) {
    size_t length = 0;
    if (!Utf8Length(text, length)) {
        return false;
    }
    utf8.resize(length);
    char* out = utf8.data();
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t ascii = AsciiRun(text, i);
        for (size_t end = i + ascii; i < end; ++i) {
            *out++ = static_cast<char>(text[i]);
        }
        if (i == text.size()) {
            break;
        }
        uint32_t code = text[i];
        if (code < 0x800) {
            *out++ = static_cast<char>(0xC0 | code >> 6);
        } else {
            if (IsHighSurrogate(text[i])) {
                code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00u);
                *out++ = static_cast<char>(0xF0 | code >> 18);
                *out++ = static_cast<char>(0x80 | (code >> 12 & 0x3F));
            } else {
                *out++ = static_cast<char>(0xE0 | code >> 12);
            }
            *out++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
        }
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return true;
}

bool WellFormedUtf8ToUtf16(std::string_view text, std::u16string& utf16) {
    size_t length = 0;
    if (!Utf16Length(text, length)) {
        return false;
    }
    utf16.resize(length);
    char16_t* out = utf16.data();
    for (size_t i = 0; i < text.size();) {
        const size_t ascii = AsciiRun(text, i);
        for (size_t end = i + ascii; i < end; ++i) {
            *out++ = static_cast<uint8_t>(text[i]);
        }
        if (i == text.size()) {
            break;
        }
        const size_t sequence = Utf8SequenceLength(text, i);
        const char32_t code = DecodeUtf8Sequence(text, i, sequence);
        if (code < 0x10000) {
            *out++ = static_cast<char16_t>(code);
        } else {
            *out++ = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
        i += sequence;
    }
    return true;
}

}  // namespace os
