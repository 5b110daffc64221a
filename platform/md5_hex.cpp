#include "platform/md5.h"

namespace os {

std::string Md5Hex(std::string_view bytes) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(32);
    for (uint8_t byte : Md5(bytes)) {
        hex.push_back(kHexDigits[byte >> 4]);
        hex.push_back(kHexDigits[byte & 0x0F]);
    }
    return hex;
}

}  // namespace os
