// POSIX calls only.
#include <fcntl.h>
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
#include "platform/fault_injection.h"
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
    const FaultPoint fault("RunProcessAndWait", kErrorNotEnoughMemory);
    if (fault.Failed()) {
        return false;
    }
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

    // A program started without a window has no console: its standard streams lead nowhere.
    posix_spawn_file_actions_t noConsole;
    ::posix_spawn_file_actions_init(&noConsole);
    ::posix_spawn_file_actions_addopen(&noConsole, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&noConsole, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&noConsole, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, argv[0], &noConsole, nullptr, argv.data(), ::environ);
    ::posix_spawn_file_actions_destroy(&noConsole);
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
