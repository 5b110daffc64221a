#pragma once
// The simulated 3ds Max behind the SDK stand-in: what a tool or a test sets up before the
// plug-in runs (the main window, the open scene, how scripts run and scenes are saved), and
// what it reads back afterwards. Not part of the SDK; the plug-in never includes it.

#include <functional>
#include <string>
#include <vector>

#include "platform/win/window_types.h"

class FPValue;

namespace maxsim {

// Runs a MAXScript text as ExecuteMAXScriptScript would; answers its result (1 ran, 0 failed).
using ScriptRunner = std::function<BOOL(const std::u16string& script, FPValue* result)>;
// Writes the open scene to `path`; true when the file was written.
using SceneSaver = std::function<bool(const std::u16string& path)>;

// A fresh host: no scene, no window, scripts that fail and saves that fail.
void ResetHost();

void SetMainWindow(HWND window);

// The open scene's full path; its file name is what follows the last slash or backslash. An
// empty path is an unsaved scene.
void SetCurrentScene(const std::u16string& fullPath);
std::u16string CurrentScenePath();

void SetScriptRunner(ScriptRunner runner);
void SetSceneSaver(SceneSaver saver);

}  // namespace maxsim
