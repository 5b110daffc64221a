#include "scene/character_classes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/utf8_codec.h"

namespace {

// The punctuation a reference path may hold besides letters, digits and CJK ideographs.
constexpr std::u16string_view kLegalPunctuation =
    u"~!\uFF01@#\uFFE5$\u2026&^()\uFF08\uFF09\u2014\u300C\u300D\u3010\u3011{}:\u3001\\; "
    u"\uFF1B\u201C\u201D\u2019'\u2018\u300A\u300B`\u00B7\uFF0C,\u3002.[]+_=/-";

// The punctuation a scene file name may hold: the same list without the grave accent, the
// middle dot and the slash.
constexpr std::u16string_view kSceneFileNamePunctuation =
    u"~!\uFF01@#\uFFE5$\u2026&^()\uFF08\uFF09\u2014\u300C\u300D\u3010\u3011{}:.\u3001\\; "
    u"\uFF1B\u201C\u201D\u2019'\u2018\u300A\u300B\uFF0C,\u3002[]+_=-";

bool IsIdeograph(char16_t c) {
    return c >= u'\u4E00' && c <= u'\u9FFF';
}

// Which ASCII characters a class holds: the letters, the digits and its punctuation.
using AsciiClass = std::array<bool, 128>;

constexpr AsciiClass MakeAsciiClass(std::u16string_view punctuation) {
    AsciiClass members{};
    for (char16_t c = 0; c < 128; ++c) {
        members[c] = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                     (c >= u'0' && c <= u'9') || punctuation.find(c) != std::u16string_view::npos;
    }
    return members;
}

constexpr AsciiClass kLegalReferenceAscii = MakeAsciiClass(kLegalPunctuation);
constexpr AsciiClass kSceneFileNameAscii = MakeAsciiClass(kSceneFileNamePunctuation);

// ASCII through the table; above it the ideographs and the class's own punctuation.
bool InClass(char16_t c, const AsciiClass& ascii, std::u16string_view punctuation) {
    if (c < 128) {
        return ascii[c];
    }
    return IsIdeograph(c) || punctuation.find(c) != std::u16string_view::npos;
}

}  // namespace

bool IsCyrillic(char16_t c) {
    return c >= u'\u0400' && c <= u'\u052F';
}

bool ContainsCyrillic(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), IsCyrillic);
}

bool IsLegalReferenceChar(char16_t c) {
    return InClass(c, kLegalReferenceAscii, kLegalPunctuation);
}

bool IsLegalReferencePath(std::u16string_view path) {
    return !path.empty() && std::all_of(path.begin(), path.end(), IsLegalReferenceChar);
}

bool TestReferencePathUtf8(std::string_view utf8, bool& cyrillic, bool& legal) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    bool anyCyrillic = false;
    unsigned allLegal = utf8.empty() ? 0 : 1;
    for (size_t at = 0; at < utf8.size();) {
        // Eight ASCII bytes, none of them zero, at a time: the usual run of a path.
        if (at + 8 <= utf8.size()) {
            uint64_t word = 0;
            std::memcpy(&word, utf8.data() + at, sizeof word);
            if ((word & kHighBits) == 0 && ((word - kOnes) & ~word & kHighBits) == 0) {
                for (size_t end = at + 8; at < end; ++at) {
                    const auto c = static_cast<unsigned char>(utf8[at]);
                    allLegal &= kLegalReferenceAscii[c] ? 1u : 0u;
                }
                continue;
            }
        }
        const auto lead = static_cast<unsigned char>(utf8[at]);
        if (lead != 0 && lead < 0x80) {
            allLegal &= kLegalReferenceAscii[lead] ? 1u : 0u;
            ++at;
            continue;
        }
        const size_t length = lead == 0 ? 0 : os::Utf8SequenceLength(utf8, at);
        if (length == 0) {
            return false;
        }
        const char32_t code = os::DecodeUtf8Sequence(utf8, at, length);
        // Beyond U+FFFF a character is a surrogate pair, whose units are in no class.
        const bool unit = code <= 0xFFFF;
        anyCyrillic = anyCyrillic || (unit && IsCyrillic(static_cast<char16_t>(code)));
        allLegal &= unit && IsLegalReferenceChar(static_cast<char16_t>(code)) ? 1u : 0u;
        at += length;
    }
    cyrillic = anyCyrillic;
    legal = allLegal != 0;
    return true;
}

bool IsForbiddenNameChar(char16_t c) {
    return kForbiddenNameChars.find(c) != std::u16string_view::npos;
}

bool ContainsForbiddenNameChar(std::u16string_view name) {
    return std::any_of(name.begin(), name.end(), IsForbiddenNameChar);
}

bool IsLegalSceneFileNameChar(char16_t c) {
    return InClass(c, kSceneFileNameAscii, kSceneFileNamePunctuation);
}

bool IsLegalSceneFileName(std::u16string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), IsLegalSceneFileNameChar);
}
