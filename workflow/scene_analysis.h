#pragma once
// The scene analysis run: the host's MAXScript interpreter loads the analysis script and writes
// the open scene's analysis into a fresh result file, which is read whole and deleted.

#include <string>

#include <ifnpub.h>

#include "platform/win/window_types.h"

// True when the interpreter call returned 1; `analysisText` then holds the result file's text
// (without a leading byte-order mark; empty when the file could not be read). On a failed call
// a message box owned by `owner` tells the user, and `analysisText` and the json folder are
// left as they were.
bool RunSceneAnalysis(HWND owner, FPValue* result, std::u16string analysisScriptPath,
                      std::u16string& analysisText);
