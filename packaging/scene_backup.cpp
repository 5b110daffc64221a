#include "packaging/scene_backup.h"

#include <cstdint>
#include <cstdio>

#include "packaging/windows_paths.h"
#include "platform/crt_random.h"
#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/local_time.h"
#include "scene/plugin_state.h"
#include "text/conversions.h"

std::u16string BackupName(std::u16string_view name, int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "_%06d", number);
    std::u16string result(name);
    for (const char* c = digits; *c != '\0'; ++c) {
        result += static_cast<char16_t>(*c);
    }
    return result;
}

bool BackupPath(std::u16string_view source, int number, std::u16string& destination) {
    windows_paths::PathParts parts;
    bool fits = windows_paths::SplitPath(source, parts) == 0;
    if (!fits) {
        windows_paths::SplitPath(source, parts, windows_paths::kUnlimited);
    }
    const std::u16string newName = BackupName(parts.name, number);
    fits = fits && newName.size() < windows_paths::kMaxName;
    if (windows_paths::MakePath(destination, windows_paths::kMaxPath, parts.drive, parts.folder,
                                newName, parts.extension) != 0) {
        fits = false;
        windows_paths::MakePath(destination, SIZE_MAX, parts.drive, parts.folder, newName,
                                parts.extension);
    }
    return fits;
}

bool BackupSceneFile(PluginState& state, std::u16string& destination) {
    const std::u16string source = FromUtf8(state.analysedScenePath);
    os::CrtSrand(static_cast<uint32_t>(os::CurrentTimeSeconds()));
    const int number = os::CrtRand();
    std::u16string target;
    const bool fits = BackupPath(source, number, target);

    std::u16string message = u"Backup file from " + source + u" to " + target;
    bool copied = false;
    if (fits) {
        copied = os::CopyFile(source, target);
    } else {
        os::SetLastError(os::kErrorFilenameTooLong);
    }
    if (copied) {
        message += u" Success!";
        state.log.Write(ToUtf8(message), "WARN");
        destination = target;
    } else {
        message += u" Error! Code is " + FromUtf8(std::to_string(os::GetLastError()));
        state.log.Write(ToUtf8(message), "WARN");
    }
    return copied;
}
