#pragma once
// The flags that stand for the main dialog's choices, shared by `job` and `submit`.

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "scene/plugin_state.h"
#include "scene/submission_choices.h"

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
    std::string corona;  // PASSES,HOURS,NOISE
    int saveSceneFile = 1;
};

void AddChoiceFlags(CLI::App& command, ChoiceFlags& flags);

// Turns the flags into the dialog's choices for the cameras the analysis gave. False with a
// sentence in `error` when a flag names an unknown camera or holds a malformed value.
bool BuildChoices(const ChoiceFlags& flags, const CameraMap& cameras, SubmissionChoices& choices,
                  std::string& error);
