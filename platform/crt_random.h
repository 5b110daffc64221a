#pragma once
// The Windows C runtime's srand/rand generator, the same sequence on every platform:
// state = state * 214013 + 2531011, rand = (state >> 16) & 0x7FFF. One state for the process,
// starting at 1 as the runtime's does.

#include <cstdint>

namespace os {

inline constexpr int kCrtRandMax = 0x7FFF;

void CrtSrand(uint32_t seed);
int CrtRand();

}  // namespace os
