// zep-submit inspect FILE: the scene model the dialog would show for an analysis file.
#include <iostream>
#include <memory>

#include "scene/plugin_state.h"
#include "text/conversions.h"
#include "text/json_text.h"
#include "tools/zep-submit/analysis_session.h"
#include "tools/zep-submit/commands.h"
#include "tools/zep-submit/json_output.h"

namespace {

int Inspect(const std::string& file) {
    LoadResources();
    PluginState& state = GetPluginState();
    int32_t result = 0;
    if (!LoadAnalysis(file, state, result)) {
        std::cerr << "zep-submit: cannot read the analysis file " << file << "\n";
        return 2;
    }
    // The dialog goes on with an empty scene; someone inspecting the file wants to know why.
    Json::Value root;
    std::string errors;
    if (!ParseJsonText(ToUtf8(state.analysisText), root, &errors)) {
        std::cerr << "zep-submit: " << file << " is not JSON:\n" << errors;
        return 1;
    }
    if (!root.isObject()) {
        std::cerr << "zep-submit: " << file << " holds no JSON object\n";
        return 1;
    }
    PrintJson(std::cout, SceneModelJson(state, result));
    return 0;
}

}  // namespace

void AddInspectCommand(CLI::App& app, int& exitCode) {
    CLI::App* command = app.add_subcommand("inspect",
                                           "Read an analysis file as the dialog does and print the "
                                           "scene model as one JSON object");
    auto file = std::make_shared<std::string>();
    command->add_option("FILE", *file, "the analysis result file (UTF-8 JSON)")->required();
    command->callback([&exitCode, file] { exitCode = Inspect(*file); });
}
