// POSIX calls only: iconv, which keeps its state in the descriptor, not in the C locale.
#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/fault_injection.h"
#include "platform/last_error.h"
#include "platform/utf8_codec.h"

namespace os {
namespace {

static_assert(std::endian::native == std::endian::little, "UTF-16 is handed to iconv as UTF-16LE");

constexpr const char* kUtf16Name = "UTF-16LE";
constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";
constexpr char16_t kReplacementWide = u'\uFFFD';

uint32_t Resolved(uint32_t codePage) {
    return codePage == kCodePageAnsi ? AnsiCodePage() : codePage;
}

// Code pages in which the characters below 0x80 are ASCII, one byte each.
bool KeepsAscii(uint32_t codePage) {
    uint32_t resolved = Resolved(codePage);
    return resolved == kCodePageUtf8 || resolved == kCodePageChinese || resolved == 874 ||
           (resolved >= 1250 && resolved <= 1258);
}

std::string IconvName(uint32_t codePage) {
    if (codePage == kCodePageUtf8) {
        return "UTF-8";
    }
    return "CP" + std::to_string(codePage);
}

// One descriptor per thread, code page and direction, opened on first use.
class Converter {
public:
    Converter(const std::string& to, const std::string& from)
        : handle_(::iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (IsValid()) {
            ::iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsValid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `input`; at an ill-formed or unmappable sequence calls onBad(), which returns
    // false to stop or true after it has appended a replacement, and then skips `badStep` bytes.
    // Appends the conversion of `input` to `output`. At an ill-formed or unmappable sequence
    // calls onBad(), which returns false to stop or appends a replacement to `output` and
    // returns true; then `badStep` bytes are skipped. False when onBad() stopped it.
    template <typename OnBad>
    bool Run(std::string_view input, size_t badStep, std::string& output, OnBad onBad) {
        ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        // No conversion here more than doubles the bytes; a larger need grows the room.
        size_t written = output.size();
        output.resize(written + input.size() * 2 + 8);
        while (inLeft > 0) {
            char* out = output.data() + written;
            size_t outLeft = output.size() - written;
            size_t result = ::iconv(handle_, &in, &inLeft, &out, &outLeft);
            written = static_cast<size_t>(out - output.data());
            if (result != static_cast<size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                output.resize(output.size() * 2);
                continue;
            }
            output.resize(written);
            if (!onBad()) {
                return false;
            }
            written = output.size();
            output.resize(written + inLeft * 2 + 8);
            size_t step = badStep < inLeft ? badStep : inLeft;
            in += step;
            inLeft -= step;
        }
        output.resize(written);
        return true;
    }

private:
    iconv_t handle_;
};

struct ConverterKey {
    uint32_t codePage;
    bool toWide;
    bool operator==(const ConverterKey&) const = default;
};

Converter* ConverterFor(uint32_t codePage, bool toWide) {
    thread_local std::vector<std::pair<ConverterKey, std::unique_ptr<Converter>>> cache;
    ConverterKey key{Resolved(codePage), toWide};
    for (auto& [cachedKey, converter] : cache) {
        if (cachedKey == key) {
            return converter.get();
        }
    }
    std::string name = IconvName(key.codePage);
    auto converter = toWide ? std::make_unique<Converter>(kUtf16Name, name)
                            : std::make_unique<Converter>(name, kUtf16Name);
    if (!converter->IsValid()) {
        return nullptr;
    }
    cache.emplace_back(key, std::move(converter));
    return cache.back().second.get();
}

}  // namespace

uint32_t AnsiCodePage() {
    if (const char* named = std::getenv("ZEP_ANSI_CODEPAGE"); named && *named) {
        char* end = nullptr;
        unsigned long value = std::strtoul(named, &end, 10);
        if (*end == '\0' && value > 0 && value <= 65535) {
            return static_cast<uint32_t>(value);
        }
    }
    return kCodePageChinese;
}

std::string WideToMultiByte(uint32_t codePage, std::u16string_view text, Unmappable unmappable) {
    std::string result;
    if (text.empty()) {
        return result;
    }
    const FaultPoint fault("WideToMultiByte", kErrorNoUnicodeTranslation);
    if (fault.Failed()) {
        return result;
    }
    // Well-formed text needs no converter; iconv's rules are for what is left.
    if (Resolved(codePage) == kCodePageUtf8 && WellFormedUtf16ToUtf8(text, result)) {
        return result;
    }
    Converter* converter = ConverterFor(codePage, false);
    if (converter == nullptr) {
        SetLastError(kErrorInvalidParameter);
        return result;
    }
    bool toUtf8 = Resolved(codePage) == kCodePageUtf8;
    auto onBad = [&] {
        if (unmappable == Unmappable::Stop) {
            return false;
        }
        result += toUtf8 ? kReplacementUtf8 : "?";
        return true;
    };
    if (!KeepsAscii(codePage)) {
        std::string_view bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        converter->Run(bytes, 2, result, onBad);
        return result;
    }
    // ASCII stands for itself: only the runs of other characters go through iconv.
    result.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t nonAscii = i;
        while (nonAscii < text.size() && text[nonAscii] < 0x80) {
            result.push_back(static_cast<char>(text[nonAscii++]));
        }
        size_t ascii = nonAscii;
        while (ascii < text.size() && text[ascii] >= 0x80) {
            ++ascii;
        }
        std::string_view run(reinterpret_cast<const char*>(text.data() + nonAscii),
                             (ascii - nonAscii) * 2);
        if (!run.empty() && !converter->Run(run, 2, result, onBad)) {
            break;
        }
        i = ascii;
    }
    return result;
}

std::u16string MultiByteToWide(uint32_t codePage, std::string_view text, Unmappable unmappable) {
    if (text.empty()) {
        return {};
    }
    const FaultPoint fault("MultiByteToWide", kErrorNoUnicodeTranslation);
    if (fault.Failed()) {
        return {};
    }
    if (std::u16string wide;
        Resolved(codePage) == kCodePageUtf8 && WellFormedUtf8ToUtf16(text, wide)) {
        return wide;
    }
    Converter* converter = ConverterFor(codePage, true);
    if (converter == nullptr) {
        SetLastError(kErrorInvalidParameter);
        return {};
    }
    bool fromUtf8 = Resolved(codePage) == kCodePageUtf8;
    std::string bytes;
    bytes.reserve(text.size() * 2);
    auto onBad = [&] {
        if (unmappable == Unmappable::Stop) {
            return false;
        }
        char16_t replacement = fromUtf8 ? kReplacementWide : u'?';
        bytes.append(reinterpret_cast<const char*>(&replacement), 2);
        return true;
    };
    if (!fromUtf8) {
        converter->Run(text, 1, bytes, onBad);
    } else {
        // Every byte of a UTF-8 sequence is 0x80 or above: ASCII bytes stand for themselves,
        // and only the runs of other bytes go through iconv.
        for (size_t i = 0; i < text.size();) {
            size_t nonAscii = i;
            while (nonAscii < text.size() && static_cast<unsigned char>(text[nonAscii]) < 0x80) {
                bytes.push_back(text[nonAscii++]);
                bytes.push_back('\0');
            }
            size_t ascii = nonAscii;
            while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) >= 0x80) {
                ++ascii;
            }
            std::string_view run = text.substr(nonAscii, ascii - nonAscii);
            if (!run.empty() && !converter->Run(run, 1, bytes, onBad)) {
                break;
            }
            i = ascii;
        }
    }
    std::u16string result(bytes.size() / 2, u'\0');
    bytes.copy(reinterpret_cast<char*>(result.data()), result.size() * 2);
    return result;
}

}  // namespace os
