#pragma once
// Reading an analysis file into the plug-in state as the dialog does when it opens.

#include <json/json.h>

#include <iosfwd>
#include <string>

#include "platform/win/message_box.h"
#include "scene/plugin_state.h"

// Reads the file, stores its text, runs the reader, proposes the scene name and collects the
// notices. False when the file cannot be read; `result` receives the reader's result.
bool LoadAnalysis(const std::string& pathUtf8, PluginState& state, int32_t& result);

// The scene model as zep-submit prints it.
Json::Value SceneModelJson(const PluginState& state, int32_t result);

// The message boxes shown so far, oldest first, each with its text, caption, buttons, language
// and answer; the record is emptied.
Json::Value MessagesJson();

// Prints the message boxes shown so far, one line each; the record is emptied.
void PrintMessages(std::ostream& out);

// The plug-in's string table, in the language ZEP_LANGUAGE names.
void LoadResources();
