#include "config/plugin_settings.h"

#include <algorithm>
#include <cstdio>

#include "config/data_folder.h"
#include "log/operation_failures.h"
#include "log/pmx_logger.h"
#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/profile.h"
#include "text/conversions.h"
#include "text/crt_numbers.h"

namespace {

std::u16string ReadConfigValue(pmx_Logger& dataLog, const std::u16string& key,
                               const std::u16string& configFile) {
    return GetPrivateProfileStringLogged(dataLog, data_folder::kConfigSection, key, u"",
                                         data_folder::kProfileBufferSize, configFile);
}

void LogErrorCode(pmx_Logger& dataLog, const char* format) {
    char message[64];
    std::snprintf(message, sizeof message, format, static_cast<int>(os::GetLastError()));
    dataLog.Write(message, "INFO");
}

}  // namespace

bool ReadPluginSettings(pmx_Logger& dataLog, PluginSettings& settings) {
    using namespace data_folder;
    settings.jsonFolder = DataPath(kJsonFolder);
    settings.archiverPath = DataPath(kArchiver);
    settings.archiveFolder = DataPath(kArchiveFolder);
    settings.analysisScriptPath = DataPath(kAnalysisScript);
    settings.adslScriptPath = DataPath(kAdslScript);
    settings.alcScriptPath = DataPath(kAlcScript);
    settings.crpScriptPath = DataPath(kCrpScript);

    std::u16string configFile = ConfigFilePath();
    settings.host = ReadConfigValue(dataLog, kHostKey, configFile);
    settings.port = CrtAtoi(ToUtf8(ReadConfigValue(dataLog, kPortKey, configFile)));
    settings.lowerVersion = ReadConfigValue(dataLog, kLowerVersionKey, configFile);
    ReadHostOverride(dataLog, settings);
    dataLog.Write("Get client infomation successfully.", "INFO");
    return true;
}

bool ReadHostOverride(pmx_Logger& dataLog, PluginSettings& settings) {
    os::InputFile file;
    if (!file.Open(data_folder::DataPath(data_folder::kHostOverrideFile))) {
        LogErrorCode(dataLog, "CreateFile error no:%d");
        return false;
    }
    std::string bytes;
    if (!file.ReadAll(bytes)) {
        LogErrorCode(dataLog, "ReadFile error no:%d");
        return false;
    }
    file.Close();
    return HostFromOverrideBytes(bytes, settings.host);
}

bool HostFromOverrideBytes(std::string_view bytes, std::u16string& host) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    text.resize(std::min(text.size(), text.find(u'\0')));
    size_t equals = text.find(u'=');
    if (equals == std::u16string::npos) {
        return false;
    }
    host = text.substr(equals + 1);
    return true;
}
