#pragma once
// What the plug-in writes to standard output while zep-submit runs. Standard output carries
// the tool's own report, so the plug-in's lines go to standard error, or are kept for a JSON
// summary.

#include <json/json.h>

// The plug-in's lines go to standard error (how every command starts).
void SendPluginOutputToStandardError();

// The plug-in's lines are kept from now on, for PluginOutputJson.
void KeepPluginOutput();

// The lines kept so far, oldest first, as a JSON array of strings.
Json::Value PluginOutputJson();
