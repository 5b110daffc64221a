// POSIX calls only.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/code_page.h"
#include "platform/crt_files.h"
#include "platform/files.h"
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
    return ::access(FileSystemName(path).c_str(), F_OK) == 0;
}

bool CrtMakeFolder(const std::string& path) {
    std::string name = FileSystemName(path);
    if (::mkdir(name.c_str(), 0777) != 0) {
        SetLastFileError(errno, name);
        return false;
    }
    return true;
}

bool CrtRemove(const std::string& path) {
    return DeleteFile(WidePath(path));
}

bool CrtRename(const std::string& from, const std::string& to) {
    return RenameFile(WidePath(from), WidePath(to));
}

bool CrtReadFile(const std::string& path, std::string& bytes) {
    return ReadWholeFile(WidePath(path), bytes);
}

AppendFile::~AppendFile() {
    Close();
}

bool AppendFile::Open(const std::string& path) {
    Close();
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
    bool written = ::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    return ::fflush(file_) == 0 && written;
}

int64_t AppendFile::Size() {
    if (file_ == nullptr) {
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
