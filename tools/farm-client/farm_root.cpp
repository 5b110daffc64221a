#include "tools/farm-client/farm_root.h"

#include <charconv>
#include <cstdio>

#include "config/data_folder.h"
#include "platform/local_time.h"
#include "platform/profile.h"
#include "text/conversions.h"

namespace farm {

std::string DataPath(const std::string& root, const std::u16string& part) {
    return root + ToUtf8(data_folder::kDataFolder) + ToUtf8(part);
}

std::string ConfigFile(const std::string& root) {
    return DataPath(root, data_folder::kConfigFile);
}

std::string StateFolder(const std::string& root) {
    return root + "/farm-client";
}

std::string DefaultSavePath(const std::string& root) {
    return StateFolder(root) + "/save";
}

std::string JobsFile(const std::string& root) {
    return StateFolder(root) + "/jobs.jsonl";
}

int ConfiguredPort(const std::string& root) {
    const std::string text = ToUtf8(
        os::GetPrivateProfileString(data_folder::kConfigSection, data_folder::kPortKey, u"",
                                    data_folder::kProfileBufferSize, FromUtf8(ConfigFile(root))));
    int port = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, port);
    if (error != std::errc() || stop != end || port < 1 || port > 65535) {
        return kDefaultPort;
    }
    return port;
}

std::string TimeText() {
    const os::LocalTime now = os::GetLocalTime();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day,
                  now.hour, now.minute, now.second);
    return text;
}

}  // namespace farm
