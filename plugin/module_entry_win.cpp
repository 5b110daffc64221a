// Win32 calls only. The library entry point on Windows: the loader calls DllMain with the
// module's handle when it maps the module.
#include <windows.h>

#include "plugin/module_entry.h"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        AttachModule(module);
        ::DisableThreadLibraryCalls(module);
    }
    return TRUE;
}
