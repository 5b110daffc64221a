#include "log/operation_failures.h"

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/profile.h"
#include "text/conversions.h"

bool IsNotFoundError(uint32_t error) {
    return error == os::kErrorFileNotFound || error == os::kErrorPathNotFound;
}

std::string FailedOperationText(std::string_view operation, std::u16string_view subject,
                                uint32_t error) {
    return std::string(operation) + " " + ToUtf8(subject) + " failed, error " +
           std::to_string(error);
}

void LogFailedOperation(pmx_Logger& log, std::string_view operation, std::u16string_view subject,
                        uint32_t error) {
    log.Write(FailedOperationText(operation, subject, error), "WARN");
}

bool PathExistsLogged(pmx_Logger& log, const std::u16string& path) {
    if (os::PathExists(path)) {
        return true;
    }
    const uint32_t error = os::GetLastError();
    if (!IsNotFoundError(error)) {
        LogFailedOperation(log, "_waccess", path, error);
    }
    return false;
}

void CreateFolderLogged(pmx_Logger& log, const std::u16string& folder) {
    if (!os::CreateFolder(folder)) {
        const uint32_t error = os::GetLastError();
        if (error != os::kErrorAlreadyExists) {
            LogFailedOperation(log, "CreateDirectory", folder, error);
        }
    }
}

void DeleteFileLogged(pmx_Logger& log, const std::u16string& path) {
    if (!os::DeleteFile(path)) {
        LogFailedOperation(log, "DeleteFile", path, os::GetLastError());
    }
}

std::u16string GetPrivateProfileStringLogged(pmx_Logger& log, const std::u16string& section,
                                             const std::u16string& key,
                                             const std::u16string& defaultValue, size_t bufferSize,
                                             const std::u16string& file) {
    os::SetLastError(os::kErrorSuccess);
    std::u16string value =
        os::GetPrivateProfileString(section, key, defaultValue, bufferSize, file);
    const uint32_t error = os::GetLastError();
    if (error != os::kErrorSuccess && !IsNotFoundError(error)) {
        LogFailedOperation(log, "GetPrivateProfileString", key, error);
    }
    return value;
}
