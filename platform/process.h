#pragma once
// Starting a program from a Windows command line and waiting for its end.

#include <cstdint>
#include <string>

namespace os {

// CreateProcessW with no application name (the program is found by FindProgram's rule), no
// window, the caller's environment and folder; then waits without a time limit. Returns whether
// the process started; exitCode receives its exit code (on Linux 128 + the signal number when a
// signal ended it). No shell is involved; the program has no console (on Linux its standard
// streams are /dev/null).
bool RunProcessAndWait(const std::u16string& commandLine, uint32_t& exitCode);

}  // namespace os
