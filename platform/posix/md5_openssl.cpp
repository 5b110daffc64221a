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

}  // namespace os
