#include "platform/utf8_codec.h"

#include "platform/utf16_scan.h"

#include <cstdint>
#include <cstring>

namespace os {
namespace {

// Analysis texts are mostly ASCII: UTF-8 runs of it are skipped a machine word at a time (the
// UTF-16 side is in utf16_scan.h).
constexpr uint64_t kHighBitOfEachByte = 0x8080808080808080ull;

uint64_t Word(const void* at) {
    uint64_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
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
        const size_t ascii = AsciiRunLength(text, i);
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

bool WellFormedUtf16ToUtf8(std::u16string_view text, std::string& utf8) {
    size_t length = 0;
    if (!Utf8Length(text, length)) {
        return false;
    }
    utf8.resize(length);
    char* out = utf8.data();
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t ascii = AsciiRunLength(text, i);
        NarrowAscii(text, i, ascii, out);
        out += ascii;
        i += ascii;
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
