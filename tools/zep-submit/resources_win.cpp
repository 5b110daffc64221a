// The tool's strings and dialogs on Windows: the plug-in's resource script is compiled into the
// program itself.
#include <windows.h>

#include "resources/string_loader.h"
#include "tools/zep-submit/analysis_session.h"

void LoadResources() {
    SetResourceModule(::GetModuleHandleW(nullptr));
}
