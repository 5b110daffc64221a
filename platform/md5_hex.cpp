#include "platform/md5.h"

namespace os {

bool Md5Hex(std::string_view bytes, std::string& hex) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    hex.clear();
    std::array<uint8_t, 16> digest{};
    if (!Md5(bytes, digest)) {
        return false;
    }
    hex.reserve(32);
    for (uint8_t byte : digest) {
        hex.push_back(kHexDigits[byte >> 4]);
        hex.push_back(kHexDigits[byte & 0x0F]);
    }
    return true;
}

}  // namespace os
