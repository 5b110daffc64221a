// Win32 calls only.
#include "platform/win32/windows_api.h"

#include "platform/fault_injection.h"
#include "platform/last_error.h"
#include "platform/process.h"

namespace os {

bool RunProcessAndWait(const std::u16string& commandLine, uint32_t& exitCode) {
    const FaultPoint fault("RunProcessAndWait", kErrorNotEnoughMemory);
    if (fault.Failed()) {
        return false;
    }
    // CreateProcessW may write into the command line: it gets a copy of its own.
    std::u16string writable = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(writable.data()), nullptr, nullptr,
                          FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    ::CloseHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    const bool known = ::GetExitCodeProcess(process.hProcess, &code) != 0;
    ::CloseHandle(process.hProcess);
    if (known) {
        exitCode = code;
    }
    return known;
}

}  // namespace os
