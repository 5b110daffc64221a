#include "tools/zep-submit/analysis_session.h"

#include <ostream>

#include "platform/files.h"
#include "resources/string_loader.h"
#include "scene/analysis_reader.h"
#include "scene/analysis_text.h"
#include "scene/selection_checks.h"
#include "text/conversions.h"
#include "tools/zep-submit/json_output.h"

namespace {

const char* ButtonsName(unsigned type) {
    switch (type & 0xF) {
        case win::kMbOk:
            return "OK";
        case win::kMbOkCancel:
            return "OK/Cancel";
        case win::kMbYesNoCancel:
            return "Yes/No/Cancel";
        case win::kMbYesNo:
            return "Yes/No";
        default:
            return "other";
    }
}

const char* AnswerName(int answer) {
    switch (answer) {
        case win::kIdOk:
            return "OK";
        case win::kIdCancel:
            return "Cancel";
        case win::kIdYes:
            return "Yes";
        case win::kIdNo:
            return "No";
        default:
            return "none";
    }
}

}  // namespace

bool LoadAnalysis(const std::string& pathUtf8, PluginState& state, int32_t& result) {
    std::string bytes;
    if (!os::ReadWholeFile(FromUtf8(pathUtf8), bytes)) {
        return false;
    }
    state.analysisText = AnalysisTextFromBytes(bytes);
    result = ReadAnalysisResult(state);
    InitSceneName(state);
    CollectNotices(state);
    return true;
}

Json::Value SceneModelJson(const PluginState& state, int32_t result) {
    Json::Value model(Json::objectValue);
    model["result"] = result;
    Json::Value& cameras = model["cameras"] = Json::Value(Json::arrayValue);
    for (const auto& [name, camera] : state.cameras) {
        Json::Value entry(Json::objectValue);
        entry["name"] = JsonText(name);
        entry["width"] = camera.width;
        entry["height"] = camera.height;
        entry["frameToRender"] = camera.frameToRender;
        entry["imageFormat"] = JsonText(camera.imageFormat);
        entry["outputName"] = JsonText(camera.outputName);
        entry["isSpherical"] = camera.isSpherical;
        entry["selected"] = camera.selected;
        cameras.append(entry);
    }
    model["warnings"] = TextArray(state.warnings);
    model["problems"] = TextArray(state.problems);
    model["notices"] = TextArray(state.notices);
    model["coronaState"] = state.coronaState;
    model["coronaPassLimit"] = state.coronaPassLimit;
    model["coronaTimeSeconds"] = state.coronaTimeSeconds;
    model["coronaTimeHours"] = state.coronaTimeHours;
    model["coronaNoiseLimit"] = state.coronaNoiseLimit;
    model["isRegion"] = state.isRegion;
    model["gammaOut"] = static_cast<double>(state.gammaOut);
    model["imageSamplerType"] = state.imageSamplerType;
    model["irradmapPreset"] = state.irradmapPreset;
    model["irradmapMinRate"] = state.irradmapMinRate;
    model["irradmapMaxRate"] = state.irradmapMaxRate;
    model["referenceFileIllegal"] = state.referenceFileIllegal;
    model["duplicateCameraNames"] = JsonText(state.duplicateCameraNames);
    model["currentSceneName"] = state.currentSceneName;
    model["analysedScenePath"] = state.analysedScenePath;
    return model;
}

void PrintMessages(std::ostream& out) {
    for (const win::RecordedMessageBox& box : win::TakeMessageBoxes()) {
        out << "  message box \"" << ToUtf8(box.caption) << "\": " << ToUtf8(box.text) << "\n";
    }
}

Json::Value MessagesJson() {
    Json::Value messages(Json::arrayValue);
    for (const win::RecordedMessageBox& box : win::TakeMessageBoxes()) {
        Json::Value entry(Json::objectValue);
        entry["text"] = JsonText(box.text);
        entry["caption"] = JsonText(box.caption);
        entry["buttons"] = ButtonsName(box.type);
        entry["language"] = box.language;
        entry["answer"] = AnswerName(box.answer);
        messages.append(entry);
    }
    return messages;
}
