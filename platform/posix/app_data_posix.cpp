// POSIX calls only.
#include <cstdlib>
#include <string>

#include "platform/app_data.h"
#include "platform/code_page.h"

namespace os {

std::u16string CommonAppDataFolder() {
    std::string folder;
    if (const char* programData = std::getenv("PROGRAMDATA"); programData && *programData) {
        folder = programData;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        folder = std::string(home) + "/.local/share/ProgramData";
    } else {
        folder = "/var/tmp/ProgramData";
    }
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return MultiByteToWide(kCodePageUtf8, folder);
}

}  // namespace os
