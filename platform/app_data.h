#pragma once
// The all-users application-data folder, the root of the plug-in data folder.

#include <string>

namespace os {

// Windows: CSIDL_COMMON_APPDATA as the shell returns it (back-slashes, no trailing separator).
// Linux: $PROGRAMDATA when set and not empty, else $HOME/.local/share/ProgramData, else
// /var/tmp/ProgramData. The folder is not created.
std::u16string CommonAppDataFolder();

}  // namespace os
