// POSIX calls only. A module handle is the base address of a loaded shared object. The host
// finds the object at that address and asks its exported string lookup (see
// host/simulated_host.h, kModuleStringExport); an object without one has no strings.
#include <dlfcn.h>

#include "host/simulated_host.h"
#include "module_strings.h"

bool LoadModuleString(HINSTANCE module, int id, std::u16string& text) {
    Dl_info info{};
    if (module == nullptr || ::dladdr(module, &info) == 0 || info.dli_fbase != module ||
        info.dli_fname == nullptr) {
        return false;
    }
    // RTLD_NOLOAD only finds the object already loaded; it takes a reference we give back.
    void* object = ::dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (object == nullptr) {
        return false;
    }
    auto lookup =
        reinterpret_cast<maxsim::ModuleStringLookup>(::dlsym(object, maxsim::kModuleStringExport));
    bool found = false;
    if (lookup != nullptr) {
        char16_t buffer[maxsim::kModuleStringUnits];
        int units = lookup(id, buffer, maxsim::kModuleStringUnits);
        if (units > 0 && units < maxsim::kModuleStringUnits) {
            text.assign(buffer, static_cast<size_t>(units));
            found = true;
        }
    }
    ::dlclose(object);
    return found;
}
