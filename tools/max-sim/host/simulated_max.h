#pragma once
// The simulated 3ds Max session behind the SDK stand-in: the open scene (a scene file, see
// scene_document.h), the MAXScript interpreter that runs what the plug-in sends, saving the
// scene, and the listener where the interpreter reports what went wrong. Install() makes it the
// simulated core's script runner and scene saver. The submission worker calls in from its own
// thread, so the session keeps its state under a lock.

#include <json/json.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win/window_types.h"

namespace maxsim {

// Parts of the host a session makes fail on purpose.
struct HostFailures {
    bool maxscript = false;  // every interpreter call returns 0
    bool save = false;       // every save of the scene fails
};

class SimulatedMax {
public:
    explicit SimulatedMax(HostFailures failures = {});
    ~SimulatedMax();
    SimulatedMax(const SimulatedMax&) = delete;
    SimulatedMax& operator=(const SimulatedMax&) = delete;

    // Makes this session the simulated core's interpreter and saver, with an unsaved empty
    // scene open. The session must outlive its use by the core (or the core be reset).
    void Install();

    // Opens a scene file; its absolute path becomes the open scene's. False, with a sentence in
    // `error`, when it cannot be read.
    bool Open(const std::u16string& path, std::string& error);
    // An unsaved, empty scene.
    void New();

    // Runs MAXScript text: 1 when every statement ran, 0 at the first that did not (with a line
    // in the listener).
    BOOL Run(const std::u16string& script);
    // Writes the open scene to `path`.
    bool Save(const std::u16string& path);

    // Called with every listener line as it is written, on the thread that runs the script.
    void SetListener(std::function<void(const std::string& line)> listener);
    std::vector<std::string> ListenerLines() const;

private:
    BOOL FileIn(const std::u16string& path);
    void WriteAnalysis(const std::u16string& resultPath);
    BOOL Clean(const std::string& family);
    BOOL Fail(const std::string& line);
    void Listen(const std::string& line);

    HostFailures failures_;
    mutable std::mutex mutex_;
    Json::Value scene_{Json::objectValue};
    bool analysisDefined_ = false;
    std::vector<std::string> listenerLines_;
    std::function<void(const std::string&)> listener_;
};

}  // namespace maxsim
