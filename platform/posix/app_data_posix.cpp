// POSIX calls only.
#include <cstdlib>
#include <string>

#include "platform/app_data.h"
#include "platform/code_page.h"
#include "platform/utf8_codec.h"

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
    // Windows hands the folder over in UTF-16: no conversion of the plug-in's stands in for it.
    std::u16string wide;
    return WellFormedUtf8ToUtf16(folder, wide) ? wide : MultiByteToWide(kCodePageUtf8, folder);
}

}  // namespace os
