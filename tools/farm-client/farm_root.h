#pragma once
// The folders and files of a farm-client root: the plug-in data folder it installs for the
// plug-in ("<root>/ZEP Rendering") and its own state ("<root>/farm-client"). Paths are UTF-8.

#include <string>

namespace farm {

inline constexpr char kDefaultHost[] = "127.0.0.1";
inline constexpr int kDefaultPort = 18080;
inline constexpr char kDefaultLowerVersion[] = "1.3.7";
inline constexpr char kDefaultUser[] = "artist";

// "<root>/ZEP Rendering" + part (part begins with a slash, as in config/data_folder.h).
std::string DataPath(const std::string& root, const std::u16string& part);
// "<root>/ZEP Rendering/script/pmx_plugin.ini".
std::string ConfigFile(const std::string& root);
// "<root>/farm-client", "<root>/farm-client/save" and "<root>/farm-client/jobs.jsonl".
std::string StateFolder(const std::string& root);
std::string DefaultSavePath(const std::string& root);
std::string JobsFile(const std::string& root);

// The port the root's configuration file names, or kDefaultPort when the file, the key or a
// usable number (1 to 65535) is missing.
int ConfiguredPort(const std::string& root);

// The local time as "YYYY-MM-DD HH:MM:SS".
std::string TimeText();

}  // namespace farm
