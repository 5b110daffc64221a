#pragma once
// Stand-in for the host SDK's function publishing: the value holder a MAXScript run may put its
// result in (the plug-in only initialises and frees it), and the interface bases that published
// classes such as ActionTable derive from.

#include "baseinterface.h"
#include "maxheap.h"

class FPValue : public MaxHeapOperators {
public:
    FPValue() { Init(); }
    FPValue(const FPValue&) = default;
    FPValue& operator=(const FPValue&) = default;
    ~FPValue() { Free(); }

    void Init() { type = 0; }
    void Free() { type = 0; }

    int type = 0;
};

class FPInterface : public BaseInterface {};

// An interface implemented by the object itself rather than by a separate descriptor.
class FPMixinInterface : public FPInterface {};
