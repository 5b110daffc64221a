// Win32 calls only.
#include "platform/win32/windows_api.h"

#include <io.h>

#include <cerrno>

#include <string>

#include "platform/crlf_output.h"
#include "platform/fault_injection.h"
#include "platform/files.h"
#include "platform/last_error.h"

namespace os {
namespace {

HANDLE AsHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

bool WriteAll(HANDLE file, const char* data, size_t length) {
    while (length > 0) {
        const DWORD piece = length > (1u << 30) ? (1u << 30) : static_cast<DWORD>(length);
        DWORD written = 0;
        if (!::WriteFile(file, data, piece, &written, nullptr)) {
            return false;
        }
        data += written;
        length -= written;
    }
    return true;
}

// Has `writeContent` fill a new temporary file beside the destination, then moves it over the
// destination. The last error is the one of the step that failed.
template <typename WriteContent>
bool WriteAtomically(const std::u16string& path, WriteContent writeContent) {
    const size_t separator = path.find_last_of(u"\\/");
    const std::u16string folder =
        separator == std::u16string::npos ? u"." : path.substr(0, separator);
    const std::u16string name =
        separator == std::u16string::npos ? path : path.substr(separator + 1);
    const std::string number = std::to_string(::GetTickCount64() ^ ::GetCurrentThreadId());
    const std::u16string temporary =
        folder + u"\\." + name + u"." + std::u16string(number.begin(), number.end()) + u".tmp";
    const HANDLE out = ::CreateFileW(win32::Wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool done = writeContent(out);
    DWORD error = done ? ERROR_SUCCESS : ::GetLastError();
    if (!::CloseHandle(out) && done) {
        done = false;
        error = ::GetLastError();
    }
    if (done && !::MoveFileExW(win32::Wide(temporary), win32::Wide(path),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        done = false;
        error = ::GetLastError();
    }
    if (!done) {
        ::DeleteFileW(win32::Wide(temporary));
        ::SetLastError(error);
    }
    return done;
}

}  // namespace

bool PathExists(const std::u16string& path) {
    const FaultPoint fault("PathExists", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    if (::_waccess(win32::Wide(path), 0) == 0) {
        return true;
    }
    ::SetLastError(errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
    return false;
}

bool IsFolder(const std::u16string& path) {
    const FaultPoint fault("IsFolder", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(win32::Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolder(const std::u16string& path) {
    const FaultPoint fault("CreateFolder", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return ::CreateDirectoryW(win32::Wide(path), nullptr) != 0;
}

bool CopyFile(const std::u16string& from, const std::u16string& to) {
    const FaultPoint fault("CopyFile", kErrorDiskFull);
    if (fault.Failed()) {
        return false;
    }
    return ::CopyFileW(win32::Wide(from), win32::Wide(to), FALSE) != 0;
}

bool DeleteFile(const std::u16string& path) {
    const FaultPoint fault("DeleteFile", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return ::DeleteFileW(win32::Wide(path)) != 0;
}

bool RenameFile(const std::u16string& from, const std::u16string& to) {
    const FaultPoint fault("RenameFile", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return ::MoveFileW(win32::Wide(from), win32::Wide(to)) != 0;
}

InputFile::~InputFile() {
    Close();
}

bool InputFile::Open(const std::u16string& path) {
    Close();
    const FaultPoint fault("InputFile::Open", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    const HANDLE file = ::CreateFileW(win32::Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    handle_ = reinterpret_cast<intptr_t>(file);
    return true;
}

bool InputFile::ReadAll(std::string& bytes) {
    bytes.clear();
    if (handle_ == -1) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    const FaultPoint fault("InputFile::ReadAll", kErrorReadFault);
    if (fault.Failed()) {
        return false;
    }
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(AsHandle(handle_), &size)) {
        bytes.reserve(static_cast<size_t>(size.QuadPart));
    }
    char buffer[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(AsHandle(handle_), buffer, sizeof buffer, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(buffer, got);
    }
}

void InputFile::Close() {
    if (handle_ != -1) {
        ::CloseHandle(AsHandle(handle_));
        handle_ = -1;
    }
}

bool ReadWholeFile(const std::u16string& path, std::string& bytes) {
    InputFile file;
    return file.Open(path) && file.ReadAll(bytes);
}

bool WriteFileAtomically(const std::u16string& path, const std::string& bytes) {
    const FaultPoint fault("WriteFileAtomically", kErrorDiskFull);
    if (fault.Failed()) {
        return false;
    }
    return WriteAtomically(path,
                           [&](HANDLE file) { return WriteAll(file, bytes.data(), bytes.size()); });
}

bool WriteTextFileAtomically(const std::u16string& path,
                             std::initializer_list<std::string_view> pieces) {
    const FaultPoint fault("WriteTextFileAtomically", kErrorDiskFull);
    if (fault.Failed()) {
        return false;
    }
    return WriteAtomically(path, [&](HANDLE file) {
        return WriteWithCrLf(
            pieces, [&](const char* data, size_t length) { return WriteAll(file, data, length); });
    });
}

}  // namespace os
