#include "scene/job_description.h"

#include <json/json.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <string_view>
#include <utility>

#include "log/operation_failures.h"
#include "platform/files.h"
#include "resources/message_box.h"
#include "resources/string_loader.h"
#include "scene/styled_camera_list.h"
#include "text/conversions.h"
#include "text/json_text.h"

namespace {

constexpr int32_t kNoBlocks = 1;
constexpr int32_t kDistributedRendering = 1010;

constexpr char kParseFailed[] = "Parse failed in writing json file when submiting!";
constexpr char kOpenFailed[] = "Open json file failed when write it!";
constexpr char kUnexpectedFailure[] = "Write json file failed unexpectedly!";

// Parses the analysis with its comments kept, so the styled writer puts them back, and tells
// whether it can hold any. Only an object (or a bare null, which the edits turn into one) can
// become a job description.
bool ParseAnalysis(const std::string& utf8, Json::Value& root, bool& commented) {
    if (!ParseJsonText(utf8, root)) {
        return false;
    }
    commented = MayHoldComments(utf8);
    if (root.isNull()) {
        root = Json::Value(Json::objectValue);
    }
    return root.isObject();
}

// Looks a member up the way jsoncpp's operator[] does: a missing one is created as null.
Json::Value& LookUp(Json::Value& root, const char* key) {
    return root[key];
}

// Removes the member when the analysis carried a non-null value; a missing one is left as null.
void RemoveUnlessNull(Json::Value& root, const char* key) {
    if (!LookUp(root, key).isNull()) {
        root.removeMember(key);
    }
}

// Drops the comments attached to the value itself (those of its members stay).
void DropComments(Json::Value& value) {
    if (value.hasComment(Json::commentBefore) || value.hasComment(Json::commentAfterOnSameLine) ||
        value.hasComment(Json::commentAfter)) {
        Json::Value bare;
        bare.swapPayload(value);
        value.swap(bare);
    }
}

// Turns an entry of the list into an object holding only the path text, without comments: a
// string stays as it is, a number becomes its decimal text, anything else (or no path) becomes
// "" with a WARN line. An entry that holds only a path string (the usual case) keeps its object,
// and has its comments dropped when the analysis can hold any.
void ReduceToPath(Json::Value& entry, bool commented, pmx_Logger& log) {
    if (Json::Value* path = SoleMember(entry, "path"); path != nullptr && path->isString()) {
        if (commented) {
            DropComments(entry);
            DropComments(*path);
        }
        return;
    }
    const Json::Value* member = FindMember(entry, "path");
    Json::Value path;
    std::string text;
    if (member != nullptr && member->isString()) {
        path.swapPayload(entry["path"]);
    } else if (member != nullptr && JsonScalarText(*member, text)) {
        path = text;
    } else {
        log.Write("A reference file of the analysis has no path text!", "WARN");
        path = "";
    }
    Json::Value item(Json::objectValue);
    item["path"] = std::move(path);
    entry.swap(item);
}

bool IsText(const Json::Value& value, std::string_view text) {
    const char* begin = nullptr;
    const char* end = nullptr;
    return value.getString(&begin, &end) &&
           std::string_view(begin, static_cast<size_t>(end - begin)) == text;
}

// The analysis reference files without the scene file itself, each reduced to an object that
// holds only its path. The result is a new list as far as the job can tell: no comment of the
// old list or of its entries stays. Lists of a hundred thousand entries are common, so the old
// one is rewritten in place, in order, with the entries after a dropped one moved up.
void ReplaceReferenceFiles(Json::Value& root, const std::string& scenePath, bool commented,
                           pmx_Logger& log) {
    const Json::Value* found = FindMember(root, "reference_file");
    if (found == nullptr) {
        return;
    }
    Json::Value list;
    if (found->isArray()) {
        list.swapPayload(root["reference_file"]);
        Json::ArrayIndex kept = 0;
        auto out = list.begin();
        for (auto in = list.begin(); in != list.end(); ++in) {
            ReduceToPath(*in, commented, log);
            if (IsText(*in->begin(), scenePath)) {
                continue;
            }
            if (out != in) {
                out->swap(*in);
            }
            ++out;
            ++kept;
        }
        list.resize(kept);
    } else if (!found->isNull()) {
        log.Write("The reference files of the analysis are not a list!", "WARN");
    }
    root.removeMember("reference_file");
    if (!list.empty()) {
        root["reference_file"] = std::move(list);
    }
}

void SetBlockSettings(Json::Value& root, int32_t blockMode, int32_t distributedCount) {
    int32_t enableBlocking = 0;
    int32_t blocks = 0;
    int32_t distributed = 0;
    if (blockMode == kDistributedRendering) {
        distributed = distributedCount;
    } else if (blockMode != kNoBlocks) {
        enableBlocking = 1;
        blocks = blockMode;
    }
    root["enable_blocking"] = enableBlocking;
    root["num_blocks"] = blocks;
    root["distributed_render"] = distributed;
}

Json::Value MaxOptions(const PluginState& state, const PluginSettings& settings) {
    Json::Value options(Json::objectValue);
    options["color_channel"] = state.colorChannel;
    options["ao_channel"] = state.aoChannel;
    if (state.aoChannel) {
        options["ao_radius"] = state.aoRadius;
        options["ao_subdivs"] = state.aoSubdivs;
    }
    options["gamma_out"] = static_cast<double>(state.gammaOut);
    options["mtl_channel"] = state.materialChannel;
    options["gi_irradmap_preset"] = state.irradmapPreset;
    // A smaller GI image needs the irradiance map rates lowered by one step per halving.
    const int64_t rateOffset = state.giChannel ? settings.giScaleIndex : 0;
    options["gi_irradmap_minRate"] = Json::Int64{state.irradmapMinRate - rateOffset};
    options["gi_irradmap_maxRate"] = Json::Int64{state.irradmapMaxRate - rateOffset};
    if (state.giChannel) {
        options["gi_image_scale"] = settings.giScaleText;
    }
    options["gi_channel"] = state.giChannel ? "1" : "0";
    options["psd_channel"] = state.psdChannel ? "1" : "0";
    return options;
}

Json::Value CoronaOptions(const PluginState& state) {
    Json::Value options(Json::objectValue);
    options["CoronaNoiseLevelLimit"] = state.coronaNoiseLimit / 100.0;
    options["CoronaPassLimit"] = state.coronaPassLimit;
    options["CoronaTimeLimit"] = state.coronaTimeSeconds;
    options["useCorona"] = state.useCorona;
    return options;
}

// The analysis edited into the job description. A non-empty camera list is held by a stand-in
// text, `cameraMarker`, which the job's text replaces by the list itself.
void EditIntoJob(Json::Value& root, bool commented, const std::string& cameraMarker,
                 const PluginState& state, const PluginSettings& settings, pmx_Logger& log) {
    RemoveUnlessNull(root, "cameras");
    ReplaceReferenceFiles(root, state.analysedScenePath, commented, log);
    RemoveUnlessNull(root, "errors");
    root.removeMember("name");
    root["name"] = settings.scenePath;
    LookUp(root, "start_frame");
    LookUp(root, "end_frame");
    if (HasSelectedCamera(state.cameras)) {
        root["cameras"] = cameraMarker;
    }
    SetBlockSettings(root, state.blockMode, state.distributedCount);
    root["max_options"] = MaxOptions(state, settings);
    if (state.useCorona) {
        root["corona_options"] = CoronaOptions(state);
    }
}

// The host version the analysis reported; a number counts as its decimal text.
std::string AppVersion(const Json::Value& root) {
    const Json::Value* version = FindMember(root, "app_version");
    if (version == nullptr || !(version->isString() || version->isNumeric())) {
        return std::string();
    }
    return version->asString();
}

std::string SubmissionNotice(const PluginSettings& settings, const std::u16string& jobPath,
                             const Json::Value& root, unsigned saveSceneFile) {
    Json::Value notice(Json::objectValue);
    notice["scenePath"] = settings.scenePath;
    notice["filePath"] = ToUtf8(jobPath);
    notice["maxVersion"] = "3ds Max " + AppVersion(root);
    notice["compressPath"] = settings.archivePath;
    notice["PLUGIN_SAVE_SCENE_FILE"] = Json::UInt{saveSceneFile};
    return Json::StyledWriter().write(notice);
}

// The job's text in the pieces it is written in.
struct JobText {
    std::string styled;
    std::string_view before;
    std::string cameras;
    std::string_view after;
};

// The styled text of the job, with the camera list in place of its stand-in.
bool StyleJob(const Json::Value& root, const std::string& cameraMarker, const CameraMap& cameras,
              JobText& job) {
    job.styled = Json::StyledWriter().write(root);
    job.before = job.styled;
    if (!HasSelectedCamera(cameras)) {
        return true;
    }
    const std::string member = "\n   \"cameras\" : ";
    const std::string standIn = member + Json::valueToQuotedString(cameraMarker.c_str());
    const size_t at = job.styled.find(standIn);
    if (at == std::string::npos) {
        return false;
    }
    job.before = job.before.substr(0, at + member.size());
    job.after = std::string_view(job.styled).substr(at + standIn.size());
    job.cameras = StyledCameraList(cameras);
    return true;
}

struct BoxTexts {
    std::u16string caption;
    std::u16string marker;
};

bool Fail(PluginState& state, HWND dialog, const BoxTexts& texts, const char* logLine) {
    PluginMessageBox(dialog, ResourceText(IDS_JOB_FILE_FAILED), texts.caption, win::kMbOk,
                     texts.marker);
    state.log.Write(logLine, "ERROR");
    return false;
}

bool WriteJob(PluginState& state, HWND dialog, unsigned saveSceneFile, PluginSettings& settings,
              const std::u16string& requestId, std::string& notice, const BoxTexts& texts) {
    Json::Value root;
    bool commented = false;
    if (!ParseAnalysis(ToUtf8(state.analysisText), root, commented)) {
        return Fail(state, dialog, texts, kParseFailed);
    }
    // Made of the request's own identifier, the stand-in cannot occur in an analysis written
    // before the request.
    const std::string cameraMarker = "cameras of " + ToUtf8(requestId);
    EditIntoJob(root, commented, cameraMarker, state, settings, state.log);
    JobText job;
    if (!StyleJob(root, cameraMarker, state.cameras, job)) {
        return Fail(state, dialog, texts, kUnexpectedFailure);
    }

    const std::u16string& folder = settings.jsonFolder;
    if (!PathExistsLogged(state.log, folder)) {
        CreateFolderLogged(state.log, folder);
    }
    const std::u16string path = folder + u"/" + requestId + u".json";
    // The client may look at the folder at any moment: the file appears whole or not at all.
    if (!os::WriteTextFileAtomically(path, {job.before, job.cameras, job.after})) {
        return Fail(state, dialog, texts, kOpenFailed);
    }

    std::string built = SubmissionNotice(settings, path, root, saveSceneFile);
    std::u16string jobPath = path;
    notice.swap(built);
    settings.jsonFolder.swap(jobPath);
    state.log.Write("Write json file at: " + ToLocalMultibyte(path) + " successfully.", "INFO");
    return true;
}

}  // namespace

bool WriteJobDescription(PluginState& state, HWND dialog, unsigned saveSceneFile,
                         PluginSettings& settings, std::u16string requestId, std::string& notice) {
    const BoxTexts texts{ResourceText(IDS_MAIN_CAPTION), ResourceText(IDS_LANGUAGE_MARKER)};
    try {
        return WriteJob(state, dialog, saveSceneFile, settings, requestId, notice, texts);
    } catch (const std::exception&) {
        return Fail(state, dialog, texts, kUnexpectedFailure);
    }
}
