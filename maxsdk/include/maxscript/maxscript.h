#pragma once
// Stand-in for the host's MAXScript entry point: runs a script text in the host's interpreter,
// synchronously, and answers whether it ran.

#include "ifnpub.h"
#include "platform/win/window_types.h"
#include "strclass.h"

namespace MAXScript {

// Where a script text comes from.
enum class ScriptSource : int {
    Dynamic = 0,
    Embedded = 1,
    NonEmbedded = 2,
    NotSpecified = 3,
};

}  // namespace MAXScript

BOOL ExecuteMAXScriptScript(const MCHAR* script, MAXScript::ScriptSource source,
                            BOOL quietErrors = FALSE, FPValue* result = nullptr,
                            BOOL logQuietErrors = TRUE);
