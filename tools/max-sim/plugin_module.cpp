// POSIX calls only.
#include "tools/max-sim/plugin_module.h"

#include <dlfcn.h>

#include <filesystem>

namespace maxsim {

bool LoadPluginModule(const std::string& path, PluginModule& module, std::string& error) {
    // A bare file name would be looked up on the library path; a plug-in is named by its path.
    std::string named = path.find('/') == std::string::npos ? "./" + path : path;
    void* handle = ::dlopen(named.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = ::dlerror();
        error = "cannot load " + path + ": " + (why != nullptr ? why : "unknown reason");
        return false;
    }
    module.handle = handle;
    if (!FindPluginExports([handle](const char* name) { return ::dlsym(handle, name); }, path,
                           module, error)) {
        return false;
    }
    Dl_info info{};
    ::dladdr(reinterpret_cast<void*>(module.LibVersion), &info);
    module.instance = static_cast<HINSTANCE>(info.dli_fbase);
    return true;
}

std::string DefaultPluginPath() {
    std::error_code failure;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failure);
    if (failure) {
        return "zep_rendering.so";
    }
    return (program.parent_path() / "zep_rendering.so").string();
}

}  // namespace maxsim
