#pragma once
// Files and folders named by UTF-16 paths, with the results of the Win32 file functions. Each
// failing call sets the last error (last_error.h).

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace os {

// True when the file or folder exists (_waccess with mode 0).
bool PathExists(const std::u16string& path);
// True when the path names a folder.
bool IsFolder(const std::u16string& path);
// Creates one folder level (CreateDirectoryW): fails with kErrorAlreadyExists when the path
// exists, kErrorPathNotFound when the parent is missing.
bool CreateFolder(const std::u16string& path);
// CopyFileW(from, to, FALSE): an existing destination is replaced.
bool CopyFile(const std::u16string& from, const std::u16string& to);
bool DeleteFile(const std::u16string& path);
// MoveFileW: fails with kErrorAlreadyExists when the destination exists.
bool RenameFile(const std::u16string& from, const std::u16string& to);
// A file opened for reading (CreateFileW with read access, shared for reading).
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool Open(const std::u16string& path);
    // Reads from the current position to the end (ReadFile until it gives nothing more).
    bool ReadAll(std::string& bytes);
    void Close();

private:
    intptr_t handle_ = -1;  // a descriptor, or a HANDLE on Windows (INVALID_HANDLE_VALUE is -1)
    std::string name_;
};

// Reads the whole file into bytes.
bool ReadWholeFile(const std::u16string& path, std::string& bytes);
// Writes bytes to a temporary file in the destination's folder and renames it over the
// destination, so readers see the old file or the whole new one, never a part.
bool WriteFileAtomically(const std::u16string& path, const std::string& bytes);
// The same for a text given in pieces, written one after the other as a Windows text-mode stream
// writes them: every LF reaches the disk as CR LF. The text is converted in small parts on its
// way out, never copied whole.
bool WriteTextFileAtomically(const std::u16string& path,
                             std::initializer_list<std::string_view> pieces);

}  // namespace os
