#pragma once
// Stand-in for the host's MAXScript entry point: runs a script text in the host's interpreter,
// synchronously, and answers whether it ran.

#include "ifnpub.h"
#include "maxscript/ScriptSource.h"
#include "platform/win/window_types.h"
#include "strbasic.h"

BOOL ExecuteMAXScriptScript(const MCHAR* script, MAXScript::ScriptSource source,
                            BOOL quietErrors = FALSE, FPValue* result = nullptr,
                            BOOL logQuietErrors = TRUE);
