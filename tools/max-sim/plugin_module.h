#pragma once
// A plug-in module loaded by path, as 3ds Max loads one: through its exports only.

#include <functional>
#include <string>

#include "iparamb2.h"

namespace maxsim {

struct PluginModule {
    void* handle = nullptr;
    // The module handle, its base address, as the module's own code knows it.
    HINSTANCE instance = nullptr;
    const MCHAR* (*LibDescription)() = nullptr;
    int (*LibNumberClasses)() = nullptr;
    ClassDesc* (*LibClassDesc)(int) = nullptr;
    ULONG (*LibVersion)() = nullptr;
    int (*LibInitialize)() = nullptr;
    int (*LibShutdown)() = nullptr;
    // The module's tool exports (see plugin/plugin_exports.h); null when it lacks them.
    int (*ZepSubmissionIdle)() = nullptr;
    void (*ZepSetSubmissionObserver)(void (*)(const char*, void*), void*) = nullptr;
    void (*ZepSetSubmissionStepObserver)(void (*)(const char*, void*), void*) = nullptr;
};

// The version of the SDK the simulated host is (3ds Max 2022).
inline constexpr ULONG kHostSdkVersion = (24000UL << 16) + (60UL << 8);

// Loads the module and finds its exports. False, with a sentence in `error`, when it cannot be
// loaded or lacks one of the six exports every plug-in has.
bool LoadPluginModule(const std::string& path, PluginModule& module, std::string& error);

// Finds the exports of a loaded module through `lookup` (the address of an export by name, or
// null). False, with a sentence in `error`, when one of the six every plug-in has is missing.
bool FindPluginExports(const std::function<void*(const char*)>& lookup, const std::string& path,
                       PluginModule& module, std::string& error);

// The module next to the running program (zep_rendering.so in its folder).
std::string DefaultPluginPath();

}  // namespace maxsim
