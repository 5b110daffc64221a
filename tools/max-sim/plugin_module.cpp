// POSIX calls only.
#include "tools/max-sim/plugin_module.h"

#include <dlfcn.h>

#include <filesystem>

namespace maxsim {

namespace {

template <typename Function>
bool Find(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(handle, name));
    return function != nullptr;
}

}  // namespace

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
    bool complete = Find(handle, "LibDescription", module.LibDescription) &&
                    Find(handle, "LibNumberClasses", module.LibNumberClasses) &&
                    Find(handle, "LibClassDesc", module.LibClassDesc) &&
                    Find(handle, "LibVersion", module.LibVersion) &&
                    Find(handle, "LibInitialize", module.LibInitialize) &&
                    Find(handle, "LibShutdown", module.LibShutdown);
    if (!complete) {
        error = path + " is not a plug-in: it lacks the Lib... exports";
        return false;
    }
    Find(handle, "ZepSubmissionIdle", module.ZepSubmissionIdle);
    Find(handle, "ZepSetSubmissionObserver", module.ZepSetSubmissionObserver);
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
