#pragma once
// Named shared memory sections (Windows file mappings; POSIX shared memory objects of the same
// names on Linux).

#include <cstddef>
#include <string>

namespace os {

// Copies the first bytes of a section that another process published, at most `limit` of
// them: OpenFileMappingW(FILE_MAP_READ), MapViewOfFile of the whole section, the copy,
// UnmapViewOfFile and CloseHandle. The view holds whole pages of 4 KiB, so the bytes after the
// section's end up to its last page's end read as zeros. False when the section cannot be
// opened; the last error says why. On Linux the bytes are read from the shared memory object up
// to its size at the time of the read, so a section that its owner shrinks meanwhile gives fewer
// bytes, never a fault.
bool ReadSharedMemory(const std::u16string& name, size_t limit, std::string& bytes);

// A section this process publishes: created with the given bytes and removed when the object
// goes. Used by the reference farm client and by tests.
class SharedMemorySection {
public:
    SharedMemorySection() = default;
    ~SharedMemorySection();
    SharedMemorySection(const SharedMemorySection&) = delete;
    SharedMemorySection& operator=(const SharedMemorySection&) = delete;

    // Creates (or replaces) the section with exactly these bytes. A section has at least one
    // byte: no bytes fail with kErrorInvalidParameter, as CreateFileMappingW does.
    bool Publish(const std::u16string& name, const std::string& bytes);
    void Remove();

private:
    std::u16string name_;
    // The mapping and its view, where the system keeps a section only while it is mapped.
    [[maybe_unused]] void* handle_ = nullptr;
    [[maybe_unused]] void* view_ = nullptr;
    [[maybe_unused]] size_t size_ = 0;
};

}  // namespace os
