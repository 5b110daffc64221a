#pragma once
// A scene file of the simulated host. It stands in for a .max file and holds one JSON object
// (UTF-8):
//   analysis          what gMax.analysis writes for the scene, verbatim, except that a missing
//                     "name" becomes the scene's full path;
//   analysisBom       true: the analysis result file starts with a UTF-8 byte-order mark;
//   analysisSideFile  true: gMax.analysis also writes the ".log" side file;
//   scripts           [{"family": "ADSL" | "ALC" | "CRP", "name": ...}], the scene scripts the
//                     cleaning scripts remove, each its own family.
// Any other member is kept when the host saves the scene.

#include <json/json.h>

#include <string>

namespace maxsim {

// False, with a sentence in `error`, when the file cannot be read or is not a JSON object.
bool ReadSceneFile(const std::u16string& path, Json::Value& scene, std::string& error);
bool WriteSceneFile(const std::u16string& path, const Json::Value& scene);

// The bytes gMax.analysis writes for `scene` open from `fullPath` (empty for an unsaved scene).
std::string AnalysisFileBytes(const Json::Value& scene, const std::u16string& fullPath);
bool WantsAnalysisSideFile(const Json::Value& scene);

// Removes the entries of `family` from the scene's scripts; returns how many there were.
int RemoveScriptFamily(Json::Value& scene, const std::string& family);

}  // namespace maxsim
