#pragma once
// Makes any operation of the os seam fail on purpose, so that a whole program can be driven
// through every failure it may meet. Chosen from outside through the environment:
//   ZEP_FAULT_AT=N        the N-th operation of the run (counted from 1) fails, with the error
//                         the system gives for that operation
//   ZEP_FAULT_TRACE=FILE  each operation is appended to FILE as a line "N operation error",
//                         followed by " injected" on the one that failed
// Without them nothing is counted and every operation goes to the system.
#include <cstdint>

namespace os {

// One operation, from the start of the seam function that makes it to its return. Only the
// outermost operation of a thread counts: what the seam does on its behalf (the file read of a
// profile lookup, the path conversion of a C runtime call) is part of it, as it is inside the
// system call on Windows.
class FaultPoint {
public:
    // Counts the operation; when it is the one to fail, the last error becomes `error`.
    FaultPoint(const char* operation, uint32_t error);
    ~FaultPoint();
    FaultPoint(const FaultPoint&) = delete;
    FaultPoint& operator=(const FaultPoint&) = delete;

    // True when the operation must fail without calling the system.
    bool Failed() const { return failed_; }

private:
    bool entered_ = false;
    bool failed_ = false;
};

// Leaves this copy of the seam out of the count. A host that links the seam itself calls it
// first, so that only the plug-in's operations are counted and failed.
void ExcludeFromFaultInjection();

}  // namespace os
