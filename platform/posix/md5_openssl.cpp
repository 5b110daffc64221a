// OpenSSL's MD5, on every platform that links OpenSSL.
#include <openssl/evp.h>

#include "platform/md5.h"

namespace os {

std::array<uint8_t, 16> Md5(std::string_view bytes) {
    std::array<uint8_t, 16> digest{};
    unsigned int length = 0;
    ::EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, ::EVP_md5(), nullptr);
    return digest;
}

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
