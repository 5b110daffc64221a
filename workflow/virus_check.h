#pragma once
// The cleaning scripts: the host runs the ADSL, ALC and CRP scripts of the plug-in's script
// folder over the open scene, one after the other.

struct PluginSettings;

// Runs the three scripts in that order, each to its end, and logs one WARN line after each,
// whatever it did. Nothing is shown to the user.
void RunVirusCheckScripts(const PluginSettings& settings);
