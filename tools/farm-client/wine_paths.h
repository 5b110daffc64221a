#pragma once
// Paths that a Windows plug-in running under Wine writes (C:\..., Z:\...) as the Linux paths
// they stand for: the drive letters of the Wine prefix's dosdevices folder.

#include <string>

namespace farm {

// The Linux path of `path` in the Wine prefix `prefix`: a drive path (a letter, a colon and a
// separator) goes through the prefix's link for that drive, with backslashes made slashes.
// Other paths come back unchanged; so does a drive the prefix does not have.
std::string LinuxPathInWinePrefix(const std::string& prefix, const std::string& path);

}  // namespace farm
