#include "tools/farm-client/notice_check.h"

#include <json/json.h>

#include <memory>

#include "platform/files.h"
#include "platform/md5.h"
#include "text/conversions.h"
#include "tools/farm-client/archive_check.h"

namespace farm {
namespace {

constexpr char kSceneSuffix[] = ".max";

bool ParseJson(const std::string& text, Json::Value& value) {
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    builder["failIfExtra"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    return reader->parse(text.data(), text.data() + text.size(), &value, &errors);
}

bool ReadString(const Json::Value& object, const char* name, std::string& text) {
    const Json::Value& member = object[name];
    if (!member.isString()) {
        return false;
    }
    text = member.asString();
    return true;
}

// Windows names are compared without regard to case, so "scene.MAX" counts.
bool HasSceneSuffix(const std::string& path) {
    constexpr size_t length = sizeof kSceneSuffix - 1;
    if (path.size() < length) {
        return false;
    }
    for (size_t i = 0; i < length; ++i) {
        char c = path[path.size() - length + i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != kSceneSuffix[i]) {
            return false;
        }
    }
    return true;
}

bool IsFile(const std::string& pathUtf8) {
    const std::u16string path = FromUtf8(pathUtf8);
    return !pathUtf8.empty() && os::PathExists(path) && !os::IsFolder(path);
}

}  // namespace

bool ParseNotice(const std::string& body, Notice& notice) {
    Json::Value value;
    if (!ParseJson(body, value) || !value.isObject()) {
        return false;
    }
    const Json::Value& save = value["PLUGIN_SAVE_SCENE_FILE"];
    if (!save.isUInt()) {
        return false;
    }
    notice.saveSceneFile = save.asUInt();
    return ReadString(value, "scenePath", notice.scenePath) &&
           ReadString(value, "filePath", notice.filePath) &&
           ReadString(value, "maxVersion", notice.maxVersion) &&
           ReadString(value, "compressPath", notice.compressPath);
}

Verdict CheckNotice(const Notice& notice, const CheckContext& context, std::string& jobDigest) {
    if (!IsFile(notice.scenePath)) {
        return {kSceneMissing, {}};
    }
    if (!HasSceneSuffix(notice.scenePath)) {
        return {kWrongSuffix, {}};
    }
    std::string job;
    if (!IsFile(notice.filePath) || !os::ReadWholeFile(FromUtf8(notice.filePath), job)) {
        return {kJobMissing, {}};
    }
    Json::Value description;
    if (!ParseJson(job, description) || !description.isObject()) {
        return {kJobUnreadable, {}};
    }
    std::string problem =
        CheckArchive(context.sevenZip, notice.compressPath, notice.scenePath, context.userName);
    if (!problem.empty()) {
        return {kArchiveProblem, problem};
    }
    if (!os::Md5Hex(job, jobDigest)) {
        return {kJobUnreadable, {}};
    }
    return {kAccepted, {}};
}

std::string PlainFileName(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace farm
