#pragma once
// MD5 digests (RFC 1321).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace os {

std::array<uint8_t, 16> Md5(std::string_view bytes);
// The digest as 32 lower-case hexadecimal characters.
std::string Md5Hex(std::string_view bytes);

}  // namespace os
