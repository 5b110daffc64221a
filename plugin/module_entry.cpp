#include "plugin/module_entry.h"

#include <systemutilities.h>

#include "resources/string_loader.h"

void AttachModule(HINSTANCE module) {
    MaxSDK::Util::UseLanguagePackLocale();
    SetResourceModule(module);
    // DisableThreadLibraryCalls(module) on Windows; Linux makes no per-thread calls.
}
