#include "platform/last_error.h"

namespace os {
namespace {
thread_local uint32_t lastError = kErrorSuccess;
}

uint32_t GetLastError() {
    return lastError;
}
void SetLastError(uint32_t code) {
    lastError = code;
}

}  // namespace os
