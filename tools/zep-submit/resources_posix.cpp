// The tool's strings and dialogs on Linux: the tables built into the program, under any handle.
#include "resources/string_loader.h"
#include "tools/zep-submit/analysis_session.h"

void LoadResources() {
    SetResourceModule(reinterpret_cast<void*>(1));
}
