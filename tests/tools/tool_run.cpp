#include "tests/tools/tool_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

extern char** environ;

namespace testing_support {

Json::Value ParseJson(const std::string& text) {
    Json::CharReaderBuilder builder;
    builder["failIfExtra"] = true;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value value;
    std::string errors;
    const bool parsed = reader->parse(text.data(), text.data() + text.size(), &value, &errors);
    return parsed ? value : Json::Value();
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

pid_t StartTool(const std::string& program, const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment, int out, int err) {
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    // The given variables first, then the test's own ones that they do not replace.
    std::vector<std::string> variables(environment);
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable(*entry);
        const std::string name = variable.substr(0, variable.find('=') + 1);
        if (std::ranges::none_of(
                environment, [&](const std::string& given) { return given.starts_with(name); })) {
            variables.push_back(variable);
        }
    }
    auto pointers = [](std::vector<std::string>& texts) {
        std::vector<char*> list;
        for (std::string& text : texts) {
            list.push_back(text.data());
        }
        list.push_back(nullptr);
        return list;
    };
    std::vector<char*> argv = pointers(words);
    std::vector<char*> envp = pointers(variables);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t child = -1;
    if (::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
        child = -1;
    }
    ::posix_spawn_file_actions_destroy(&actions);
    return child;
}

ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment) {
    char outName[] = "/tmp/zep-tool-out-XXXXXX";
    char errName[] = "/tmp/zep-tool-err-XXXXXX";
    const int outFile = ::mkstemp(outName);
    const int errFile = ::mkstemp(errName);
    ToolRun run;
    const pid_t child = StartTool(program, arguments, environment, outFile, errFile);
    if (child > 0) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0) {
        }
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    ::close(outFile);
    ::close(errFile);
    run.out = ReadBytes(outName);
    run.err = ReadBytes(errName);
    std::remove(outName);
    std::remove(errName);
    return run;
}

}  // namespace testing_support
