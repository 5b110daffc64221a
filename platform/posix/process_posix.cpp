// POSIX calls only.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/command_line.h"
#include "platform/last_error.h"
#include "platform/process.h"

namespace os {
namespace {

constexpr uint32_t kErrorGenFailure = 31;

bool IsExecutableFile(const std::u16string& path) {
    const std::string native = WideToMultiByte(kCodePageUtf8, path);
    struct stat info {};
    return ::access(native.c_str(), X_OK) == 0 && ::stat(native.c_str(), &info) == 0 &&
           S_ISREG(info.st_mode);
}

uint32_t SpawnError(int error) {
    switch (error) {
        case ENOENT:
            return kErrorFileNotFound;
        case EACCES:
            return kErrorAccessDenied;
        case ENOEXEC:
            return kErrorBadExeFormat;
        default:
            return kErrorGenFailure;
    }
}

}  // namespace

bool RunProcessAndWait(const std::u16string& commandLine, uint32_t& exitCode) {
    ProgramAndArguments found;
    if (!FindProgram(commandLine, IsExecutableFile, found)) {
        SetLastError(kErrorFileNotFound);
        return false;
    }
    std::vector<std::string> args;
    args.push_back(WideToMultiByte(kCodePageUtf8, found.program));
    for (const std::u16string& arg : SplitArguments(found.arguments)) {
        args.push_back(WideToMultiByte(kCodePageUtf8, arg));
    }
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), ::environ);
    if (error != 0) {
        SetLastError(SpawnError(error));
        return false;
    }
    int status = 0;
    pid_t waited = 0;
    do {
        waited = ::waitpid(pid, &status, 0);
    } while (waited == -1 && errno == EINTR);
    if (waited == -1) {
        // Started, but its end cannot be known: no exit code to give.
        SetLastError(kErrorGenFailure);
        return false;
    }
    if (WIFEXITED(status)) {
        exitCode = static_cast<uint32_t>(WEXITSTATUS(status));
    } else {
        exitCode = 128u + static_cast<uint32_t>(WTERMSIG(status));
    }
    return true;
}

}  // namespace os
