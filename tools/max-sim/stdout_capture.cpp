// POSIX calls only.
#include "tools/max-sim/stdout_capture.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

namespace maxsim {

StdoutCapture::~StdoutCapture() {
    if (output_ != nullptr) {
        std::fflush(output_);
    }
}

bool StdoutCapture::Start() {
    std::cout.flush();
    std::fflush(stdout);
    char name[] = "/tmp/max-sim-stdout-XXXXXX";
    int file = ::mkstemp(name);
    if (file < 0) {
        return false;
    }
    ::unlink(name);
    int original = ::dup(STDOUT_FILENO);
    if (original < 0 || ::dup2(file, STDOUT_FILENO) < 0) {
        ::close(file);
        if (original >= 0) {
            ::close(original);
        }
        return false;
    }
    ::fcntl(original, F_SETFD, FD_CLOEXEC);
    file_ = file;
    output_ = ::fdopen(original, "w");
    return output_ != nullptr;
}

std::vector<std::string> StdoutCapture::Drain(bool all) {
    if (file_ < 0) {
        return {};
    }
    std::cout.flush();
    std::fflush(stdout);
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::pread(file_, buffer, sizeof buffer, static_cast<off_t>(offset_))) > 0) {
        pending_.append(buffer, static_cast<size_t>(got));
        offset_ += got;
    }
    return TakeLines(all);
}

}  // namespace maxsim
