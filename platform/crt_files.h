#pragma once
// The C runtime's narrow-path file functions (_access, _mkdir, remove, rename, fopen). Their
// paths are multibyte text in code page 936, as the "chs" locale makes them; on Linux they are
// turned into the UTF-8 names of the file system.

#include <cstdint>
#include <cstdio>
#include <string>

namespace os {

bool CrtAccess(const std::string& path);                         // _access(path, 0) == 0
bool CrtMakeFolder(const std::string& path);                     // _mkdir(path) == 0
bool CrtRemove(const std::string& path);                         // remove(path) == 0
bool CrtRename(const std::string& from, const std::string& to);  // fails when `to` exists
// fopen(path, "rb") and fread to the end; false when the file cannot be opened.
bool CrtReadFile(const std::string& path, std::string& bytes);

// A file opened for appending, shared with every other opener. Lines reach the disk as the
// bytes given: the caller writes CR LF itself, as a Windows text-mode stream would.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }
    // Writes and flushes; false when the file is not open or the write failed.
    bool Write(const std::string& bytes);
    // Size of the file in bytes (seek to the end and back), or -1 when it cannot be measured.
    int64_t Size();
    void Close();

private:
    std::FILE* file_ = nullptr;
};

}  // namespace os
