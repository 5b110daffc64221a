// Linux side of the string source: the generated tables, language chosen by ZEP_LANGUAGE, which
// also picks the dialog templates.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "resources/dialog_templates.h"
#include "resources/string_source.h"
#include "resources/string_table.h"

namespace resources {

namespace {

std::atomic<StringLanguage> g_language{StringLanguage::kEnglish};

}  // namespace

StringLanguage StringLanguageFromName(const char* name) {
    if (name == nullptr) {
        return StringLanguage::kEnglish;
    }
    if (std::strcmp(name, "zh-CN") == 0) {
        return StringLanguage::kSimplifiedChinese;
    }
    if (std::strcmp(name, "ids") == 0) {
        return StringLanguage::kIds;
    }
    return StringLanguage::kEnglish;
}

const StringEntry* FindTableString(StringLanguage language, int id) {
    std::span<const StringEntry> table = StringTable(language);
    auto found = std::lower_bound(table.begin(), table.end(), id,
                                  [](const StringEntry& entry, int key) { return entry.id < key; });
    if (found == table.end() || found->id != id) {
        return nullptr;
    }
    return &*found;
}

StringLanguage SelectedStringLanguage() {
    return g_language.load();
}

void SelectResourceLanguage() {
    g_language.store(StringLanguageFromName(std::getenv("ZEP_LANGUAGE")));
    RegisterDialogTemplates();
}

bool FindModuleString(void* /*module*/, int id, std::u16string_view& text) {
    const StringEntry* entry = FindTableString(g_language.load(), id);
    if (entry == nullptr) {
        return false;
    }
    text = entry->text;
    return true;
}

}  // namespace resources
