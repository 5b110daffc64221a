#pragma once
// The plug-in data folder under the all-users application-data root. Paths are built by plain
// concatenation: the root as the system returns it, then parts that begin with a slash.

#include <string>

#include "platform/app_data.h"

namespace data_folder {

inline constexpr char16_t kDataFolder[] = u"/ZEP Rendering";
inline constexpr char16_t kJsonFolder[] = u"/json";
inline constexpr char16_t kArchiver[] = u"/7-Zip/7z.exe";
inline constexpr char16_t kArchiveFolder[] = u"/compress";
inline constexpr char16_t kAnalysisScript[] = u"/script/MaxRenderGlobalsParser.mse";
inline constexpr char16_t kAdslScript[] = u"/script/ZepAntivirusAdsl_UTF8.ms";
inline constexpr char16_t kAlcScript[] = u"/script/ZepAntivirusAlc_UTF8.ms";
inline constexpr char16_t kCrpScript[] = u"/script/ZepAntivirusCrp_UTF8.ms";
inline constexpr char16_t kConfigFile[] = u"/script/pmx_plugin.ini";
inline constexpr char16_t kHostOverrideFile[] = u"/script/custom.bin";
inline constexpr char16_t kLogFolder[] = u"/log";

// The configuration file's one section, the client's keys and the buffer every read uses.
inline constexpr char16_t kConfigSection[] = u"general";
inline constexpr char16_t kHostKey[] = u"ip";
inline constexpr char16_t kPortKey[] = u"port";
inline constexpr char16_t kLowerVersionKey[] = u"lowerversion";
inline constexpr size_t kProfileBufferSize = 2048;

// Root + "/ZEP Rendering" + part.
inline std::u16string DataPath(const std::u16string& part) {
    return os::CommonAppDataFolder() + kDataFolder + part;
}

inline std::u16string ConfigFilePath() {
    return DataPath(kConfigFile);
}

}  // namespace data_folder
