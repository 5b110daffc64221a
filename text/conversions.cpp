#include "text/conversions.h"

#include "platform/code_page.h"
#include "platform/utf16_scan.h"

namespace {

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::u16string_view UpToZero(std::u16string_view text) {
    return text.substr(0, os::FirstZeroUnit(text));
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
    return os::WideToMultiByte(os::kCodePageUtf8, UpToZero(text));
}

std::u16string FromUtf8(std::string_view text) {
    return os::MultiByteToWide(os::kCodePageUtf8, UpToZero(text));
}

std::string ToLocalMultibyte(std::u16string_view text) {
    return os::WideToMultiByte(os::kCodePageChinese, UpToZero(text), os::Unmappable::Stop);
}

std::u16string FromLocalMultibyte(std::string_view text) {
    return os::MultiByteToWide(os::kCodePageChinese, UpToZero(text), os::Unmappable::Stop);
}

std::string Utf8ToAnsi(std::string_view utf8) {
    return os::WideToMultiByte(os::kCodePageAnsi, FromUtf8(utf8));
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
