#pragma once
// Where the string loaders find their texts: the module's string table through LoadStringW on
// Windows, the generated tables on Linux.

#include <string_view>

namespace resources {

// Called whenever the module handle is set. On Linux it reads ZEP_LANGUAGE (en, zh-CN or ids),
// which picks the strings and the dialog templates, and makes the templates the headless window
// system's; on Windows the module's own language resources decide and nothing is done.
void SelectResourceLanguage();

// The text of string `id` of `module` (not null). False when the table lacks it.
bool FindModuleString(void* module, int id, std::u16string_view& text);

}  // namespace resources
