// POSIX calls only: sections are POSIX shared memory objects named "/" + the section name.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/fault_injection.h"
#include "platform/last_error.h"
#include "platform/posix/errno_table.h"
#include "platform/shared_memory.h"

namespace os {
namespace {

constexpr size_t kPageSize = 4096;

std::string ObjectName(const std::u16string& name) {
    return "/" + NativePath(name);
}

}  // namespace

bool ReadSharedMemory(const std::u16string& name, size_t limit, std::string& bytes) {
    bytes.clear();
    const FaultPoint fault("ReadSharedMemory", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    const int descriptor = ::shm_open(ObjectName(name).c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (descriptor < 0) {
        SetLastFileError(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0) {
        SetLastFileError(errno);
        ::close(descriptor);
        return false;
    }
    // Read, not mapped: a mapped page past an end that moved meanwhile would raise SIGBUS.
    const size_t size = std::min(static_cast<size_t>(info.st_size), limit);
    bytes.resize(size);
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t result =
            ::pread(descriptor, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result <= 0) {
            break;  // the end came closer while reading
        }
        got += static_cast<size_t>(result);
    }
    // A view holds whole pages: what follows the section's end up to the page's end reads as
    // zeros.
    bytes.resize(std::min((got + kPageSize - 1) / kPageSize * kPageSize, limit), '\0');
    ::close(descriptor);
    return true;
}

SharedMemorySection::~SharedMemorySection() {
    Remove();
}

bool SharedMemorySection::Publish(const std::u16string& name, const std::string& bytes) {
    Remove();
    const FaultPoint fault("SharedMemorySection::Publish", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    if (bytes.empty()) {
        // A section backed by the paging file has at least one byte.
        SetLastError(kErrorInvalidParameter);
        return false;
    }
    std::string object = ObjectName(name);
    ::shm_unlink(object.c_str());
    int descriptor = ::shm_open(object.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    if (descriptor < 0) {
        SetLastFileError(errno);
        return false;
    }
    bool published = ::ftruncate(descriptor, static_cast<off_t>(bytes.size())) == 0;
    if (published) {
        void* mapped =
            ::mmap(nullptr, bytes.size(), PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
        published = mapped != MAP_FAILED;
        if (published) {
            std::memcpy(mapped, bytes.data(), bytes.size());
            ::munmap(mapped, bytes.size());
        }
    }
    if (!published) {
        SetLastFileError(errno);
        ::close(descriptor);
        ::shm_unlink(object.c_str());
        return false;
    }
    ::close(descriptor);
    name_ = name;
    return true;
}

void SharedMemorySection::Remove() {
    if (!name_.empty()) {
        ::shm_unlink(ObjectName(name_).c_str());
        name_.clear();
    }
}

}  // namespace os
