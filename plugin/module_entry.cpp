#include "plugin/module_entry.h"

#include "maxapi.h"
#include "resources/string_loader.h"

void AttachModule(HINSTANCE module) {
    MaxSDK::Util::UseLanguagePackLocale(module);
    SetResourceModule(module);
    // DisableThreadLibraryCalls(module) on Windows; Linux makes no per-thread calls.
}
