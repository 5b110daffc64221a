#include "scene/selection_checks.h"

#include <json/json.h>

#include <algorithm>

#include "scene/character_classes.h"
#include "text/conversions.h"
#include "text/json_text.h"

namespace {

constexpr char16_t kGraveAccent = u'`';
constexpr char16_t kPercentSign = u'%';

// The analysis `name` when it is a text; anything else counts as no name.
bool SceneFilePath(const Json::Value& root, std::string& path) {
    if (!root.isObject()) {
        return false;
    }
    const Json::Value* name = FindMember(root, "name");
    if (name == nullptr || !name->isString()) {
        return false;
    }
    path = name->asString();
    return true;
}

bool IsBlankOrFullStop(char16_t c) {
    return c == u' ' || c == u'.';
}

bool IsRefusedCameraNameChar(char16_t c) {
    return c == kGraveAccent || c == kPercentSign || IsForbiddenNameChar(c);
}

}  // namespace

SceneNameSource SceneNameSourceOf(const Json::Value& root) {
    SceneNameSource source;
    source.parsed = true;
    source.named = SceneFilePath(root, source.path);
    return source;
}

std::string InitSceneName(PluginState& state) {
    Json::Value root;
    if (!ParseJsonText(ToUtf8(state.analysisText), root)) {
        return InitSceneName(state, SceneNameSource{});
    }
    return InitSceneName(state, SceneNameSourceOf(root));
}

std::string InitSceneName(PluginState& state, const SceneNameSource& source) {
    if (!source.parsed) {
        state.log.Write("Parse failed in initing scene name!", "WARN");
        return std::string();
    }
    if (!source.named) {
        state.log.Write("The scene name is empty!", "WARN");
        return std::string();
    }
    const std::string& path = source.path;
    std::string::size_type separator = path.rfind('/');
    if (separator == std::string::npos) {
        separator = path.rfind('\\');
    }
    if (separator == std::string::npos) {
        state.log.Write("The scene name is empty!", "WARN");
        return std::string();
    }
    state.currentSceneName = path.substr(separator + 1);
    state.analysedScenePath = path;
    return state.currentSceneName;
}

std::string SceneNameFromFieldText(pmx_Logger& uiLog, std::u16string_view fieldText) {
    std::string name = ToUtf8(fieldText.substr(0, kDialogTextUnits));
    if (!name.empty()) {
        name += ".max";
    }
    uiLog.Write("Get scene name text down, it is : " + name + ".", "INFO");
    return name;
}

bool IsAcceptableSceneName(std::u16string_view name) {
    return name.find(kGraveAccent) == std::u16string_view::npos;
}

bool IsAcceptableSceneNameUtf8(std::string_view name) {
    // The grave accent is one byte in UTF-8 and never part of a longer sequence.
    return name.find('`') == std::string_view::npos;
}

bool IsValidCameraName(std::u16string_view name) {
    if (name.empty() || IsBlankOrFullStop(name.front()) || IsBlankOrFullStop(name.back())) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), IsRefusedCameraNameChar);
}

int32_t ValidateCameraSelection(pmx_Logger& uiLog, std::vector<std::u16string>& invalidNames,
                                const std::vector<CameraRow>& rows, CameraMap& cameras,
                                bool skipEmptyCheck) {
    invalidNames.clear();
    // The table holds one row per camera; entries added below do not lengthen the walk.
    const size_t count = std::min(cameras.size(), rows.size());
    bool anyTicked = false;
    for (size_t i = 0; i < count; ++i) {
        const CameraRow& row = rows[i];
        const std::u16string name = row.name.substr(0, kDialogTextUnits);
        const bool ticked = row.stateImage != 1;
        anyTicked = anyTicked || ticked;
        CameraInfo& camera = cameras[name];
        camera.selected = ticked;
        if (camera.frameToRender < 0) {
            uiLog.Write("The parameter frame to render is less than 0!", "ERROR");
            return kSelectionNegativeFrame;
        }
        if (!IsValidCameraName(name)) {
            invalidNames.push_back(name);
        }
    }
    if (!invalidNames.empty()) {
        uiLog.Write("The camera names to render contain invalid characters or empty!", "ERROR");
        return kSelectionInvalidName;
    }
    if (!skipEmptyCheck && !anyTicked) {
        uiLog.Write("No camera checked!", "ERROR");
        return kSelectionNothingChecked;
    }
    uiLog.Write("The information of cameras to be submit is valid.", "INFO");
    return kSelectionValid;
}

bool IsAcceptableSceneFileName(std::u16string_view fileName) {
    if (fileName.empty()) {
        return true;
    }
    std::u16string_view baseName = fileName.substr(0, fileName.rfind(u'.'));
    if (!baseName.empty() && (baseName.back() == u' ' || baseName.back() == u'.')) {
        return false;
    }
    if (fileName.find(u'`') != std::u16string_view::npos) {
        return false;
    }
    return IsLegalSceneFileName(fileName);
}
