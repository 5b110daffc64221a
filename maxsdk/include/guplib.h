#pragma once
// Stand-in for the host's global utility plug-in base: created once by the host, started after
// creation, stopped at the host's end, then deleted through DeleteThis.

#include "baseinterface.h"
#include "maxapi.h"
#include "maxheap.h"
#include "maxscript/maxscript.h"

class BitmapManager;
class ITreeEnumProc;
class ISave;
class ILoad;

// Results of Save and Load.
enum IOResult { IO_OK = 0, IO_ERROR = 2 };

class GUP : public InterfaceServer {
public:
    GUP() = default;
    ~GUP() override = default;

    // The host's module, main window, plug-in folder and core interface.
    virtual HINSTANCE MaxInst() { return nullptr; }
    virtual HWND MaxWnd() {
        Interface* core = GetCOREInterface();
        return core != nullptr ? core->GetMAXHWnd() : nullptr;
    }
    virtual const MCHAR* MaxDllDir() { return u""; }
    virtual Interface* Max() { return GetCOREInterface(); }
    virtual BitmapManager* Bmi() { return nullptr; }
    virtual int EnumTree(ITreeEnumProc* /*proc*/) { return 0; }
    // Runs a MAXScript text, or a script file, in the host's interpreter.
    virtual bool ExecuteStringScript(const MCHAR* script, MAXScript::ScriptSource source) {
        return ExecuteMAXScriptScript(script, source) != FALSE;
    }
    virtual bool ExecuteFileScript(const MCHAR* /*file*/,
                                   MSTR* /*capturedErrorMessage*/ = nullptr) {
        return false;
    }

    // Called once after creation; GUPRESULT_KEEP (0) keeps the plug-in loaded.
    virtual DWORD Start() = 0;
    virtual void Stop() = 0;
    virtual DWORD_PTR Control(DWORD /*parameter*/) { return 0; }
    virtual IOResult Save(ISave* /*save*/) { return IO_OK; }
    virtual IOResult Load(ILoad* /*load*/) { return IO_OK; }
    virtual void DeleteThis() { delete this; }
};

inline constexpr DWORD GUPRESULT_KEEP = 0x00;
inline constexpr DWORD GUPRESULT_NOKEEP = 0x01;
inline constexpr DWORD GUPRESULT_ABORT = 0x03;
