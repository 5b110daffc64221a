#pragma once
// The string tables built into the Linux side of the plug-in, generated at build time from
// resources/strings.tsv (the same file the Windows resource script is made from).

#include <span>
#include <string_view>

namespace resources {

enum class StringLanguage {
    kEnglish,            // "en"; language marker "0"
    kSimplifiedChinese,  // "zh-CN"; language marker "1"
    kIds,                // "ids": every string N reads "{N}", the language marker reads "0"
};

struct StringEntry {
    int id;
    std::u16string_view text;
};

// The table of one language, sorted by id (generated).
std::span<const StringEntry> StringTable(StringLanguage language);

// The language of a ZEP_LANGUAGE value; English for a null, empty or unknown name.
StringLanguage StringLanguageFromName(const char* name);

// Null when the table lacks the id.
const StringEntry* FindTableString(StringLanguage language, int id);

// The language the module's strings and dialogs are in: chosen from ZEP_LANGUAGE whenever the
// module handle is set, English before that.
StringLanguage SelectedStringLanguage();

}  // namespace resources
