#include "client/request_id.h"

#include <cstdio>

#include "log/pmx_logger.h"
#include "platform/guid.h"

std::u16string NewRequestId() {
    os::Guid guid;
    if (!os::NewGuid(guid)) {
        pmx_Logger log("pmx_http", 2, 5, 0);
        log.Write("The GUID generate failed!", "ERROR");
        return {};
    }
    char text[40] = {};
    const int length =
        std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                      static_cast<unsigned>(guid.data1), static_cast<unsigned>(guid.data2),
                      static_cast<unsigned>(guid.data3), static_cast<unsigned>(guid.data4[0]),
                      static_cast<unsigned>(guid.data4[1]), static_cast<unsigned>(guid.data4[2]),
                      static_cast<unsigned>(guid.data4[3]), static_cast<unsigned>(guid.data4[4]),
                      static_cast<unsigned>(guid.data4[5]), static_cast<unsigned>(guid.data4[6]),
                      static_cast<unsigned>(guid.data4[7]));
    // Hexadecimal digits and hyphens only: each character is its own UTF-16 unit.
    return std::u16string(text, text + length);
}
