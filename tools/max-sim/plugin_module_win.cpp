// Win32 calls only.
#include <windows.h>

#include <filesystem>

#include "text/conversions.h"
#include "tools/max-sim/plugin_module.h"

namespace maxsim {

bool LoadPluginModule(const std::string& path, PluginModule& module, std::string& error) {
    // A plug-in is named by its path; the path is UTF-8, as every argument of max-sim.
    std::filesystem::path named = std::filesystem::absolute(std::filesystem::u8path(path));
    HMODULE handle = ::LoadLibraryW(named.c_str());
    if (handle == nullptr) {
        error = "cannot load " + path + ": error " + std::to_string(::GetLastError());
        return false;
    }
    module.handle = handle;
    module.instance = handle;
    return FindPluginExports(
        [handle](const char* name) {
            return reinterpret_cast<void*>(::GetProcAddress(handle, name));
        },
        path, module, error);
}

std::string DefaultPluginPath() {
    wchar_t program[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return "zep_rendering.gup";
    }
    std::u8string path =
        (std::filesystem::path(program).parent_path() / "zep_rendering.gup").u8string();
    return std::string(path.begin(), path.end());
}

}  // namespace maxsim
