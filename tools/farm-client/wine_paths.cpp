#include "tools/farm-client/wine_paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace farm {

std::string LinuxPathInWinePrefix(const std::string& prefix, const std::string& path) {
    const bool drivePath = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                           path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    if (prefix.empty() || !drivePath) {
        return path;
    }
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
    std::error_code error;
    const std::filesystem::path drive = std::filesystem::canonical(
        std::filesystem::path(prefix) / "dosdevices" / std::string{letter, ':'}, error);
    if (error) {
        return path;
    }
    std::string rest = path.substr(3);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    return (drive / rest).string();
}

}  // namespace farm
