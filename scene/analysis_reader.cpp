#include "scene/analysis_reader.h"

#include <json/json.h>

#include <string>
#include <string_view>
#include <vector>

#include "resources/string_loader.h"
#include "scene/character_classes.h"
#include "scene/selection_checks.h"
#include "text/conversions.h"
#include "text/crt_numbers.h"
#include "text/json_text.h"

namespace {

// Camera names and sizes and duplicate camera names pass through a buffer of 260 UTF-16
// units. A longer text is cut to the 259 units that buffer holds with its terminator; a high
// surrogate left alone at the cut goes too, so the key never ends in half a character. Two
// names that differ only beyond the cut share one camera entry.
constexpr size_t kNameBufferUnits = 260;

std::u16string NameFromUtf8(std::string_view utf8) {
    std::u16string text = FromUtf8(utf8);
    if (text.size() > kNameBufferUnits - 1) {
        text.resize(kNameBufferUnits - 1);
        if (text.back() >= u'\xD800' && text.back() <= u'\xDBFF') {
            text.pop_back();
        }
    }
    return text;
}

// Only ASCII letters change case: the format names the analysis gives are ASCII.
std::u16string AsciiUpper(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return text;
}

// A member's name for the log: a plain name ("gamma_out", "corona_setting.pass_limit"),
// "parent.key", or "list[index].key" for a member of a list element. The text is put together
// only when a line needs it.
class MemberName {
public:
    MemberName(const char* name) : key_(name) {}  // implicit: a plain name is its own text
    MemberName(const char* parent, const char* key) : key_(key), parent_(parent) {}
    MemberName(const char* list, Json::ArrayIndex index, const char* key)
        : key_(key), parent_(list), index_(index), inList_(true) {}

    std::string Text() const {
        if (parent_ == nullptr) {
            return key_;
        }
        std::string text = parent_;
        if (inList_) {
            text += "[" + std::to_string(index_) + "]";
        }
        return text + "." + key_;
    }

private:
    const char* key_;
    const char* parent_ = nullptr;
    Json::ArrayIndex index_ = 0;
    bool inList_ = false;
};

// One reading: the parsed analysis, the state it fills, and whether the warnings heading has
// been added yet.
class Reading {
public:
    Reading(PluginState& state, const Json::Value& root) : state_(state), root_(root) {}

    int32_t Run();

private:
    // The text of a member that every analysis carries; empty, with a WARN line, when it is
    // missing or not a string.
    std::string RequiredText(const Json::Value& object, const char* key, const MemberName& name);
    // The same into `text`, whose buffer a loop over many elements reuses.
    void RequiredText(const Json::Value& object, const char* key, const MemberName& name,
                      std::string& text);
    // The text of an optional member: false when it is absent, or (with a WARN line) not a
    // string.
    bool OptionalText(const Json::Value& object, const char* key, const MemberName& name,
                      std::string& text);
    // An optional member of the given type; null when absent or (with a WARN line) of another
    // type.
    const Json::Value* OptionalArray(const Json::Value& object, const char* key,
                                     const MemberName& name);
    const Json::Value* OptionalObject(const Json::Value& object, const char* key,
                                      const MemberName& name);

    void Warn(const std::u16string& text);
    void Log(const std::string& message, const char* level) { state_.log.Write(message, level); }

    void ReadCorona();
    void CheckReferenceFiles();
    void ListMissingFiles();
    void ListDuplicateFiles();
    CameraInfo ReadSceneValues();
    void ReadVray(CameraInfo& scene);
    void ReadCameras(const Json::Value& cameras, const CameraInfo& scene);
    void CheckProblemCodes();
    bool ReadDuplicateCameras();

    PluginState& state_;
    const Json::Value& root_;
    bool warned_ = false;
    const Json::Value* missingFiles_ = nullptr;
    const Json::Value* sameFiles_ = nullptr;

