// POSIX calls only.
#include "platform/posix/errno_table.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/code_page.h"
#include "platform/last_error.h"

namespace os {
namespace {

struct ErrnoRow {
    int error;
    uint32_t fileCode;
    uint32_t socketCode;
};

// Win32 file codes, then Winsock codes (0: the other column's code applies).
constexpr ErrnoRow kErrnoTable[] = {
    {ENOENT, 2, 0},
    {ENOTDIR, 3, 0},
    {EACCES, 5, 10013},
    {EPERM, 5, 10013},
    {EISDIR, 5, 0},
    {EROFS, 19, 0},
    {EBADF, 6, 10009},
    {ENOMEM, 8, 10055},
    {ENOSPC, 112, 0},
    {EDQUOT, 112, 0},
    {EFBIG, 223, 0},
    {EEXIST, 183, 0},
    {ENOTEMPTY, 145, 0},
    {EBUSY, 170, 0},
    {ETXTBSY, 32, 0},
    {EXDEV, 17, 0},
    {EMFILE, 4, 10024},
    {ENFILE, 4, 10024},
    {ENAMETOOLONG, 206, 10063},
    {ELOOP, 1921, 0},
    {ENOEXEC, 193, 0},
    {EINVAL, 87, 10022},
    {EINTR, 1223, 10004},
    {EIO, 1117, 0},
    {EAGAIN, 0, 10035},
    {EINPROGRESS, 0, 10036},
    {EALREADY, 0, 10037},
    {ENOTSOCK, 0, 10038},
    {EDESTADDRREQ, 0, 10039},
    {EMSGSIZE, 0, 10040},
    {EPROTOTYPE, 0, 10041},
    {ENOPROTOOPT, 0, 10042},
    {EPROTONOSUPPORT, 0, 10043},
    {EOPNOTSUPP, 50, 10045},
    {EAFNOSUPPORT, 0, 10047},
    {EADDRINUSE, 0, 10048},
    {EADDRNOTAVAIL, 0, 10049},
    {ENETDOWN, 0, 10050},
    {ENETUNREACH, 0, 10051},
    {ENETRESET, 0, 10052},
    {ECONNABORTED, 0, 10053},
    {ECONNRESET, 0, 10054},
    {EPIPE, 109, 10054},
    {ENOBUFS, 0, 10055},
    {EISCONN, 0, 10056},
    {ENOTCONN, 0, 10057},
    {ESHUTDOWN, 0, 10058},
    {ETIMEDOUT, 0, 10060},
    {ECONNREFUSED, 0, 10061},
    {EHOSTDOWN, 0, 10064},
    {EHOSTUNREACH, 0, 10065},
};

constexpr uint32_t kGenericFileError = 31;       // ERROR_GEN_FAILURE
constexpr uint32_t kGenericSocketError = 10022;  // WSAEINVAL

const ErrnoRow* FindRow(int error) {
    for (const ErrnoRow& row : kErrnoTable) {
        if (row.error == error) {
            return &row;
        }
    }
    return nullptr;
}

bool ParentFolderExists(const std::string& path) {
    std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return true;
    }
    std::string parent = slash == 0 ? std::string("/") : path.substr(0, slash);
    struct stat info {};
    return ::stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

uint32_t FileErrorFromErrno(int error, const std::string& path) {
    if (error == ENOENT && !path.empty() && !ParentFolderExists(path)) {
        return kErrorPathNotFound;
    }
    const ErrnoRow* row = FindRow(error);
    if (row == nullptr) {
        return kGenericFileError;
    }
    return row->fileCode != 0 ? row->fileCode : row->socketCode;
}

uint32_t SocketErrorFromErrno(int error) {
    const ErrnoRow* row = FindRow(error);
    if (row == nullptr) {
        return kGenericSocketError;
    }
    return row->socketCode != 0 ? row->socketCode : row->fileCode;
}

void SetLastFileError(int error, const std::string& path) {
    SetLastError(FileErrorFromErrno(error, path));
}

void SetLastSocketError(int error) {
    SetLastError(SocketErrorFromErrno(error));
}

std::string NativePath(const std::u16string& path) {
    std::string native = WideToMultiByte(kCodePageUtf8, path);
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return native;
}

}  // namespace os
