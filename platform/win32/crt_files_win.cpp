// The C runtime's narrow-path functions; their paths are in the ANSI code page, as the runtime
// hands them to the system.
#include "platform/win32/windows_api.h"

#include <direct.h>
#include <io.h>

#include <cstdio>

#include "platform/crt_files.h"

namespace os {

bool CrtAccess(const std::string& path) {
    return ::_access(path.c_str(), 0) == 0;
}

bool CrtMakeFolder(const std::string& path) {
    return ::_mkdir(path.c_str()) == 0;
}

bool CrtRemove(const std::string& path) {
    return std::remove(path.c_str()) == 0;
}

bool CrtRename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool CrtReadFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    char buffer[1 << 16];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    const bool read = std::ferror(file) == 0;
    std::fclose(file);
    return read;
}

AppendFile::~AppendFile() {
    Close();
}

bool AppendFile::Open(const std::string& path) {
    Close();
    file_ = std::fopen(path.c_str(), "ab");
    return file_ != nullptr;
}

bool AppendFile::Write(const std::string& bytes) {
    if (file_ == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    return std::fflush(file_) == 0 && written;
}

int64_t AppendFile::Size() {
    if (file_ == nullptr) {
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
