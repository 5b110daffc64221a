#pragma once

#include <string>
#include <string_view>

// The bytes a Windows text-mode stream puts on disk for `text`: every LF becomes CR LF.
std::string TextModeBytes(std::string_view text);
