#pragma once
// Stand-in for the host SDK's function-publishing value: the holder a MAXScript run may put its
// result in. The plug-in only initialises and frees it.

#include "maxheap.h"

class FPValue : public MaxHeapOperators {
public:
    FPValue() { Init(); }
    ~FPValue() { Free(); }
    FPValue(const FPValue&) = delete;
    FPValue& operator=(const FPValue&) = delete;

    void Init() { type = 0; }
    void Free() { type = 0; }

    int type = 0;
};
