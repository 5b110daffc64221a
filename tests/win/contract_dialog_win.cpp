// The contract dialog as the test program's own resource (contract_dialog.rc).
#include <windows.h>

#include "tests/win/contract_dialog.h"

HINSTANCE TestDialogModule() {
    return ::GetModuleHandleW(nullptr);
}
