#pragma once
// The checks made on the user's choices before anything is written or sent: the scene name
// the dialog proposes and accepts, and the cameras ticked in the camera table.

#include <json/value.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "log/pmx_logger.h"
#include "scene/plugin_state.h"

// Proposes the scene name: the file name part of the analysis `name` (after the last slash, or
// when there is none the last backslash), stored with the full path in state.currentSceneName
// and state.analysedScenePath. Empty, with a WARN line to the pmx_data log and the state
// unchanged, when the analysis does not parse or gives no name with a separator.
std::string InitSceneName(PluginState& state);

// What the analysis text says of the scene's path, as InitSceneName finds it: whether the text
// parses, and the `name` member when it is a text. The reader of the analysis makes it from
// its own parse, so that the dialog need not parse the same text twice.
struct SceneNameSource {
    bool parsed = false;
    bool named = false;
    std::string path;
};
SceneNameSource SceneNameSourceOf(const Json::Value& root);
// InitSceneName from what the analysis was found to say.
std::string InitSceneName(PluginState& state, const SceneNameSource& source);

// The longest text read from the scene name field or a camera table cell, in UTF-16 units.
inline constexpr size_t kDialogTextUnits = 259;

// What the scene name field holds, as the submission uses it: the text (cut to 259 units) in
// UTF-8 followed by ".max", or empty when the field is empty. Logged INFO to `uiLog`.
std::string SceneNameFromFieldText(pmx_Logger& uiLog, std::u16string_view fieldText);

// A scene name the user typed is accepted when it is empty (the scene keeps its file name) or
// holds no grave accent (U+0060). Names ending with a blank or a full stop pass here; the
// archive step refuses them.
bool IsAcceptableSceneName(std::u16string_view name);
bool IsAcceptableSceneNameUtf8(std::string_view name);

// The scene file the dialog opens on: an empty name (an unsaved scene) passes; otherwise its
// base name (before the last dot) must not end with a blank or a full stop, the name must hold
// no grave accent, and every character must be one a scene file name may hold.
bool IsAcceptableSceneFileName(std::u16string_view fileName);

// A camera name that can serve as an output name: not empty, neither beginning nor ending with
// a blank or a full stop, and holding no grave accent, none of the nine characters file names
// may not hold and no percent sign.
bool IsValidCameraName(std::u16string_view name);

// One row of the camera table: the column-0 text and the state image of its check box.
struct CameraRow {
    std::u16string name;
    int32_t stateImage = 1;  // 1 not ticked, 2 ticked
};

inline constexpr int32_t kSelectionValid = 0;
inline constexpr int32_t kSelectionNegativeFrame = 1;
inline constexpr int32_t kSelectionInvalidName = 2;
inline constexpr int32_t kSelectionNothingChecked = 3;

// Copies the tick marks of the first cameras.size() rows into `cameras` (a name not yet in the
// map gets a new entry) and judges the selection: 1 as soon as a visited camera has a negative
// frame to render, else 2 when some names are invalid (all of them collected in
// `invalidNames`, which is cleared first), else 3 when no row is ticked (unless
// `skipEmptyCheck`), else 0. Every result is logged to `uiLog`, the pmx_ui log.
int32_t ValidateCameraSelection(pmx_Logger& uiLog, std::vector<std::u16string>& invalidNames,
                                const std::vector<CameraRow>& rows, CameraMap& cameras,
                                bool skipEmptyCheck);