    std::u16string missingFilePrefix_;
    std::u16string duplicateFilePrefix_;
    std::u16string missingFilesHeading_;
    std::u16string duplicateFilesHeading_;
    std::u16string illegalReferenceHeading_;
    std::u16string coronaBlockWarning_;
    std::u16string regionWarning_;
    std::u16string problemCodeWarning_;
    std::u16string warningsHeading_;
    std::u16string cyrillicWarning_;
    std::u16string tiffWarning_;
    std::u16string samplerWarning_;
    std::u16string rendererWarning_;
};

std::string Reading::RequiredText(const Json::Value& object, const char* key,
                                  const MemberName& name) {
    std::string text;
    RequiredText(object, key, name, text);
    return text;
}

void Reading::RequiredText(const Json::Value& object, const char* key, const MemberName& name,
                           std::string& text) {
    const Json::Value* member = FindMember(object, key);
    if (member == nullptr || !JsonScalarText(*member, text)) {
        Log("Member is missing or not a string: " + name.Text(), "WARN");
        text.clear();
    }
}

bool Reading::OptionalText(const Json::Value& object, const char* key, const MemberName& name,
                           std::string& text) {
    const Json::Value* member = FindMember(object, key);
    if (member == nullptr) {
        return false;
    }
    if (!JsonScalarText(*member, text)) {
        Log("Member is not a string: " + name.Text(), "WARN");
        return false;
    }
    return true;
}

const Json::Value* Reading::OptionalArray(const Json::Value& object, const char* key,
                                          const MemberName& name) {
    const Json::Value* member = FindMember(object, key);
    if (member != nullptr && !member->isArray()) {
        Log("Member is not an array: " + name.Text(), "WARN");
        return nullptr;
    }
    return member;
}

const Json::Value* Reading::OptionalObject(const Json::Value& object, const char* key,
                                           const MemberName& name) {
    const Json::Value* member = FindMember(object, key);
    if (member != nullptr && !member->isObject()) {
        Log("Member is not an object: " + name.Text(), "WARN");
        return nullptr;
    }
    return member;
}

void Reading::Warn(const std::u16string& text) {
    if (!warned_) {
        state_.warnings.push_back(warningsHeading_);
        warned_ = true;
    }
    state_.warnings.push_back(text);
}

int32_t Reading::Run() {
    state_.problems.clear();
    state_.referenceFileIllegal = false;
    state_.duplicateCameraNames.clear();
    state_.warnings.clear();
    missingFiles_ = OptionalArray(root_, "missing_file", "missing_file");
    sameFiles_ = OptionalArray(root_, "same_file", "same_file");

    missingFilePrefix_ = ResourceText(IDS_MISSING_FILE_PREFIX);
    duplicateFilePrefix_ = ResourceText(IDS_DUPLICATE_FILE_PREFIX);
    missingFilesHeading_ = ResourceText(IDS_MISSING_FILES_HEADING);
    duplicateFilesHeading_ = ResourceText(IDS_DUPLICATE_FILES_HEADING);
    illegalReferenceHeading_ = ResourceText(IDS_ILLEGAL_REFERENCES_HEADING);
    coronaBlockWarning_ = ResourceText(IDS_CORONA_BLOCK_WARNING);
    regionWarning_ = ResourceText(IDS_REGION_WARNING);
    problemCodeWarning_ = ResourceText(IDS_PROBLEM_CODE_107);
    warningsHeading_ = ResourceText(IDS_WARNINGS_HEADING);
    cyrillicWarning_ = ResourceText(IDS_CYRILLIC_REFERENCE);
    tiffWarning_ = ResourceText(IDS_TIFF_OUTPUT);
    samplerWarning_ = ResourceText(IDS_IMAGE_SAMPLER_3);
    rendererWarning_ = ResourceText(IDS_RENDERER_MISSING);

    std::string renderer;
    if (OptionalText(root_, "renderer_full_name", "renderer_full_name", renderer) &&
        renderer == "Missing_Renderer") {
        Warn(rendererWarning_);
    }

    ReadCorona();

    state_.isRegion = RequiredText(root_, "is_region", "is_region");
    if (state_.isRegion == "true") {
        Warn(regionWarning_);
        Log("Region rendering is used in your scene file. Please ignore this message if you "
            "confirm to use block rendering.",
            "WARN");
    }

    CheckReferenceFiles();
    ListMissingFiles();
    ListDuplicateFiles();

    const Json::Value* cameras = OptionalArray(root_, "cameras", "cameras");
    if (cameras == nullptr || cameras->empty()) {
        Log("No cameras!", "ERROR");
        return kAnalysisNoCameras;
    }

    CameraInfo scene = ReadSceneValues();
    ReadVray(scene);
    ReadCameras(*cameras, scene);

    std::string gamma;
    if (OptionalText(root_, "gamma_out", "gamma_out", gamma)) {
        state_.gammaOut = static_cast<float>(CrtWtof(FromUtf8(gamma)));
    }

    CheckProblemCodes();
    if (ReadDuplicateCameras()) {
        return kAnalysisDuplicateCameras;
    }

    std::string version;
    OptionalText(root_, "version", "version", version);
    Log("Get analysis information successfully. Current 3ds Max version is :" + version, "INFO");
    return kAnalysisRead;
}

void Reading::ReadCorona() {
    const Json::Value* corona = OptionalObject(root_, "corona_setting", "corona_setting");
    std::string pass;
    std::string time;
    std::string noise;
    if (corona == nullptr ||
        !OptionalText(*corona, "pass_limit", "corona_setting.pass_limit", pass) ||
        !OptionalText(*corona, "time_limit", "corona_setting.time_limit", time) ||
        !OptionalText(*corona, "noise_level_limit", "corona_setting.noise_level_limit", noise)) {
        state_.coronaState = 0;
        return;
    }

    state_.coronaPassLimit = CrtWtoi(FromUtf8(pass));
    state_.coronaTimeSeconds = CrtWtoi(FromUtf8(time)) / 1000;  // milliseconds, toward zero
    state_.coronaTimeHours = state_.coronaTimeSeconds / 60.0 / 60.0;
    state_.coronaNoiseLimit = CrtWtof(FromUtf8(noise));

    if (pass == "0" && time == "0" && noise == "0") {
        state_.coronaState = 1;
        Log("The progressive pass, time and noise level are not limited in Corona! Please "
            "revise and submit again!",
            "ERROR");
    } else if (pass == "0" && noise == "0") {
        state_.coronaState = 2;
        Warn(coronaBlockWarning_);
        Log("Block rendering is not recommended in Corona. Please limit progressive pass and "
            "noise level if you still want to use block rendering.",
            "WARN");
    } else {
        state_.coronaState = 3;
    }
}

// One pass over the list: whether any path holds Cyrillic, and every path that is not legal.
void Reading::CheckReferenceFiles() {
    const Json::Value* references = OptionalArray(root_, "reference_file", "reference_file");
    if (references == nullptr) {
        return;
    }
    bool cyrillic = false;
    std::vector<std::u16string> illegal;
    std::string text;
    Json::ArrayIndex index = 0;
    for (const Json::Value& entry : *references) {
        // The usual entry, { "path" : "..." }, is read where it lies.
        const Json::Value* member = SoleMember(entry, "path");
        const char* begin = nullptr;
        const char* end = nullptr;
        std::string_view path;
        if (member != nullptr && member->getString(&begin, &end)) {
            path = std::string_view(begin, static_cast<size_t>(end - begin));
        } else {
            RequiredText(entry, "path", MemberName("reference_file", index, "path"), text);
            path = text;
        }
        ++index;
        bool hasCyrillic = false;
        bool legal = false;
        if (!TestReferencePathUtf8(path, hasCyrillic, legal)) {
            const std::u16string units = FromUtf8(path);
            hasCyrillic = ContainsCyrillic(units);
            legal = IsLegalReferencePath(units);
        }
        cyrillic = cyrillic || hasCyrillic;
        if (!legal) {
            illegal.push_back(FromUtf8(path));
        }
    }

    if (cyrillic) {
        Warn(cyrillicWarning_);
        Log("The name of reference file have Russian characters.", "WARN");
    }
    if (!illegal.empty()) {
        state_.referenceFileIllegal = true;
        state_.problems.push_back(illegalReferenceHeading_);
        Log("The name of reference file have illegal characters.", "WARN");
        for (std::u16string& path : illegal) {
            state_.problems.push_back(std::move(path));
        }
    }
}

void Reading::ListMissingFiles() {
    if (missingFiles_ == nullptr || missingFiles_->empty()) {
        return;
    }
    state_.problems.push_back(missingFilesHeading_);
    std::string path;
    Json::ArrayIndex index = 0;
    for (const Json::Value& entry : *missingFiles_) {
        RequiredText(entry, "path", MemberName("missing_file", index++, "path"), path);
        state_.problems.push_back(missingFilePrefix_ + FromUtf8(path));
    }
}

void Reading::ListDuplicateFiles() {
    if (sameFiles_ == nullptr || sameFiles_->empty()) {
        return;
    }
    state_.problems.push_back(duplicateFilesHeading_);
    // Only an entry with a path text adds a line; any other entry is passed over in silence.
    for (const Json::Value& entry : *sameFiles_) {
        const Json::Value* path = FindMember(entry, "path");
        if (path != nullptr && path->isString()) {
            state_.problems.push_back(duplicateFilePrefix_ + FromUtf8(path->asString()));
        }
    }
}

CameraInfo Reading::ReadSceneValues() {
    CameraInfo scene;
    scene.width = CrtWtoi(FromUtf8(RequiredText(root_, "image_width", "image_width")));
    scene.height = CrtWtoi(FromUtf8(RequiredText(root_, "image_height", "image_height")));
    scene.frameToRender = CrtWtoi(FromUtf8(RequiredText(root_, "start_frame", "start_frame")));
    std::u16string format =
        AsciiUpper(FromLocalMultibyte(RequiredText(root_, "image_format", "image_format")));
    if (format == u"TIFF" || format == u"TIF") {
        Warn(tiffWarning_);
    }
    scene.imageFormat = format;
    return scene;
}

void Reading::ReadVray(CameraInfo& scene) {
    const Json::Value* vray = OptionalObject(root_, "vray_setting", "vray_setting");
    if (vray == nullptr) {
        scene.isSpherical = false;
        return;
    }
    auto integer = [&](const char* key) {
        std::string text;
        if (!OptionalText(*vray, key, MemberName("vray_setting", key), text)) {
            return 0;
        }
        return CrtWtoi(FromUtf8(text));
    };
    state_.imageSamplerType = integer("imagesampler_type");
    if (state_.imageSamplerType == 3) {
        Warn(samplerWarning_);
    }
    state_.irradmapPreset = integer("gi_irradmap_preset");
    state_.irradmapMinRate = integer("gi_irradmap_minRate");
    state_.irradmapMaxRate = integer("gi_irradmap_maxRate");

    bool overrideFov = false;
    if (const Json::Value* member = FindMember(*vray, "camera_override_fov")) {
        if (member->isBool()) {
            overrideFov = member->asBool();
        } else {
            Log("Member is not a boolean: vray_setting.camera_override_fov", "WARN");
        }
    }
    std::string spherical;
    bool sphericalType =
        OptionalText(*vray, "is_spherical", "vray_setting.is_spherical", spherical) &&
        spherical == "true";
    std::string fov;
    bool fullCircle = !OptionalText(*vray, "camera_fov", "vray_setting.camera_fov", fov) ||
                      CrtWtof(FromUtf8(fov)) == 360.0;
    scene.isSpherical = overrideFov && sphericalType && fullCircle;
}

void Reading::ReadCameras(const Json::Value& cameras, const CameraInfo& scene) {
    state_.cameras.clear();
    Json::ArrayIndex i = 0;
    std::string size;
    for (const Json::Value& camera : cameras) {
        std::u16string name =
            NameFromUtf8(RequiredText(camera, "name", MemberName("cameras", i, "name")));

        // Every camera starts from the scene's own size; a size of its own replaces it unless
        // it is 0.
        CameraInfo info = scene;
        info.outputName = name;
        if (ContainsForbiddenNameChar(name)) {
            Log("The original camera name contain invalid characters!", "WARN");
            info.outputName = EraseChars(name, kForbiddenNameChars);
        }
        if (OptionalText(camera, "camWidth", MemberName("cameras", i, "camWidth"), size)) {
            int32_t width = CrtWtoi(NameFromUtf8(size));
            info.width = width != 0 ? width : scene.width;
        }
        if (OptionalText(camera, "camHeight", MemberName("cameras", i, "camHeight"), size)) {
            int32_t height = CrtWtoi(NameFromUtf8(size));
            info.height = height != 0 ? height : scene.height;
        }
        state_.cameras.insert_or_assign(std::move(name), std::move(info));
        ++i;
    }
}

void Reading::CheckProblemCodes() {
    const Json::Value* errors = OptionalObject(root_, "errors", "errors");
    if (errors == nullptr) {
        Log("No errors!", "INFO");
        return;
    }
    if (errors->empty()) {
        return;
    }
    const Json::Value* codes = OptionalArray(*errors, "error_code", "errors.error_code");
    if (codes == nullptr) {
        return;
    }
    for (Json::ArrayIndex i = 0; i < codes->size(); ++i) {
        std::string code =
            RequiredText((*codes)[i], "code", MemberName("errors.error_code", i, "code"));
        if (CrtWtoi(FromUtf8(code)) == 107) {
            Warn(problemCodeWarning_);
        }
    }
}

bool Reading::ReadDuplicateCameras() {
    const Json::Value* duplicates = OptionalArray(root_, "dupl_cameras", "dupl_cameras");
    if (duplicates == nullptr || duplicates->empty()) {
        return false;
    }
    for (Json::ArrayIndex i = 0; i < duplicates->size(); ++i) {
        std::string name =
            RequiredText((*duplicates)[i], "name", MemberName("dupl_cameras", i, "name"));
        if (i > 0) {
            state_.duplicateCameraNames += u',';
        }
        state_.duplicateCameraNames += TrimBlanks(NameFromUtf8(name));
    }
    return true;
}

}  // namespace

int32_t ReadAnalysisResult(PluginState& state, SceneNameSource* sceneName) {
    Json::Value root;
    bool parsed = ParseJsonText(ToUtf8(state.analysisText), root);
    if (sceneName != nullptr) {
        *sceneName = parsed ? SceneNameSourceOf(root) : SceneNameSource{};
    }
    // A text that does not parse, or whose top is not an object, changes nothing: only the
    // closing line is written, with no version, and the dialog goes on.
    if (!parsed || !root.isObject()) {
        state.log.Write("Get analysis information successfully. Current 3ds Max version is :",
                        "INFO");
        return kAnalysisRead;
    }
    return Reading(state, root).Run();
}
