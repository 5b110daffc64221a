#pragma once
// Running a program without a shell and keeping what it printed.

#include <string>
#include <vector>

namespace farm {

struct ProgramRun {
    bool started = false;
    int exitCode = -1;   // 128 + the signal number when a signal ended it
    std::string output;  // standard output and standard error, as they came
};

// Runs arguments[0] (a path) with the given arguments, standard input from /dev/null, and
// waits for it to end.
ProgramRun RunProgram(const std::vector<std::string>& arguments);

// True when path names an executable regular file (after following links).
bool IsExecutable(const std::string& path);

}  // namespace farm
