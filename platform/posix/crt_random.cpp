#include "platform/crt_random.h"

#include <atomic>

namespace os {
namespace {
std::atomic<uint32_t> crtRandState{1};
}

void CrtSrand(uint32_t seed) {
    crtRandState.store(seed, std::memory_order_relaxed);
}

int CrtRand() {
    uint32_t state = crtRandState.load(std::memory_order_relaxed);
    uint32_t next = 0;
    do {
        next = state * 214013u + 2531011u;
    } while (!crtRandState.compare_exchange_weak(state, next, std::memory_order_relaxed));
    return static_cast<int>((next >> 16) & 0x7FFFu);
}

}  // namespace os
