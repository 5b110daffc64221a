#include "scene/character_classes.h"

#include <algorithm>

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

bool IsAsciiLetterOrDigitOrIdeograph(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           (c >= u'\u4E00' && c <= u'\u9FFF');
}

}  // namespace

bool IsCyrillic(char16_t c) {
    return c >= u'\u0400' && c <= u'\u052F';
}

bool ContainsCyrillic(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), IsCyrillic);
}

bool IsLegalReferenceChar(char16_t c) {
    return IsAsciiLetterOrDigitOrIdeograph(c) ||
           kLegalPunctuation.find(c) != std::u16string_view::npos;
}

bool IsLegalReferencePath(std::u16string_view path) {
    return !path.empty() && std::all_of(path.begin(), path.end(), IsLegalReferenceChar);
}

bool IsForbiddenNameChar(char16_t c) {
    return kForbiddenNameChars.find(c) != std::u16string_view::npos;
}

bool ContainsForbiddenNameChar(std::u16string_view name) {
    return std::any_of(name.begin(), name.end(), IsForbiddenNameChar);
}

bool IsLegalSceneFileNameChar(char16_t c) {
    return IsAsciiLetterOrDigitOrIdeograph(c) ||
           kSceneFileNamePunctuation.find(c) != std::u16string_view::npos;
}

bool IsLegalSceneFileName(std::u16string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), IsLegalSceneFileNameChar);
}
