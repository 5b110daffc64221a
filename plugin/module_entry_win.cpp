// Win32 calls only. The library entry point on Windows: the loader calls DllMain with the
// module's handle when it maps the module.
#include <windows.h>

#include "plugin/module_entry.h"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AttachModule(module)) {
            return FALSE;  // the loader unloads the module and the host goes on without it
        }
        ::DisableThreadLibraryCalls(module);
    }
    return TRUE;
}
