#pragma once
// The process's standard output taken over, so that what the plug-in writes there (with
// std::cout or printf, from any copy of the C++ runtime's streams) becomes events of the
// session while max-sim prints its own report to the original standard output.
//
// Standard output (descriptor 1) is pointed at an unlinked temporary file; Drain reads what was
// written since the last call. A file, unlike a pipe, never blocks a writer that outpaces us.

#include <cstdio>
#include <string>
#include <vector>

namespace maxsim {

class StdoutCapture {
public:
    StdoutCapture() = default;
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // False (and standard output left alone) when the descriptors cannot be set up.
    bool Start();
    // The lines written since the last call (without their line ends). A last line without a
    // line end waits for the next call, unless `all` is set.
    std::vector<std::string> Drain(bool all);
    // Where max-sim prints: the original standard output (stdout before Start).
    FILE* Output() const { return output_ != nullptr ? output_ : stdout; }

private:
    // The complete lines of what was read so far, and the last one too when `all` is set.
    std::vector<std::string> TakeLines(bool all);

    int file_ = -1;
    long long offset_ = 0;
    std::string pending_;
    FILE* output_ = nullptr;
};

}  // namespace maxsim
