// Win32 calls only: the thread's own last error.
#include "platform/win32/windows_api.h"

#include "platform/last_error.h"

namespace os {

uint32_t GetLastError() {
    return ::GetLastError();
}
void SetLastError(uint32_t code) {
    ::SetLastError(code);
}

}  // namespace os
