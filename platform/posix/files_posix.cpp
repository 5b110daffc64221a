// POSIX calls only.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "platform/crlf_output.h"
#include "platform/fault_injection.h"
#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/posix/errno_table.h"

namespace os {
namespace {

// Writes all bytes to an open descriptor; false with errno set on failure.
bool WriteAll(int descriptor, const char* data, size_t length) {
    while (length > 0) {
        ssize_t written = ::write(descriptor, data, length);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

bool Fail(int error, const std::string& path) {
    SetLastFileError(error, path);
    return false;
}

// rename(2) that refuses to replace an existing destination, as MoveFileW does.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return Fail(errno, errno == EEXIST ? to : from);
    }
    // The file system cannot refuse by itself: check, then rename.
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) {
        return Fail(EEXIST, to);
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return Fail(errno, from);
    }
    return true;
}

// Has `writeContent` fill a new temporary file beside the destination, then renames it over
// the destination. `writeContent` returns false with errno set when a write fails.
template <typename WriteContent>
bool WriteAtomically(const std::u16string& path, WriteContent writeContent) {
    std::string target = NativePath(path);
    std::string::size_type slash = target.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string temporary =
        folder + "/." + name + "." + std::to_string(random() % 1000000007) + ".tmp";
    int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (out < 0) {
        return Fail(errno, target);
    }
    bool written = writeContent(out);
    int error = written ? 0 : errno;
    if (::close(out) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        if (written) {
            error = errno;
        }
        ::unlink(temporary.c_str());
        return Fail(error, target);
    }
    return true;
}

// Writes `text` with every LF as CR LF.
bool WriteAsText(int descriptor, std::initializer_list<std::string_view> pieces) {
    return WriteWithCrLf(pieces, [&](const char* data, size_t length) {
        return WriteAll(descriptor, data, length);
    });
}

}  // namespace

bool PathExists(const std::u16string& path) {
    const FaultPoint fault("PathExists", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    std::string native = NativePath(path);
    if (::access(native.c_str(), F_OK) != 0) {
        return Fail(errno, native);
    }
    return true;
}

bool IsFolder(const std::u16string& path) {
    const FaultPoint fault("IsFolder", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    struct stat info {};
    return ::stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolder(const std::u16string& path) {
    const FaultPoint fault("CreateFolder", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    std::string native = NativePath(path);
    if (::mkdir(native.c_str(), 0777) != 0) {
        return Fail(errno, native);
    }
    return true;
}

bool CopyFile(const std::u16string& from, const std::u16string& to) {
    const FaultPoint fault("CopyFile", kErrorDiskFull);
    if (fault.Failed()) {
        return false;
    }
    std::string source = NativePath(from);
    std::string target = NativePath(to);
    int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return Fail(errno, source);
    }
    struct stat info {};
    if (::fstat(in, &info) != 0 || S_ISDIR(info.st_mode)) {
        int error = S_ISDIR(info.st_mode) ? EACCES : errno;
        ::close(in);
        return Fail(error, source);
    }
    int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, info.st_mode & 0777);
    if (out < 0) {
        int error = errno;
        ::close(in);
        return Fail(error, target);
    }
    char buffer[1 << 16];
    bool copied = true;
    int error = 0;
    for (;;) {
        ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            if (got < 0) {
                copied = false;
                error = errno;
            }
            break;
        }
        if (!WriteAll(out, buffer, static_cast<size_t>(got))) {
            copied = false;
            error = errno;
            break;
        }
    }
    ::close(in);
    if (::close(out) != 0 && copied) {
        copied = false;
        error = errno;
    }
    if (!copied) {
        ::unlink(target.c_str());
        return Fail(error, target);
    }
    return true;
}

bool DeleteFile(const std::u16string& path) {
    const FaultPoint fault("DeleteFile", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    std::string native = NativePath(path);
    if (::unlink(native.c_str()) != 0) {
        return Fail(errno == EISDIR ? EACCES : errno, native);
    }
    return true;
}

bool RenameFile(const std::u16string& from, const std::u16string& to) {
    const FaultPoint fault("RenameFile", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    return RenameNoReplace(NativePath(from), NativePath(to));
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
    name_ = NativePath(path);
    const int descriptor = ::open(name_.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return Fail(errno, name_);
    }
    // CreateFileW refuses a folder (ERROR_ACCESS_DENIED) before anything is read.
    struct stat info {};
    if (::fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(descriptor);
        return Fail(EACCES, name_);
    }
    handle_ = descriptor;
    return true;
}

bool InputFile::ReadAll(std::string& bytes) {
    bytes.clear();
    if (handle_ < 0) {
        SetLastError(kErrorInvalidHandle);
        return false;
    }
    const FaultPoint fault("InputFile::ReadAll", kErrorReadFault);
    if (fault.Failed()) {
        return false;
    }
    struct stat info {};
    if (::fstat(static_cast<int>(handle_), &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.reserve(static_cast<size_t>(info.st_size));
    }
    char buffer[1 << 16];
    for (;;) {
        ssize_t got = ::read(static_cast<int>(handle_), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Fail(errno == EISDIR ? EACCES : errno, name_);
        }
        if (got == 0) {
            return true;
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
}

void InputFile::Close() {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
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
    return WriteAtomically(
        path, [&](int descriptor) { return WriteAll(descriptor, bytes.data(), bytes.size()); });
}

bool WriteTextFileAtomically(const std::u16string& path,
                             std::initializer_list<std::string_view> pieces) {
    const FaultPoint fault("WriteTextFileAtomically", kErrorDiskFull);
    if (fault.Failed()) {
        return false;
    }
    return WriteAtomically(path, [&](int descriptor) { return WriteAsText(descriptor, pieces); });
}

}  // namespace os
