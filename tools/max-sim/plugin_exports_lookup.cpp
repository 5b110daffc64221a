// The plug-in's exports by name, the same whichever system loaded the module.
#include "tools/max-sim/plugin_module.h"

namespace maxsim {

namespace {

template <typename Function>
bool Find(const std::function<void*(const char*)>& lookup, const char* name, Function& function) {
    function = reinterpret_cast<Function>(lookup(name));
    return function != nullptr;
}

}  // namespace

bool FindPluginExports(const std::function<void*(const char*)>& lookup, const std::string& path,
                       PluginModule& module, std::string& error) {
    bool complete = Find(lookup, "LibDescription", module.LibDescription) &&
                    Find(lookup, "LibNumberClasses", module.LibNumberClasses) &&
                    Find(lookup, "LibClassDesc", module.LibClassDesc) &&
                    Find(lookup, "LibVersion", module.LibVersion) &&
                    Find(lookup, "LibInitialize", module.LibInitialize) &&
                    Find(lookup, "LibShutdown", module.LibShutdown);
    if (!complete) {
        error = path + " is not a plug-in: it lacks the Lib... exports";
        return false;
    }
    Find(lookup, "ZepSubmissionIdle", module.ZepSubmissionIdle);
    Find(lookup, "ZepSetSubmissionObserver", module.ZepSetSubmissionObserver);
    Find(lookup, "ZepSetSubmissionStepObserver", module.ZepSetSubmissionStepObserver);
    return true;
}

}  // namespace maxsim
