// MD5 through the system's cryptography (CNG).
#include "platform/win32/windows_api.h"

#include <bcrypt.h>

#include "platform/fault_injection.h"
#include "platform/last_error.h"
#include "platform/md5.h"

namespace os {
namespace {

// The algorithm provider, opened once for the process.
BCRYPT_ALG_HANDLE Md5Provider() {
    static const BCRYPT_ALG_HANDLE provider = [] {
        BCRYPT_ALG_HANDLE opened = nullptr;
        if (!BCRYPT_SUCCESS(
                ::BCryptOpenAlgorithmProvider(&opened, BCRYPT_MD5_ALGORITHM, nullptr, 0))) {
            return BCRYPT_ALG_HANDLE{nullptr};
        }
        return opened;
    }();
    return provider;
}

}  // namespace

bool Md5(std::string_view bytes, std::array<uint8_t, 16>& digest) {
    const FaultPoint fault("Md5", kErrorNotEnoughMemory);
    if (fault.Failed()) {
        return false;
    }
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (Md5Provider() == nullptr ||
        !BCRYPT_SUCCESS(::BCryptCreateHash(Md5Provider(), &hash, nullptr, 0, nullptr, 0, 0))) {
        SetLastError(kErrorNotEnoughMemory);
        return false;
    }
    // The data goes in pieces: BCryptHashData takes a 32-bit length.
    constexpr size_t kPiece = size_t{1} << 30;
    bool hashed = true;
    for (size_t at = 0; hashed && at < bytes.size(); at += kPiece) {
        const size_t length = bytes.size() - at < kPiece ? bytes.size() - at : kPiece;
        hashed = BCRYPT_SUCCESS(
            ::BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data() + at)),
                             static_cast<ULONG>(length), 0));
    }
    hashed = hashed && BCRYPT_SUCCESS(::BCryptFinishHash(hash, digest.data(),
                                                         static_cast<ULONG>(digest.size()), 0));
    ::BCryptDestroyHash(hash);
    if (!hashed) {
        SetLastError(kErrorNotEnoughMemory);
    }
    return hashed;
}

}  // namespace os
