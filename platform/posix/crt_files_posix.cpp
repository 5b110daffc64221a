// POSIX calls only.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/code_page.h"
#include "platform/crt_files.h"
#include "platform/fault_injection.h"
#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/posix/errno_table.h"

namespace os {
namespace {

// A path in code page 936 as the file system names it.
std::string FileSystemName(const std::string& path) {
    return NativePath(MultiByteToWide(kCodePageChinese, path));
}

std::u16string WidePath(const std::string& path) {
    return MultiByteToWide(kCodePageChinese, path);
}

}  // namespace

bool CrtAccess(const std::string& path) {
    const FaultPoint fault("CrtAccess", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return ::access(FileSystemName(path).c_str(), F_OK) == 0;
}

bool CrtMakeFolder(const std::string& path) {
    const FaultPoint fault("CrtMakeFolder", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    std::string name = FileSystemName(path);
    if (::mkdir(name.c_str(), 0777) != 0) {
        SetLastFileError(errno, name);
        return false;
    }
    return true;
}

bool CrtRemove(const std::string& path) {
    const FaultPoint fault("CrtRemove", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return DeleteFile(WidePath(path));
}

bool CrtRename(const std::string& from, const std::string& to) {
    const FaultPoint fault("CrtRename", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return RenameFile(WidePath(from), WidePath(to));
}

bool CrtReadFile(const std::string& path, std::string& bytes) {
    const FaultPoint fault("CrtReadFile", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return ReadWholeFile(WidePath(path), bytes);
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
    std::string name = FileSystemName(path);
    file_ = ::fopen(name.c_str(), "ab");
    if (file_ == nullptr) {
        SetLastFileError(errno, name);
        return false;
    }
    return true;
}

bool AppendFile::Write(const std::string& bytes) {
    if (file_ == nullptr) {
        return false;
    }
    const FaultPoint fault("AppendFile::Write", kErrorDiskFull);
    if (fault.Failed()) {
        return false;
    }
    bool written = ::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    return ::fflush(file_) == 0 && written;
}

int64_t AppendFile::Size() {
    const FaultPoint fault("AppendFile::Size", kErrorAccessDenied);
    if (file_ == nullptr || fault.Failed()) {
        return -1;
    }
    off_t position = ::ftello(file_);
    if (position < 0 || ::fseeko(file_, 0, SEEK_END) != 0) {
        return -1;
    }
    off_t end = ::ftello(file_);
    ::fseeko(file_, position, SEEK_SET);
    return end;
}

void AppendFile::Close() {
    if (file_ != nullptr) {
        ::fclose(file_);
        file_ = nullptr;
    }
}

}  // namespace os
