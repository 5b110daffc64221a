#include "tools/max-sim/host/scene_document.h"

#include "platform/files.h"
#include "text/conversions.h"
#include "text/json_text.h"

namespace maxsim {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

std::string Styled(const Json::Value& value) {
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "   ";
    writer["emitUTF8"] = true;
    return Json::writeString(writer, value) + "\n";
}

bool IsTrue(const Json::Value& scene, std::string_view key) {
    const Json::Value* member = FindMember(scene, key);
    return member != nullptr && member->isBool() && member->asBool();
}

}  // namespace

bool ReadSceneFile(const std::u16string& path, Json::Value& scene, std::string& error) {
    std::string bytes;
    if (!os::ReadWholeFile(path, bytes)) {
        error = "cannot read the scene file " + ToUtf8(path);
        return false;
    }
    Json::Value parsed;
    if (!ParseJsonText(bytes, parsed) || !parsed.isObject()) {
        error = "the scene file " + ToUtf8(path) + " is not a JSON object";
        return false;
    }
    scene = parsed;
    return true;
}

bool WriteSceneFile(const std::u16string& path, const Json::Value& scene) {
    return os::WriteFileAtomically(path, Styled(scene));
}

std::string AnalysisFileBytes(const Json::Value& scene, const std::u16string& fullPath) {
    const Json::Value* given = FindMember(scene, "analysis");
    Json::Value analysis =
        given != nullptr && given->isObject() ? *given : Json::Value(Json::objectValue);
    if (FindMember(analysis, "name") == nullptr) {
        analysis["name"] = ToUtf8(fullPath);
    }
    return (IsTrue(scene, "analysisBom") ? kUtf8Bom : "") + Styled(analysis);
}

bool WantsAnalysisSideFile(const Json::Value& scene) {
    return IsTrue(scene, "analysisSideFile");
}

int RemoveScriptFamily(Json::Value& scene, const std::string& family) {
    const Json::Value* scripts = FindMember(scene, "scripts");
    if (scripts == nullptr || !scripts->isArray()) {
        return 0;
    }
    Json::Value kept(Json::arrayValue);
    int removed = 0;
    for (const Json::Value& entry : *scripts) {
        const Json::Value* entryFamily = FindMember(entry, "family");
        if (entryFamily != nullptr && entryFamily->isString() &&
            entryFamily->asString() == family) {
            ++removed;
        } else {
            kept.append(entry);
        }
    }
    scene["scripts"] = kept;
    return removed;
}

}  // namespace maxsim
