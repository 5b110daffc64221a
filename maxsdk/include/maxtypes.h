#pragma once
// Stand-in for the host SDK's basic identifiers: class identifiers and superclass identifiers.

#include "platform/win/window_types.h"

using ULONG = unsigned long;
using SClass_ID = ULONG;

class Class_ID {
public:
    Class_ID() = default;
    Class_ID(ULONG partA, ULONG partB) : a_(partA), b_(partB) {}
    ULONG PartA() const { return a_; }
    ULONG PartB() const { return b_; }
    bool operator==(const Class_ID& other) const { return a_ == other.a_ && b_ == other.b_; }
    bool operator!=(const Class_ID& other) const { return !(*this == other); }

private:
    ULONG a_ = 0xFFFFFFFF;
    ULONG b_ = 0xFFFFFFFF;
};
