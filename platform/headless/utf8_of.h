#pragma once
// UTF-8 of window texts for dumps and logs, on every window system.

#include <string>

namespace win::headless {

// Ill-formed UTF-16 (a lone surrogate) becomes U+FFFD.
std::string Utf8Of(const std::u16string& text);

}  // namespace win::headless
