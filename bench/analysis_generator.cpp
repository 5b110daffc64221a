#include "bench/analysis_generator.h"

#include <json/json.h>

namespace {

std::string Numbered(const char* prefix, size_t number, const char* suffix) {
    return prefix + std::to_string(number) + suffix;
}

Json::Value PathEntry(const std::string& path) {
    Json::Value entry(Json::objectValue);
    entry["path"] = path;
    return entry;
}

}  // namespace

std::string GenerateAnalysis(const AnalysisShape& shape) {
    Json::Value analysis(Json::objectValue);
    analysis["name"] = shape.scenePath;
    analysis["version"] = "24000";
    analysis["app_version"] = "2022";
    analysis["renderer_full_name"] = shape.corona ? "Corona 9" : "V_Ray 6.00.04";
    analysis["is_region"] = "false";
    analysis["image_width"] = "1920";
    analysis["image_height"] = "1080";
    analysis["start_frame"] = "0";
    analysis["end_frame"] = "100";
    analysis["image_format"] = "jpg";
    analysis["gamma_out"] = "2.2";
    Json::Value& cameras = analysis["cameras"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < shape.cameras; ++i) {
        Json::Value camera(Json::objectValue);
        camera["name"] = Numbered(i % 3 == 0 ? "相机_" : "Camera ", i, "");
        if (i % 2 == 0) {
            camera["camWidth"] = std::to_string(800 + i % 400);
            camera["camHeight"] = std::to_string(600 + i % 300);
        }
        cameras.append(camera);
    }
    Json::Value& references = analysis["reference_file"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < shape.referenceFiles; ++i) {
        references.append(PathEntry(Numbered("D:\\maps\\材质\\wood_", i, ".jpg")));
    }
    references.append(PathEntry(shape.scenePath));
    Json::Value& missing = analysis["missing_file"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < shape.missingFiles; ++i) {
        missing.append(PathEntry(Numbered("D:\\missing\\proxy_", i, ".vrmesh")));
    }
    Json::Value& same = analysis["same_file"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < shape.duplicateFiles; ++i) {
        same.append(PathEntry(Numbered("D:\\maps\\copy_", i, ".png")));
    }
    if (shape.vray) {
        Json::Value& vray = analysis["vray_setting"];
        vray["imagesampler_type"] = "1";
        vray["gi_irradmap_preset"] = "2";
        vray["gi_irradmap_minRate"] = "-3";
        vray["gi_irradmap_maxRate"] = "0";
        vray["camera_override_fov"] = false;
        vray["camera_fov"] = "45";
        vray["is_spherical"] = "false";
    }
    if (shape.corona) {
        Json::Value& corona = analysis["corona_setting"];
        corona["pass_limit"] = "50";
        corona["time_limit"] = "3600000";
        corona["noise_level_limit"] = "3.5";
    }
    Json::Value error(Json::objectValue);
    error["code"] = "101";
    analysis["errors"]["error_code"].append(error);
    Json::StyledWriter writer;
    return writer.write(analysis);
}
