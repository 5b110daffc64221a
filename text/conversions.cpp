#include "text/conversions.h"

#include <algorithm>

#include "platform/code_page.h"
#include "platform/utf16_scan.h"
#include "platform/utf8_codec.h"

namespace {

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::u16string_view UpToZero(std::u16string_view text) {
    return text.substr(0, os::FirstZeroUnit(text));
}

// The system's converters give no characters when they fail. Where a text they could not
// convert has only one right form, that form is made here: UTF-8 of well-formed text, and ASCII,
// which stands for itself in every code page the plug-in uses.
bool IsAscii(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x80; });
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char unit) { return static_cast<unsigned char>(unit) < 0x80; });
}

std::string ToCodePage(uint32_t codePage, std::u16string_view text, os::Unmappable unmappable) {
    std::string result = os::WideToMultiByte(codePage, text, unmappable);
    if (result.empty() && IsAscii(text)) {
        result.assign(text.begin(), text.end());
    }
    return result;
}

std::u16string FromCodePage(uint32_t codePage, std::string_view text, os::Unmappable unmappable) {
    std::u16string result = os::MultiByteToWide(codePage, text, unmappable);
    if (result.empty() && IsAscii(text)) {
        result.assign(text.begin(), text.end());
    }
    return result;
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
    text = UpToZero(text);
    std::string result = os::WideToMultiByte(os::kCodePageUtf8, text);
    if (result.empty() && !text.empty()) {
        os::WellFormedUtf16ToUtf8(text, result);
    }
    return result;
}

std::u16string FromUtf8(std::string_view text) {
    text = UpToZero(text);
    std::u16string result = os::MultiByteToWide(os::kCodePageUtf8, text);
    if (result.empty() && !text.empty()) {
        os::WellFormedUtf8ToUtf16(text, result);
    }
    return result;
}

std::string ToLocalMultibyte(std::u16string_view text) {
    return ToCodePage(os::kCodePageChinese, UpToZero(text), os::Unmappable::Stop);
}

std::u16string FromLocalMultibyte(std::string_view text) {
    return FromCodePage(os::kCodePageChinese, UpToZero(text), os::Unmappable::Stop);
}

std::string Utf8ToAnsi(std::string_view utf8) {
    return ToCodePage(os::kCodePageAnsi, FromUtf8(utf8), os::Unmappable::Replace);
}

std::u16string EraseChars(std::u16string_view text, std::u16string_view characters) {
    text = UpToZero(text);
    characters = UpToZero(characters);
    std::u16string result;
    result.reserve(text.size());
    for (char16_t c : text) {
        if (characters.find(c) == std::u16string_view::npos) {
            result.push_back(c);
        }
    }
    return result;
}

std::u16string TrimBlanks(std::u16string_view text) {
    text = UpToZero(text);
    size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(u' ');
    return std::u16string(text.substr(first, last - first + 1));
}
