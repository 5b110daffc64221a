// POSIX calls only: sections are POSIX shared memory objects named "/" + the section name.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/errno_table.h"
#include "platform/shared_memory.h"

namespace os {
namespace {

std::string ObjectName(const std::u16string& name) {
    return "/" + NativePath(name);
}

}  // namespace

SharedMemoryView::~SharedMemoryView() {
    Close();
}

bool SharedMemoryView::Open(const std::u16string& name) {
    Close();
    int descriptor = ::shm_open(ObjectName(name).c_str(), O_RDONLY, 0);
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
    size_ = static_cast<size_t>(info.st_size);
    if (size_ > 0) {
        void* mapped = ::mmap(nullptr, size_, PROT_READ, MAP_SHARED, descriptor, 0);
        if (mapped == MAP_FAILED) {
            SetLastFileError(errno);
            ::close(descriptor);
            size_ = 0;
            return false;
        }
        data_ = static_cast<const char*>(mapped);
    } else {
        data_ = "";
    }
    ::close(descriptor);
    return true;
}

void SharedMemoryView::Close() {
    if (data_ != nullptr && size_ > 0) {
        ::munmap(const_cast<char*>(data_), size_);
    }
    data_ = nullptr;
    size_ = 0;
}

SharedMemorySection::~SharedMemorySection() {
    Remove();
}

bool SharedMemorySection::Publish(const std::u16string& name, const std::string& bytes) {
    Remove();
    std::string object = ObjectName(name);
    ::shm_unlink(object.c_str());
    int descriptor = ::shm_open(object.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    if (descriptor < 0) {
        SetLastFileError(errno);
        return false;
    }
    bool published = ::ftruncate(descriptor, static_cast<off_t>(bytes.size())) == 0;
    if (published && !bytes.empty()) {
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
