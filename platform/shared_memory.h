#pragma once
// Named shared memory sections (Windows file mappings; POSIX shared memory objects of the same
// names on Linux).

#include <cstddef>
#include <string>

namespace os {

// A read-only view of a whole section that another process published.
class SharedMemoryView {
public:
    SharedMemoryView() = default;
    ~SharedMemoryView();
    SharedMemoryView(const SharedMemoryView&) = delete;
    SharedMemoryView& operator=(const SharedMemoryView&) = delete;

    // OpenFileMappingW(FILE_MAP_READ) and MapViewOfFile of the whole section.
    bool Open(const std::u16string& name);
    const char* Data() const { return data_; }
    // The bytes that may be read; a Windows view is at least the section's size.
    size_t Size() const { return size_; }
    void Close();

private:
    const char* data_ = nullptr;
    size_t size_ = 0;
    [[maybe_unused]] void* handle_ = nullptr;  // the mapping, where the system has one
};

// A section this process publishes: created with the given bytes and removed when the object
// goes. Used by the reference farm client and by tests.
class SharedMemorySection {
public:
    SharedMemorySection() = default;
    ~SharedMemorySection();
    SharedMemorySection(const SharedMemorySection&) = delete;
    SharedMemorySection& operator=(const SharedMemorySection&) = delete;

    // Creates (or replaces) the section with exactly these bytes.
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
