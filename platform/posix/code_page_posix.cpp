// POSIX calls only: iconv, which keeps its state in the descriptor, not in the C locale.
#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/last_error.h"

namespace os {
namespace {

static_assert(std::endian::native == std::endian::little, "UTF-16 is handed to iconv as UTF-16LE");

constexpr const char* kUtf16Name = "UTF-16LE";
constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";
constexpr char16_t kReplacementWide = u'\uFFFD';

uint32_t Resolved(uint32_t codePage) {
    return codePage == kCodePageAnsi ? AnsiCodePage() : codePage;
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
    template <typename OnBad>
    void Run(std::string_view input, size_t badStep, std::string& output, OnBad onBad) {
        ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        std::vector<char> chunk(4096);
        while (inLeft > 0) {
            char* out = chunk.data();
            size_t outLeft = chunk.size();
            size_t result = ::iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(chunk.data(), chunk.size() - outLeft);
            if (result != static_cast<size_t>(-1) || errno == E2BIG) {
                continue;
            }
            if (!onBad()) {
                return;
            }
            size_t step = badStep < inLeft ? badStep : inLeft;
            in += step;
            inLeft -= step;
        }
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
    Converter* converter = ConverterFor(codePage, false);
    if (converter == nullptr) {
        SetLastError(kErrorInvalidParameter);
        return result;
    }
    bool toUtf8 = Resolved(codePage) == kCodePageUtf8;
    std::string_view bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    converter->Run(bytes, 2, result, [&] {
        if (unmappable == Unmappable::Stop) {
            return false;
        }
        result += toUtf8 ? kReplacementUtf8 : "?";
        return true;
    });
    return result;
}

std::u16string MultiByteToWide(uint32_t codePage, std::string_view text, Unmappable unmappable) {
    std::u16string result;
    if (text.empty()) {
        return result;
    }
    Converter* converter = ConverterFor(codePage, true);
    if (converter == nullptr) {
        SetLastError(kErrorInvalidParameter);
        return result;
    }
    bool fromUtf8 = Resolved(codePage) == kCodePageUtf8;
    std::string bytes;
    bytes.reserve(text.size() * 2);
    converter->Run(text, 1, bytes, [&] {
        if (unmappable == Unmappable::Stop) {
            return false;
        }
        char16_t replacement = fromUtf8 ? kReplacementWide : u'?';
        bytes.append(reinterpret_cast<const char*>(&replacement), 2);
        return true;
    });
    result.resize(bytes.size() / 2);
    bytes.copy(reinterpret_cast<char*>(result.data()), result.size() * 2);
    return result;
}

}  // namespace os
