// The C runtime's narrow-path functions; their paths are in the ANSI code page, as the runtime
// hands them to the system.
#include "platform/win32/windows_api.h"

#include <direct.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "platform/crt_files.h"
#include "platform/fault_injection.h"
#include "platform/last_error.h"

namespace os {
namespace {

// The runtime keeps the system's code of its last failed call apart from errno.
bool FailWithSystemError() {
    ::SetLastError(_doserrno != 0 ? static_cast<DWORD>(_doserrno) : ERROR_ACCESS_DENIED);
    return false;
}

}  // namespace

bool CrtAccess(const std::string& path) {
    const FaultPoint fault("CrtAccess", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return ::_access(path.c_str(), 0) == 0;
}

bool CrtMakeFolder(const std::string& path) {
    const FaultPoint fault("CrtMakeFolder", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return ::_mkdir(path.c_str()) == 0;
}

bool CrtRemove(const std::string& path) {
    const FaultPoint fault("CrtRemove", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return std::remove(path.c_str()) == 0;
}

bool CrtRename(const std::string& from, const std::string& to) {
    const FaultPoint fault("CrtRename", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool CrtReadFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    const FaultPoint fault("CrtReadFile", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    _doserrno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return FailWithSystemError();
    }
    char buffer[1 << 16];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    const bool read = std::ferror(file) == 0;
    std::fclose(file);
    if (!read) {
        ::SetLastError(ERROR_READ_FAULT);
    }
    return read;
}

AppendFile::~AppendFile() {
    Close();
}

bool AppendFile::Open(const std::string& path) {
    Close();
    const FaultPoint fault("AppendFile::Open", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    _doserrno = 0;
    file_ = std::fopen(path.c_str(), "ab");
    return file_ != nullptr || FailWithSystemError();
}

bool AppendFile::Write(const std::string& bytes) {
    if (file_ == nullptr) {
        return false;
    }
    const FaultPoint fault("AppendFile::Write", kErrorDiskFull);
    if (fault.Failed()) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    return std::fflush(file_) == 0 && written;
}

int64_t AppendFile::Size() {
    const FaultPoint fault("AppendFile::Size", kErrorAccessDenied);
    if (file_ == nullptr || fault.Failed()) {
        return -1;
    }
    const int64_t position = ::_ftelli64(file_);
    if (position < 0 || ::_fseeki64(file_, 0, SEEK_END) != 0) {
        return -1;
    }
    const int64_t end = ::_ftelli64(file_);
    ::_fseeki64(file_, position, SEEK_SET);
    return end;
}

void AppendFile::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

}  // namespace os
