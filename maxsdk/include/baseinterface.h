#pragma once
// Stand-in for the host SDK's interface servers: objects the host can ask for further interfaces
// by identifier. The plug-in's objects answer no interface of their own.

#include "maxheap.h"
#include "maxtypes.h"

class BaseInterface;

// The identifier of an interface: two 32-bit parts, as Class_ID.
class Interface_ID {
public:
    Interface_ID() = default;
    Interface_ID(ULONG partA, ULONG partB) : a_(partA), b_(partB) {}
    ULONG PartA() const { return a_; }
    ULONG PartB() const { return b_; }
    bool operator==(const Interface_ID& other) const { return a_ == other.a_ && b_ == other.b_; }

private:
    ULONG a_ = 0xFFFFFFFF;
    ULONG b_ = 0xFFFFFFFF;
};

class InterfaceServer : public MaxHeapOperators {
public:
    virtual ~InterfaceServer() = default;
    virtual BaseInterface* GetInterface(Interface_ID /*id*/) { return nullptr; }
};

class BaseInterface : public InterfaceServer {
public:
    virtual Interface_ID GetID() { return Interface_ID(); }
};

// A server that keeps a list of extension interfaces (none here).
class BaseInterfaceServer : public InterfaceServer {
public:
    virtual int NumInterfaces() const { return 0; }
    virtual BaseInterface* GetInterfaceAt(int /*index*/) const { return nullptr; }
};
