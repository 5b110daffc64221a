#pragma once
// GUIDs as CoCreateGuid makes them: 16 random bytes with the version 4 and variant bits set.

#include <cstdint>

namespace os {

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
};

// False only when the system gave no random bytes.
bool NewGuid(Guid& guid);

}  // namespace os
