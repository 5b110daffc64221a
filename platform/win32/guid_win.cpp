// Win32 calls only.
#include "platform/win32/windows_api.h"

#include <objbase.h>

#include <cstring>

#include "platform/fault_injection.h"
#include "platform/guid.h"
#include "platform/last_error.h"

namespace os {

bool NewGuid(Guid& guid) {
    const FaultPoint fault("NewGuid", kErrorNotEnoughMemory);
    if (fault.Failed()) {
        return false;
    }
    GUID made{};
    const HRESULT result = ::CoCreateGuid(&made);
    if (FAILED(result)) {
        ::SetLastError(static_cast<DWORD>(result));
        return false;
    }
    guid.data1 = made.Data1;
    guid.data2 = made.Data2;
    guid.data3 = made.Data3;
    std::memcpy(guid.data4, made.Data4, sizeof guid.data4);
    return true;
}

}  // namespace os
