#pragma once
// A max-sim session: the plug-in object created through the module's class descriptor and
// started as 3ds Max starts it, then the steps, in order, as input on this thread. While a
// dialog is open, the innermost dialog's loop takes the next step, so a step acts on the
// topmost dialog. When the steps run out, the dialogs still open are closed.

#include <vector>

#include "guplib.h"
#include "platform/win/window_types.h"
#include "tools/max-sim/event_log.h"
#include "tools/max-sim/host/simulated_max.h"
#include "tools/max-sim/plugin_module.h"
#include "tools/max-sim/steps.h"

namespace maxsim {

class Session {
public:
    Session(PluginModule& module, SimulatedMax& host, EventLog& log);

    // Creates the module's utility plug-in and starts it; false, with an error event, when the
    // module has none.
    bool StartPlugin();
    void Run(const std::vector<Step>& steps);
    // As the host ends: waits for a running submission, stops and deletes the plug-in object.
    void Shutdown();

private:
    void Apply(const Step& step);
    bool ApplyStep(const Step& step, std::string& error);
    bool ApplyToDialog(const Step& step, HWND dialog, std::string& error);
    bool RunAction(int command, std::string& error);
    bool WaitForSubmissions(std::string& error);
    void FinishDialogs();
    [[noreturn]] void Abort(const std::string& text);

    PluginModule& module_;
    SimulatedMax& host_;
    EventLog& log_;
    GUP* plugin_ = nullptr;
    bool started_ = false;
    bool failed_ = false;
    HWND lastClosed_ = nullptr;
};

}  // namespace maxsim
