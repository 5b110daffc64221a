// Win32 calls only: MultiByteToWideChar and WideCharToMultiByte.
#include "platform/win32/windows_api.h"

#include "platform/code_page.h"
#include "platform/fault_injection.h"
#include "platform/last_error.h"
#include "platform/utf8_codec.h"

namespace os {
namespace {

// Flags that make a conversion fail instead of replacing what it cannot convert.
DWORD StrictToWideFlags() {
    return MB_ERR_INVALID_CHARS;
}
DWORD StrictToMultiByteFlags(uint32_t codePage) {
    return codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
}

// One WideCharToMultiByte call; `strict` fails at the first character that has no form.
bool ToMultiByte(uint32_t codePage, std::u16string_view text, bool strict, std::string& out) {
    if (text.empty()) {
        out.clear();
        return true;
    }
    const DWORD flags = strict ? StrictToMultiByteFlags(codePage) : 0;
    const bool checkDefault = strict && codePage != CP_UTF8 && codePage != CP_UTF7;
    BOOL usedDefault = FALSE;
    const int length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(codePage, flags, win32::Wide(text), length, nullptr, 0,
                                           nullptr, checkDefault ? &usedDefault : nullptr);
    if (size <= 0 || usedDefault) {
        return false;
    }
    out.resize(static_cast<size_t>(size));
    ::WideCharToMultiByte(codePage, flags, win32::Wide(text), length, out.data(), size, nullptr,
                          nullptr);
    return true;
}

// One MultiByteToWideChar call; `strict` fails at the first ill-formed sequence.
bool ToWide(uint32_t codePage, std::string_view text, bool strict, std::u16string& out) {
    if (text.empty()) {
        out.clear();
        return true;
    }
    const DWORD flags = strict ? StrictToWideFlags() : 0;
    const int length = static_cast<int>(text.size());
    const int size = ::MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (size <= 0) {
        return false;
    }
    out.resize(static_cast<size_t>(size));
    ::MultiByteToWideChar(codePage, flags, text.data(), length,
                          reinterpret_cast<wchar_t*>(out.data()), size);
    return true;
}

// The length of the character at `at`: a surrogate pair is one.
size_t WideCharacterLength(std::u16string_view text, size_t at) {
    const bool pair = text[at] >= 0xD800 && text[at] < 0xDC00 && at + 1 < text.size() &&
                      text[at + 1] >= 0xDC00 && text[at + 1] < 0xE000;
    return pair ? 2 : 1;
}

// The length of the multibyte character at `at`, as the code page counts it.
size_t MultiByteCharacterLength(uint32_t codePage, std::string_view text, size_t at) {
    if (codePage == CP_UTF8) {
        const size_t length = Utf8SequenceLength(text, at);
        return length == 0 ? 1 : length;
    }
    const bool lead = ::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[at])) != 0;
    return lead && at + 1 < text.size() ? 2 : 1;
}

uint32_t Resolved(uint32_t codePage) {
    return codePage == kCodePageAnsi ? AnsiCodePage() : codePage;
}

}  // namespace

uint32_t AnsiCodePage() {
    return ::GetACP();
}

std::string WideToMultiByte(uint32_t codePage, std::u16string_view text, Unmappable unmappable) {
    std::string result;
    if (!text.empty()) {
        // An empty text is no conversion; a failing one gives no characters.
        const FaultPoint fault("WideToMultiByte", kErrorNoUnicodeTranslation);
        if (fault.Failed()) {
            return result;
        }
    }
    if (unmappable == Unmappable::Replace) {
        ToMultiByte(codePage, text, false, result);
        return result;
    }
    if (ToMultiByte(codePage, text, true, result)) {
        return result;
    }
    // The conversion stops before the first character without a form: character by character
    // up to it.
    result.clear();
    const uint32_t resolved = Resolved(codePage);
    std::string piece;
    for (size_t at = 0; at < text.size();) {
        const size_t length = WideCharacterLength(text, at);
        if (!ToMultiByte(resolved, text.substr(at, length), true, piece)) {
            break;
        }
        result += piece;
        at += length;
    }
    return result;
}

std::u16string MultiByteToWide(uint32_t codePage, std::string_view text, Unmappable unmappable) {
    std::u16string result;
    if (!text.empty()) {
        // An empty text is no conversion; a failing one gives no characters.
        const FaultPoint fault("MultiByteToWide", kErrorNoUnicodeTranslation);
        if (fault.Failed()) {
            return result;
        }
    }
    if (unmappable == Unmappable::Replace) {
        ToWide(codePage, text, false, result);
        return result;
    }
    if (ToWide(codePage, text, true, result)) {
        return result;
    }
    result.clear();
    const uint32_t resolved = Resolved(codePage);
    std::u16string piece;
    for (size_t at = 0; at < text.size();) {
        const size_t length = MultiByteCharacterLength(resolved, text, at);
        if (!ToWide(resolved, text.substr(at, length), true, piece)) {
            break;
        }
        result += piece;
        at += length;
    }
    return result;
}

}  // namespace os
