#pragma once
// Stand-in for the host's global utility plug-in base: started once by the host, stopped at
// its end.

#include "maxapi.h"
#include "maxheap.h"

class InterfaceServer : public MaxHeapOperators {
public:
    virtual ~InterfaceServer() = default;
};

class GUP : public InterfaceServer {
public:
    GUP() = default;
    ~GUP() override = default;

    HINSTANCE MaxInst() { return nullptr; }
    HWND MaxWnd() {
        return GetCOREInterface() != nullptr ? GetCOREInterface()->GetMAXHWnd() : nullptr;
    }
    Interface* Max() { return GetCOREInterface(); }

    virtual DWORD Start() = 0;
    virtual void Stop() = 0;
    virtual DWORD_PTR Control(DWORD /*parameter*/) { return 0; }
    virtual void DeleteThis() { delete this; }
};

// The plug-in stays loaded and is started (Start's answer).
inline constexpr DWORD GUPRESULT_KEEP = 0x01;
inline constexpr DWORD GUPRESULT_NOKEEP = 0x00;
