#pragma once
// The job description: the analysis result with the user's choices laid over it, written as
// the JSON file the farm client picks up, and the short notice that tells the client where the
// job file, the scene and the archive are.

#include <string>

#include "config/plugin_settings.h"
#include "platform/win/message_box.h"
#include "scene/plugin_state.h"

// Edits state.analysisText into the job description and writes it, as jsoncpp's styled writer
// serialises it with CR LF line ends, to settings.jsonFolder + "/" + requestId + ".json"; the
// file appears whole or not at all. `saveSceneFile` is the state of check box 1002
// (IDC_SAVE_SCENE_FILE) as the check-box query returns it. On success `notice` receives the
// serialised submission notice, settings.jsonFolder is replaced by the job file's path and the
// result is true. On failure a message box owned by `dialog` tells the user, an ERROR line goes
// to the pmx_data log, and the settings and the notice are left as they were.
bool WriteJobDescription(PluginState& state, HWND dialog, unsigned saveSceneFile,
                         PluginSettings& settings, std::u16string requestId, std::string& notice);
