// Win32 calls only.
#include <windows.h>

#include <filesystem>

#include "text/conversions.h"
#include "tools/max-sim/plugin_module.h"

namespace maxsim {

namespace {

template <typename Function>
bool Find(HMODULE handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(handle, name)));
    return function != nullptr;
}

}  // namespace

bool LoadPluginModule(const std::string& path, PluginModule& module, std::string& error) {
    // A plug-in is named by its path; the path is UTF-8, as every argument of max-sim.
    std::filesystem::path named = std::filesystem::absolute(std::filesystem::u8path(path));
    HMODULE handle = ::LoadLibraryW(named.c_str());
    if (handle == nullptr) {
        error = "cannot load " + path + ": error " + std::to_string(::GetLastError());
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
    wchar_t program[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return "zep_rendering.gup";
    }
    std::u8string path = (std::filesystem::path(program).parent_path() / "zep_rendering.gup").u8string();
    return std::string(path.begin(), path.end());
}

}  // namespace maxsim
