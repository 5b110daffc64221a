#pragma once
// System operations whose failure the plug-in goes past without a message box. Each failure
// leaves one warning line that names the operation, what it was made on and the error code:
// "DeleteFile D:\scenes\shot_004217.max failed, error 5".
#include <cstdint>
#include <string>
#include <string_view>

#include "log/pmx_logger.h"

// True for the codes that mean "there is no such file or folder" (2 and 3): an answer, not a
// failure, where the caller asks whether something exists.
bool IsNotFoundError(uint32_t error);

// "<operation> <subject> failed, error <error>", the line LogFailedOperation writes.
std::string FailedOperationText(std::string_view operation, std::u16string_view subject,
                                uint32_t error);
void LogFailedOperation(pmx_Logger& log, std::string_view operation, std::u16string_view subject,
                        uint32_t error);

// os::PathExists; a test that fails for another reason than a missing path is logged and reads
// as "missing".
bool PathExistsLogged(pmx_Logger& log, const std::u16string& path);
// os::CreateFolder; a failure other than "already exists" is logged.
void CreateFolderLogged(pmx_Logger& log, const std::u16string& folder);
// os::DeleteFile; a failure is logged.
void DeleteFileLogged(pmx_Logger& log, const std::u16string& path);
// os::GetPrivateProfileString; a file that exists but cannot be read gives the default, as it
// does to the system's function, and a line naming the key.
std::u16string GetPrivateProfileStringLogged(pmx_Logger& log, const std::u16string& section,
                                             const std::u16string& key,
                                             const std::u16string& defaultValue, size_t bufferSize,
                                             const std::u16string& file);
