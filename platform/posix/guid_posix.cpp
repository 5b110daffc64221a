// POSIX calls only.
#include <sys/random.h>

#include <cerrno>
#include <cstring>

#include "platform/fault_injection.h"
#include "platform/guid.h"
#include "platform/last_error.h"
#include "platform/posix/errno_table.h"

namespace os {

bool NewGuid(Guid& guid) {
    const FaultPoint fault("NewGuid", kErrorNotEnoughMemory);
    if (fault.Failed()) {
        return false;
    }
    uint8_t bytes[16];
    size_t filled = 0;
    while (filled < sizeof bytes) {
        ssize_t got = ::getrandom(bytes + filled, sizeof bytes - filled, 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            SetLastFileError(errno);
            return false;
        }
        filled += static_cast<size_t>(got);
    }
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    // Fields read big-endian, so the text form shows the bytes in order, version digit included.
    guid.data1 = static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
                 static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
    guid.data2 = static_cast<uint16_t>(bytes[4] << 8 | bytes[5]);
    guid.data3 = static_cast<uint16_t>(bytes[6] << 8 | bytes[7]);
    std::memcpy(guid.data4, bytes + 8, 8);
    return true;
}

}  // namespace os
