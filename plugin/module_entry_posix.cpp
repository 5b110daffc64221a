// POSIX calls only. The library entry point on Linux: a constructor the loader runs when it
// maps the module. The module handle is the module's base address, found with dladdr from an
// address inside the module.
#include <dlfcn.h>

#include "plugin/module_entry.h"

namespace {

__attribute__((constructor)) void OnModuleLoaded() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&OnModuleLoaded), &info) != 0 &&
        info.dli_fbase != nullptr) {
        AttachModule(static_cast<HINSTANCE>(info.dli_fbase));
    }
}

}  // namespace
