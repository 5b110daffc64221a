// Any bytes as a max-sim scene file, taken the whole way a scene's analysis goes: the simulated
// host opens the file, the plug-in's analysis run has the host's interpreter load the analysis
// script and write the result file (with its byte-order mark and its ".log" side file when the
// scene asks for them), reads the file back and deletes both, and the reader turns the text into
// the scene model and the scene name. Nothing may crash or leak; the run must succeed, leave the
// json folder empty, call the host on its own thread only and show no message box; the text
// must be the result file's bytes read as zep-submit reads them, and, whenever the host's bytes
// are UTF-8 without a zero, the same JSON value as the scene's analysis.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "config/data_folder.h"
#include "fuzz/scratch_folder.h"
#include "host/simulated_host.h"
#include "platform/win/message_box.h"
#include "resources/string_loader.h"
#include "scene/analysis_reader.h"
#include "scene/analysis_text.h"
#include "scene/plugin_state.h"
#include "scene/selection_checks.h"
#include "text/conversions.h"
#include "text/json_text.h"
#include "tools/max-sim/host/scene_document.h"
#include "tools/max-sim/host/script_roles.h"
#include "tools/max-sim/host/simulated_max.h"
#include "workflow/scene_analysis.h"

namespace {

namespace fs = std::filesystem;

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// A data folder as farm-client install lays it out, as far as the analysis run reads it: the
// configuration file and the analysis script (which names its role for the simulated host).
struct Fixture {
    fs::path root;
    fs::path jsonFolder;
    std::u16string scenePath;
    std::u16string analysisScript;
    maxsim::SimulatedMax host;
};

Fixture& GetFixture() {
    static Fixture* fixture = [] {
        auto* made = new Fixture;
        made->root = fuzzing::ScratchFolder("zep-scene-fuzz");
        fs::create_directories(made->root / "ZEP Rendering" / "script");
        fs::create_directories(made->root / "ZEP Rendering" / "json");
        fs::create_directories(made->root / "scenes");
        ::setenv("PROGRAMDATA", made->root.c_str(), 1);
        std::ofstream(made->root / "ZEP Rendering" / "script" / "pmx_plugin.ini")
            << "[general]\r\nip=127.0.0.1\r\nport=18080\r\n";
        made->jsonFolder = made->root / "ZEP Rendering" / "json";
        made->scenePath = FromUtf8((made->root / "scenes" / "scene.max").string());
        made->analysisScript = data_folder::DataPath(data_folder::kAnalysisScript);
        std::ofstream(ToUtf8(made->analysisScript))
            << maxsim::kRoleMarker << maxsim::kAnalysisRole << "\r\n";
        SetResourceModule(reinterpret_cast<void*>(1));
        win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
        maxsim::ResetHost();
        made->host.Install();
        return made;
    }();
    return *fixture;
}

bool EmptyFolder(const fs::path& folder) {
    return fs::is_directory(folder) && fs::is_empty(folder);
}

// True when the bytes read as UTF-8 give them back whole: no ill-formed sequence and no zero.
bool ReadsBackWhole(std::string_view utf8) {
    return ToUtf8(FromUtf8(utf8)) == utf8;
}

// The analysis the scene holds, as the host writes it: its "name" is the scene's path unless
// the scene gives one.
Json::Value SceneAnalysis(const Json::Value& scene, const std::u16string& fullPath) {
    const Json::Value* given = FindMember(scene, "analysis");
    Json::Value analysis =
        given != nullptr && given->isObject() ? *given : Json::Value(Json::objectValue);
    if (FindMember(analysis, "name") == nullptr) {
        analysis["name"] = ToUtf8(fullPath);
    }
    return analysis;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fixture& fixture = GetFixture();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(ToUtf8(fixture.scenePath), std::ios::binary | std::ios::trunc) << bytes;

    // max-sim's "open PATH": a file that is no JSON object ends the session there.
    fixture.host.New();
    std::string error;
    if (!fixture.host.Open(fixture.scenePath, error)) {
        Require(!error.empty());
        return 0;
    }
    Json::Value scene;
    Require(ParseJsonText(bytes, scene) && scene.isObject());
    const std::u16string fullPath = maxsim::CurrentScenePath();
    const std::string hostBytes = maxsim::AnalysisFileBytes(scene, fullPath);
    const size_t listened = fixture.host.ListenerLines().size();

    PluginState& state = GetPluginState();
    state.cameras.clear();
    std::u16string text;
    Require(RunSceneAnalysis(nullptr, nullptr, fixture.analysisScript, text));
    Require(fixture.host.ListenerLines().size() == listened);
    Require(win::TakeMessageBoxes().empty());
    Require(maxsim::OffThreadHostCalls().empty());
    Require(EmptyFolder(fixture.jsonFolder));

    Require(text == AnalysisTextFromBytes(hostBytes));
    if (ReadsBackWhole(hostBytes)) {
        Json::Value read;
        Require(ParseJsonText(ToUtf8(text), read) && read == SceneAnalysis(scene, fullPath));
    }

    state.analysisText = text;
    SceneNameSource sceneName;
    int32_t result = ReadAnalysisResult(state, &sceneName);
    Require(result == kAnalysisRead || result == kAnalysisNoCameras ||
            result == kAnalysisDuplicateCameras);
    Require(InitSceneName(state, sceneName) == InitSceneName(state));
    CollectNotices(state);
    return 0;
}
