#pragma once
// Stand-in for the host's global utility plug-in base: created once by the host, started after
// creation, stopped at the host's end, then deleted through DeleteThis.

#include "baseinterface.h"
#include "maxheap.h"
#include "maxscript/ScriptSource.h"
#include "strbasic.h"

class BitmapManager;
class DllDir;
class Interface;
class ITreeEnumProc;
class ISave;
class ILoad;

// Results of Save and Load.
enum IOResult { IO_OK = 0, IO_ERROR = 2 };

inline constexpr DWORD GUPRESULT_KEEP = 0x00;
inline constexpr DWORD GUPRESULT_NOKEEP = 0x01;
inline constexpr DWORD GUPRESULT_ABORT = 0x03;

class GUP : public InterfaceServer {
public:
    GUP();
    ~GUP() override;

    // The host's module, main window, plug-in folders and core interface.
    virtual HINSTANCE MaxInst();
    virtual HWND MaxWnd();
    virtual DllDir* MaxDllDir();
    virtual Interface* Max();
    virtual BitmapManager* Bmi();
    virtual int EnumTree(ITreeEnumProc* proc);
    // Runs a MAXScript text, or a script file, in the host's interpreter.
    virtual bool ExecuteStringScript(const MCHAR* script, MAXScript::ScriptSource source);
    virtual bool ExecuteFileScript(const MCHAR* file);

    // Called once after creation; GUPRESULT_KEEP keeps the plug-in loaded.
    virtual DWORD Start() = 0;
    virtual void Stop() = 0;
    virtual DWORD_PTR Control(DWORD /*parameter*/) { return 0; }
    virtual IOResult Save(ISave* save);
    virtual IOResult Load(ILoad* load);
    virtual void DeleteThis() = 0;
};
