// What every global utility plug-in inherits from the host's base.
#include "gup.h"

#include "maxapi.h"
#include "maxscript/maxscript.h"

GUP::GUP() = default;

GUP::~GUP() = default;

HINSTANCE GUP::MaxInst() {
    return nullptr;
}

HWND GUP::MaxWnd() {
    Interface* core = GetCOREInterface();
    return core != nullptr ? core->GetMAXHWnd() : nullptr;
}

DllDir* GUP::MaxDllDir() {
    return nullptr;
}

Interface* GUP::Max() {
    return GetCOREInterface();
}

BitmapManager* GUP::Bmi() {
    return nullptr;
}

int GUP::EnumTree(ITreeEnumProc* /*proc*/) {
    return 0;
}

bool GUP::ExecuteStringScript(const MCHAR* script, MAXScript::ScriptSource source) {
    return ExecuteMAXScriptScript(script, source) != FALSE;
}

bool GUP::ExecuteFileScript(const MCHAR* /*file*/) {
    return false;
}

IOResult GUP::Save(ISave* /*save*/) {
    return IO_OK;
}

IOResult GUP::Load(ILoad* /*load*/) {
    return IO_OK;
}
