#include "plugin/module_entry.h"

#include <systemutilities.h>

#include "log/guarded_call.h"
#include "resources/string_loader.h"

bool AttachModule(HINSTANCE module) {
    return GuardedCall("AttachModule", [module] {
        MaxSDK::Util::UseLanguagePackLocale();
        SetResourceModule(module);
        // DisableThreadLibraryCalls(module) on Windows; Linux makes no per-thread calls.
    });
}
