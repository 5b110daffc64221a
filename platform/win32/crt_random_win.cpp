// The C runtime's own generator.
#include <cstdlib>

#include "platform/crt_random.h"

namespace os {

static_assert(RAND_MAX == kCrtRandMax);

void CrtSrand(uint32_t seed) {
    std::srand(seed);
}

int CrtRand() {
    return std::rand();
}

}  // namespace os
