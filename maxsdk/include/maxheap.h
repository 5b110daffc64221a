#pragma once
// Stand-in for the host SDK's heap base: objects the host creates or deletes for a plug-in go
// through these operators.

#include <cstddef>
#include <new>

class MaxHeapOperators {
public:
    static void* operator new(std::size_t size) { return ::operator new(size); }
    static void* operator new(std::size_t size, const std::nothrow_t& tag) noexcept {
        return ::operator new(size, tag);
    }
    static void operator delete(void* pointer) noexcept { ::operator delete(pointer); }
    static void* operator new[](std::size_t size) { return ::operator new[](size); }
    static void operator delete[](void* pointer) noexcept { ::operator delete[](pointer); }
};
