#pragma once
// MD5 digests (RFC 1321).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace os {

// False, with the last error set, when the system could not compute it.
bool Md5(std::string_view bytes, std::array<uint8_t, 16>& digest);
// The digest as 32 lower-case hexadecimal characters.
bool Md5Hex(std::string_view bytes, std::string& hex);

}  // namespace os
