// Win32 calls only: named file mappings backed by the paging file.
#include "platform/win32/windows_api.h"

#include <algorithm>
#include <cstring>

#include "platform/fault_injection.h"
#include "platform/last_error.h"
#include "platform/shared_memory.h"

namespace os {

bool ReadSharedMemory(const std::u16string& name, size_t limit, std::string& bytes) {
    bytes.clear();
    const FaultPoint fault("ReadSharedMemory", kErrorAccessDenied);
    if (fault.Failed()) {
        return false;
    }
    const HANDLE mapping = ::OpenFileMappingW(FILE_MAP_READ, FALSE, win32::Wide(name));
    if (mapping == nullptr) {
        return false;
    }
    const void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(mapping);
        ::SetLastError(error);
        return false;
    }
    // The view covers the section in whole pages.
    MEMORY_BASIC_INFORMATION region{};
    const size_t mapped = ::VirtualQuery(view, &region, sizeof region) != 0 ? region.RegionSize : 0;
    bytes.assign(static_cast<const char*>(view), std::min(mapped, limit));
    ::UnmapViewOfFile(view);
    ::CloseHandle(mapping);
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
    const uint64_t size = bytes.size();
    const HANDLE mapping = ::CreateFileMappingW(
        INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(size >> 32),
        static_cast<DWORD>(size & 0xFFFFFFFFu), win32::Wide(name));
    if (mapping == nullptr) {
        return false;
    }
    // A section of that name that another process holds is opened instead, at its own size:
    // the bytes must fit it.
    void* view = ::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0);
    MEMORY_BASIC_INFORMATION region{};
    const bool fits = view != nullptr && ::VirtualQuery(view, &region, sizeof region) != 0 &&
                      region.RegionSize >= bytes.size();
    if (!fits) {
        const DWORD error = view == nullptr ? ::GetLastError() : ERROR_ALREADY_EXISTS;
        if (view != nullptr) {
            ::UnmapViewOfFile(view);
        }
        ::CloseHandle(mapping);
        ::SetLastError(error);
        return false;
    }
    std::memcpy(view, bytes.data(), bytes.size());
    name_ = name;
    handle_ = mapping;
    view_ = view;
    size_ = bytes.size();
    return true;
}

void SharedMemorySection::Remove() {
    if (view_ != nullptr) {
        ::UnmapViewOfFile(view_);
        view_ = nullptr;
    }
    if (handle_ != nullptr) {
        ::CloseHandle(handle_);
        handle_ = nullptr;
    }
    name_.clear();
    size_ = 0;
}

}  // namespace os
