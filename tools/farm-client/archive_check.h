#pragma once
// Whether a scene archive is one the farm can unpack for the user who sent it.

#include <string>

namespace farm {

// Empty when the archive exists, holds sceneFileName (as a top-level entry) and opens as the
// user's archives must: with the password derived from the scene's base name for the archive
// accounts, without a password for everybody else. Otherwise the text that says what is wrong.
std::string CheckArchive(const std::string& sevenZip, const std::string& archivePath,
                         const std::string& scenePath, const std::string& userName);

}  // namespace farm
