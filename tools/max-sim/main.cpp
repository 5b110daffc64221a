// max-sim: a simulated 3ds Max session for people, demos and black-box tests. It loads the
// plug-in module through its exports, starts it as the host does and runs the given steps
// against the host and the plug-in's dialogs, reporting what happens.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "host/simulated_host.h"
#include "platform/fault_injection.h"
#include "platform/headless/environment.h"
#include "platform/headless/events.h"
#include "platform/win/message_box.h"
#include "text/conversions.h"
#include "tools/max-sim/event_log.h"
#include "tools/max-sim/event_records.h"
#include "tools/max-sim/host/simulated_max.h"
#include "tools/max-sim/plugin_module.h"
#include "tools/max-sim/session.h"
#include "tools/max-sim/steps.h"

namespace {

constexpr char kUsage[] =
    "usage: max-sim [--plugin FILE] [--dpi N] [--json] [--fail maxscript|save|winsock]...\n"
    "               [--steps FILE] STEP...\n"
    "steps: open PATH | new | menu | notify-startup | stop | start | action N | click ID |\n"
    "       text ID TEXT | combo ID INDEX | spin ID DELTA | tick NAME | untick NAME |\n"
    "       select NAME[,NAME...] | dblclick NAME | dblclick-empty | command ID |\n"
    "       answer ok|cancel|yes|no | wait | show | picture PATH | close\n";

struct Options {
    std::string plugin;
    int dpi = 0;
    bool json = false;
    maxsim::HostFailures failures;
    bool winsockFails = false;
    std::string stepsFile;
    std::vector<std::string> stepWords;
};

// Options come first; the first word that is not one starts the steps ("--" may end them).
bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
    int index = 1;
    auto value = [&](const std::string& option, std::string& into) {
        if (index + 1 >= argc) {
            error = option + " needs a value";
            return false;
        }
        into = argv[++index];
        return true;
    };
    for (; index < argc; ++index) {
        std::string word = argv[index];
        std::string given;
        if (word == "--") {
            ++index;
            break;
        }
        if (word.rfind("--", 0) != 0) {
            break;
        }
        if (word == "--json") {
            options.json = true;
        } else if (word == "--plugin") {
            if (!value(word, options.plugin)) {
                return false;
            }
        } else if (word == "--steps") {
            if (!value(word, options.stepsFile)) {
                return false;
            }
        } else if (word == "--dpi") {
            if (!value(word, given)) {
                return false;
            }
            options.dpi = std::atoi(given.c_str());
            if (options.dpi < 48 || options.dpi > 960) {
                error = "--dpi takes dots per inch from 48 to 960";
                return false;
            }
        } else if (word == "--fail") {
            if (!value(word, given)) {
                return false;
            }
            if (given == "maxscript") {
                options.failures.maxscript = true;
            } else if (given == "save") {
                options.failures.save = true;
            } else if (given == "winsock") {
                options.winsockFails = true;
            } else {
                error = "--fail takes maxscript, save or winsock";
                return false;
            }
        } else {
            error = "unknown option " + word;
            return false;
        }
    }
    options.stepWords.assign(argv + index, argv + argc);
    return true;
}

bool ReadSteps(const Options& options, std::vector<maxsim::Step>& steps, std::string& failed,
               std::string& error) {
    if (!options.stepsFile.empty()) {
        std::ifstream in(options.stepsFile, std::ios::binary);
        if (!in) {
            failed = "--steps " + options.stepsFile;
            error = "cannot read the steps file";
            return false;
        }
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!maxsim::ParseStepText(text, steps, failed, error)) {
            return false;
        }
    }
    return maxsim::ParseStepWords(options.stepWords, steps, failed, error);
}

// 3 when the plug-in called the host from another thread than the host's, 2 when a step could
// not be applied.
int Finish(maxsim::EventLog& log) {
    maxsim::SetHostCallObserver(nullptr);
    log.Flush();
    log.PrintJson();
    win::headless::SetEventObserver(nullptr);
    if (!maxsim::OffThreadHostCalls().empty()) {
        return 3;
    }
    return log.HadError() ? 2 : 0;
}

void OnSubmission(const char* json, void* context) {
    maxsim::RecordSubmission(*static_cast<maxsim::EventLog*>(context), json);
}

void OnSubmissionStep(const char* step, void* context) {
    maxsim::RecordSubmissionStep(*static_cast<maxsim::EventLog*>(context), step);
}

// Reports of submissions and their steps go to `log` (null: they stop).
void ObserveSubmissions(const maxsim::PluginModule& module, maxsim::EventLog* log) {
    if (module.ZepSetSubmissionObserver != nullptr) {
        module.ZepSetSubmissionObserver(log != nullptr ? &OnSubmission : nullptr, log);
    }
    if (module.ZepSetSubmissionStepObserver != nullptr) {
        module.ZepSetSubmissionStepObserver(log != nullptr ? &OnSubmissionStep : nullptr, log);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (!ParseOptions(argc, argv, options, error)) {
        std::cerr << "max-sim: " << error << "\n" << kUsage;
        return 1;
    }

    // The host's own files are not the plug-in's: only the plug-in's operations may be failed.
    os::ExcludeFromFaultInjection();
    maxsim::StdoutCapture capture;
    capture.Start();
    maxsim::EventLog log(options.json, capture);
    std::vector<maxsim::Step> steps;
    std::string failed;
    if (!ReadSteps(options, steps, failed, error)) {
        log.AddError(failed, error);
        return Finish(log);
    }

    if (options.winsockFails) {
#ifdef _WIN32
        ::_putenv_s("ZEP_WINSOCK_FAILS", "1");
#else
        ::setenv("ZEP_WINSOCK_FAILS", "1", 1);
#endif
    }
    if (options.dpi != 0) {
        win::headless::SetScreenDpi(options.dpi);
    }
    win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
    win::headless::SetEventObserver(
        [&log](const win::headless::WindowEvent& event) { maxsim::RecordWindowEvent(log, event); });
    maxsim::ResetHost();
    maxsim::SetHostCallObserver(
        [&log](const maxsim::HostCall& call) { maxsim::RecordHostCall(log, call); });
    maxsim::SimulatedMax host(options.failures);
    host.Install();
    host.SetListener([&log](const std::string& line) { maxsim::RecordListener(log, line); });

    std::string pluginPath = options.plugin.empty() ? maxsim::DefaultPluginPath() : options.plugin;
    maxsim::PluginModule module;
    if (!maxsim::LoadPluginModule(pluginPath, module, error)) {
        log.AddError("--plugin " + pluginPath, error);
        return Finish(log);
    }
    if (module.LibVersion() != maxsim::kHostSdkVersion || module.LibInitialize() == FALSE) {
        log.AddError("--plugin " + pluginPath, "the plug-in is not made for this host");
        return Finish(log);
    }
    ObserveSubmissions(module, &log);
    maxsim::Session session(module, host, log);
    if (session.StartPlugin()) {
        session.Run(steps);
        session.Shutdown();
    }
    ObserveSubmissions(module, nullptr);
    const int code = Finish(log);
#ifdef _WIN32
    // The report is out. The process ends here without detaching the loaded modules: a module
    // whose runtime still holds a thread the system has ended could wait for it forever.
    std::fflush(nullptr);
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(code));
#endif
    return code;
}
