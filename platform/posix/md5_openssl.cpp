// OpenSSL's MD5, on every platform that links OpenSSL.
#include <openssl/evp.h>

#include "platform/fault_injection.h"
#include "platform/last_error.h"
#include "platform/md5.h"

namespace os {

bool Md5(std::string_view bytes, std::array<uint8_t, 16>& digest) {
    const FaultPoint fault("Md5", kErrorNotEnoughMemory);
    if (fault.Failed()) {
        return false;
    }
    unsigned int length = 0;
    if (::EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, ::EVP_md5(), nullptr) !=
        1) {
        SetLastError(kErrorNotEnoughMemory);
        return false;
    }
    return true;
}

}  // namespace os
