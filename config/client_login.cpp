#include "config/client_login.h"

#include <cstring>

#include "log/operation_failures.h"
#include "platform/last_error.h"
#include "platform/shared_memory.h"
#include "text/conversions.h"

namespace {

// The section's text up to its first zero byte, never more than the buffer's 4096 bytes.
bool ReadSectionText(const std::u16string& name, std::string& text) {
    std::string bytes;
    if (!os::ReadSharedMemory(name, kLoginSectionBufferSize, bytes)) {
        // No section is a client that is not logged in; anything else is worth a line.
        const uint32_t error = os::GetLastError();
        if (!IsNotFoundError(error)) {
            pmx_Logger log("pmx_data", 5, 2, 0);
            LogFailedOperation(log, "OpenFileMapping", name, error);
        }
        return false;
    }
    text.assign(bytes.data(), ::strnlen(bytes.data(), bytes.size()));
    return true;
}

}  // namespace

void ReadClientLogin(ClientLogin& login) {
    std::string userName;
    if (!ReadSectionText(kUserNameSection, userName)) {
        return;
    }
    login.userName = FromUtf8(userName);
    std::string savePath;
    if (!ReadSectionText(kSavePathSection, savePath)) {
        return;
    }
    login.savePath = FromUtf8(savePath);
    login.savePathUtf8 = savePath;
    login.complete = true;
}
