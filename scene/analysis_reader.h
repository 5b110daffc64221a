#pragma once
// Reads the analysis result (state.analysisText, the JSON text the analysis script wrote about
// the open scene) into the scene model of the state, makes the scene checks and collects the
// warnings and file problems the dialog shows.

#include <cstdint>

#include "scene/plugin_state.h"

// Results of ReadAnalysisResult.
inline constexpr int32_t kAnalysisRead = 0;
inline constexpr int32_t kAnalysisNoCameras = 1;
inline constexpr int32_t kAnalysisDuplicateCameras = 4;

// 0 when read (also when the text does not parse: nothing is changed then), 1 when the scene
// has no cameras (the cameras of the previous reading stay), 4 when the analysis reported
// duplicate camera names (listed in state.duplicateCameraNames).
//
// Never throws. A member of the wrong JSON type counts as absent, with a WARN line naming it;
// a JSON number is accepted wherever a text holding a number is expected (its decimal text is
// used). A text member that must be there and is missing reads as empty, also with a WARN line.
//
// `sceneName`, when given, receives what the text says of the scene's path (see
// InitSceneName), from the same parse.
struct SceneNameSource;
int32_t ReadAnalysisResult(PluginState& state, SceneNameSource* sceneName = nullptr);
