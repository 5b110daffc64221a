#pragma once
// The flags that stand for the main dialog's choices, shared by `job` and `submit`.

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

#include "scene/plugin_state.h"

struct ChoiceFlags {
    std::vector<std::string> select;
    bool selectAll = false;
    std::vector<std::string> cameraEdits;  // NAME:width=..,height=..,frame=..,format=..,...
    int blockMode = 1;
    int distributed = 0;
    bool color = false;
    std::string ao;  // RADIUS,SUBDIVS
    bool material = false;
    bool psd = false;
    int gi = -1;  // GI scale index 0..3; -1: GI channel off
    std::string gamma = "2.2";
    bool gammaGiven = false;
    std::string corona;  // PASSES,HOURS,NOISE
    int saveSceneFile = 1;
};

void AddChoiceFlags(CLI::App& command, ChoiceFlags& flags);

// A --camera flag's edit: "NAME:key=value,..." with the keys width, height, frame, format,
// output and spherical (any subset). An absent member leaves the camera's value as it is.
struct CameraEdit {
    std::u16string name;
    std::optional<int32_t> width;
    std::optional<int32_t> height;
    std::optional<int32_t> frameToRender;
    std::optional<std::u16string> imageFormat;
    std::optional<std::u16string> outputName;
    std::optional<bool> isSpherical;
};
bool ParseCameraEdit(const std::string& flag, CameraEdit& edit);

// Parts of a flag value split on `separator` ("a,b," gives a, b and an empty part).
std::vector<std::string> SplitOn(const std::string& text, char separator);

// Checks the flags against the cameras the analysis gave. False with a sentence in `error`
// when a flag names an unknown camera or holds a malformed value.
bool CheckChoiceFlags(const ChoiceFlags& flags, const CameraMap& cameras, std::string& error);
