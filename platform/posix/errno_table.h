#pragma once
// POSIX calls only. The one mapping from errno values to the Win32 codes the plug-in logs.

#include <cstdint>
#include <string>

namespace os {

// The Win32 code of a failed file or process call. ENOENT is ERROR_FILE_NOT_FOUND (2) when the
// folder of `path` exists and ERROR_PATH_NOT_FOUND (3) when it does not.
uint32_t FileErrorFromErrno(int error, const std::string& path = {});
// The Winsock code of a failed socket call (WSAECONNREFUSED = 10061, ...).
uint32_t SocketErrorFromErrno(int error);

// SetLastError with the codes above.
void SetLastFileError(int error, const std::string& path = {});
void SetLastSocketError(int error);

// UTF-16 path to the UTF-8 name the file system uses. Back-slashes separate folders, as on
// Windows, and become slashes.
std::string NativePath(const std::u16string& path);

}  // namespace os
