#include "tools/max-sim/host/simulated_max.h"

#include <filesystem>

#include "host/simulated_host.h"
#include "platform/files.h"
#include "text/conversions.h"
#include "tools/max-sim/host/maxscript_statements.h"
#include "tools/max-sim/host/scene_document.h"
#include "tools/max-sim/host/script_roles.h"

namespace maxsim {

SimulatedMax::SimulatedMax(HostFailures failures) : failures_(failures) {}

SimulatedMax::~SimulatedMax() = default;

void SimulatedMax::Install() {
    SetScriptRunner([this](const std::u16string& script, FPValue*) { return Run(script); });
    SetSceneSaver([this](const std::u16string& path) { return Save(path); });
    New();
}

bool SimulatedMax::Open(const std::u16string& path, std::string& error) {
    std::error_code failure;
    std::filesystem::path absolute = std::filesystem::absolute(ToUtf8(path), failure);
    std::u16string fullPath = failure ? path : FromUtf8(absolute.lexically_normal().string());
    Json::Value scene;
    if (!ReadSceneFile(fullPath, scene, error)) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    scene_ = scene;
    SetCurrentScene(fullPath);
    return true;
}

void SimulatedMax::New() {
    std::lock_guard<std::mutex> lock(mutex_);
    scene_ = Json::Value(Json::objectValue);
    SetCurrentScene(u"");
}

BOOL SimulatedMax::Run(const std::u16string& script) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (failures_.maxscript) {
        return Fail("-- MAXScript failed: the interpreter is set to fail");
    }
    std::vector<Statement> statements;
    std::string error;
    if (!ParseStatements(script, statements, error)) {
        return Fail("-- Syntax error: " + error);
    }
    for (const Statement& statement : statements) {
        if (statement.kind == Statement::Kind::FileIn) {
            if (FileIn(statement.path) == FALSE) {
                return FALSE;
            }
        } else if (!analysisDefined_) {
            return Fail("-- Type error: gMax is undefined; run the analysis script first");
        } else {
            WriteAnalysis(statement.path);
        }
    }
    return TRUE;
}

bool SimulatedMax::Save(const std::u16string& path) {
    if (failures_.save) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    return WriteSceneFile(path, scene_);
}

void SimulatedMax::SetListener(std::function<void(const std::string& line)> listener) {
    std::lock_guard<std::mutex> lock(mutex_);
    listener_ = std::move(listener);
}

std::vector<std::string> SimulatedMax::ListenerLines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return listenerLines_;
}

BOOL SimulatedMax::FileIn(const std::u16string& path) {
    std::string text;
    if (!os::ReadWholeFile(path, text)) {
        return Fail("-- Runtime error: fileIn cannot open \"" + ToUtf8(path) + "\"");
    }
    ScriptRole role = IdentifyScript(text);
    switch (role.kind) {
        case ScriptRole::Kind::Analysis:
            analysisDefined_ = true;
            return TRUE;
        case ScriptRole::Kind::Cleaning:
            return Clean(role.family);
        default:
            return Fail("-- Runtime error: fileIn \"" + ToUtf8(path) +
                        "\" is a script this host cannot run");
    }
}

// The analysis script writes what it can; a result file it cannot write leaves the caller with
// no text, while the call itself succeeds.
void SimulatedMax::WriteAnalysis(const std::u16string& resultPath) {
    if (!os::WriteFileAtomically(resultPath, AnalysisFileBytes(scene_, CurrentScenePath()))) {
        Listen("-- gMax.analysis cannot write \"" + ToUtf8(resultPath) + "\"");
        return;
    }
    if (WantsAnalysisSideFile(scene_)) {
        os::WriteFileAtomically(resultPath + u".log",
                                "analysis written to " + ToUtf8(resultPath) + "\n");
    }
}

BOOL SimulatedMax::Clean(const std::string& family) {
    RemoveScriptFamily(scene_, family);
    std::u16string path = CurrentScenePath();
    if (path.empty()) {
        return Fail("-- Runtime error: saveMaxFile: the scene has never been saved");
    }
    if (failures_.save || !WriteSceneFile(path, scene_)) {
        return Fail("-- Runtime error: saveMaxFile cannot write \"" + ToUtf8(path) + "\"");
    }
    return TRUE;
}

BOOL SimulatedMax::Fail(const std::string& line) {
    Listen(line);
    return FALSE;
}

void SimulatedMax::Listen(const std::string& line) {
    listenerLines_.push_back(line);
    if (listener_) {
        listener_(line);
    }
}

}  // namespace maxsim
