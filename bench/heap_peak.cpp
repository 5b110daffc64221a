#include "bench/heap_peak.h"

#include <malloc.h>

#include <atomic>
#include <cerrno>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<bool> g_counting{false};
std::atomic<long long> g_held{0};
std::atomic<long long> g_peak{0};

// Outside a measurement a block is not even looked at.
long long Usable(void* block) {
    return block == nullptr || !g_counting.load(std::memory_order_relaxed)
               ? 0
               : static_cast<long long>(malloc_usable_size(block));
}

void Count(long long bytes) {
    if (bytes == 0) {
        return;
    }
    const long long held = g_held.fetch_add(bytes) + bytes;
    long long peak = g_peak.load();
    while (held > peak && !g_peak.compare_exchange_weak(peak, held)) {
    }
}

void* Counted(void* block) {
    Count(Usable(block));
    return block;
}

}  // namespace

extern "C" {

void* malloc(size_t size) {
    return Counted(__libc_malloc(size));
}

void* calloc(size_t count, size_t size) {
    return Counted(__libc_calloc(count, size));
}

void* realloc(void* block, size_t size) {
    const long long before = Usable(block);
    void* moved = __libc_realloc(block, size);
    if (moved == nullptr && size != 0) {
        return nullptr;  // the block stays as it was
    }
    Count(-before);
    return Counted(moved);
}

void free(void* block) {
    Count(-Usable(block));
    __libc_free(block);
}

void* memalign(size_t alignment, size_t size) {
    return Counted(__libc_memalign(alignment, size));
}

void* aligned_alloc(size_t alignment, size_t size) {
    return Counted(__libc_memalign(alignment, size));
}

int posix_memalign(void** block, size_t alignment, size_t size) {
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) {
        return EINVAL;
    }
    void* aligned = Counted(__libc_memalign(alignment, size));
    if (aligned == nullptr) {
        return ENOMEM;
    }
    *block = aligned;
    return 0;
}

}  // extern "C"

size_t PeakHeapBytes(const std::function<void()>& work) {
    g_held = 0;
    g_peak = 0;
    g_counting = true;
    work();
    g_counting = false;
    return static_cast<size_t>(g_peak.load());
}
