#include "tools/zep-submit/choice_flags.h"

#include <sstream>

#include "text/conversions.h"

std::vector<std::string> SplitOn(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    if (!text.empty() && text.back() == separator) {
        parts.emplace_back();
    }
    return parts;
}

namespace {

bool ReadInteger(const std::string& text, int32_t& value) {
    try {
        size_t used = 0;
        long parsed = std::stol(text, &used);
        if (used != text.size() || parsed < INT32_MIN || parsed > INT32_MAX) {
            return false;
        }
        value = static_cast<int32_t>(parsed);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Applies one "key=value" of a --camera flag to the edit.
bool ApplyCameraSetting(const std::string& setting, CameraEdit& edit) {
    size_t equals = setting.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    std::string key = setting.substr(0, equals);
    std::string value = setting.substr(equals + 1);
    int32_t number = 0;
    if (key == "width" && ReadInteger(value, number)) {
        edit.width = number;
    } else if (key == "height" && ReadInteger(value, number)) {
        edit.height = number;
    } else if (key == "frame" && ReadInteger(value, number)) {
        edit.frameToRender = number;
    } else if (key == "format") {
        edit.imageFormat = FromUtf8(value);
    } else if (key == "output") {
        edit.outputName = FromUtf8(value);
    } else if (key == "spherical" && (value == "0" || value == "1")) {
        edit.isSpherical = value == "1";
    } else {
        return false;
    }
    return true;
}

bool KnownCamera(const CameraMap& cameras, const std::u16string& name, std::string& error) {
    if (cameras.count(name) == 0) {
        error = "the analysis has no camera named \"" + ToUtf8(name) + "\"";
        return false;
    }
    return true;
}

}  // namespace

// "NAME:key=value,...": the name may itself hold colons, so the settings start after the last
// colon whose remainder reads as settings.
bool ParseCameraEdit(const std::string& flag, CameraEdit& edit) {
    for (size_t colon = flag.rfind(':'); colon != std::string::npos && colon > 0;
         colon = flag.rfind(':', colon - 1)) {
        CameraEdit candidate;
        candidate.name = FromUtf8(flag.substr(0, colon));
        bool readable = true;
        for (const std::string& setting : SplitOn(flag.substr(colon + 1), ',')) {
            readable = readable && ApplyCameraSetting(setting, candidate);
        }
        if (readable) {
            edit = candidate;
            return true;
        }
    }
    return false;
}

void AddChoiceFlags(CLI::App& command, ChoiceFlags& flags) {
    command.add_option("--select", flags.select, "tick this camera (repeat for several)");
    command.add_flag("--select-all", flags.selectAll, "tick every camera");
    command.add_option("--camera", flags.cameraEdits,
                       "edit a camera: NAME:width=W,height=H,frame=F,format=FMT,output=NAME,"
                       "spherical=0|1 (any subset)");
    command
        .add_option("--block-mode", flags.blockMode,
                    "1 (none), 10 or 64 blocks, 1010 (distributed)")
        ->check(CLI::IsMember({1, 10, 64, 1010}));
    command.add_option("--distributed", flags.distributed, "machines for distributed rendering")
        ->check(CLI::NonNegativeNumber);
    command.add_flag("--color", flags.color, "colour channel");
    command.add_option("--ao", flags.ao, "ambient occlusion channel: RADIUS,SUBDIVS");
    command.add_flag("--material", flags.material, "material channel");
    command.add_flag("--psd", flags.psd, "layered PSD");
    command
        .add_option("--gi", flags.gi,
                    "GI channel with image scale 0 (100%), 1 (50%), 2 (33%), 3 (25%)")
        ->check(CLI::Range(0, 3));
    command.add_option("--gamma", flags.gamma, "output gamma");
    command.add_option("--corona", flags.corona, "Corona limits: PASSES,HOURS,NOISE");
    command.add_option("--save-scene-file", flags.saveSceneFile, "the save-scene-file box, 0 or 1")
        ->check(CLI::IsMember({0, 1}));
}

bool CheckChoiceFlags(const ChoiceFlags& flags, const CameraMap& cameras, std::string& error) {
    for (const std::string& flag : flags.cameraEdits) {
        CameraEdit edit;
        if (!ParseCameraEdit(flag, edit)) {
            error = "--camera " + flag +
                    ": expected NAME:key=value,... with the keys width, "
                    "height, frame, format, output and spherical";
            return false;
        }
        if (!KnownCamera(cameras, edit.name, error)) {
            return false;
        }
    }
    for (const std::string& name : flags.select) {
        if (!KnownCamera(cameras, FromUtf8(name), error)) {
            return false;
        }
    }
    if (!flags.ao.empty() && SplitOn(flags.ao, ',').size() != 2) {
        error = "--ao takes RADIUS,SUBDIVS";
        return false;
    }
    if (!flags.corona.empty() && SplitOn(flags.corona, ',').size() != 3) {
        error = "--corona takes PASSES,HOURS,NOISE";
        return false;
    }
    return true;
}
