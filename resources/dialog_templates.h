#pragma once
// The module's dialog templates on Linux: the DIALOGEX blocks of resources/plugin.rc, turned into
// the tables of the headless window system at build time (gen_dialogs.py). The language is the
// one the strings use (ZEP_LANGUAGE: en, zh-CN or ids, which shows the English dialogs).

#include <span>

#include "platform/headless/dialog_template.h"
#include "resources/string_table.h"

namespace resources {

// The dialogs of one language, in ascending id order (generated).
std::span<const win::headless::DialogTemplate> DialogTable(StringLanguage language);

// Template `id` of one language; null when there is none.
const win::headless::DialogTemplate* FindDialogTemplate(StringLanguage language, int id);

// What the headless window system asks when a dialog opens: template `id` in the language chosen
// when the module handle was last set. Null for a null module, before the module handle is set
// and for an unknown id.
const win::headless::DialogTemplate* ModuleDialogTemplate(HINSTANCE module, int id);

// Makes ModuleDialogTemplate the headless window system's source of dialog templates.
void RegisterDialogTemplates();

}  // namespace resources
