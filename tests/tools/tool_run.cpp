#include "tests/tools/tool_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

extern char** environ;

namespace testing_support {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

Json::Value ToolRun::Json() const {
    Json::Value value;
    Json::CharReaderBuilder builder;
    builder["failIfExtra"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    if (!reader->parse(out.data(), out.data() + out.size(), &value, &errors)) {
        return Json::Value(Json::nullValue);
    }
    return value;
}

pid_t StartTool(const std::string& program, const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment, int out, int err) {
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    // The given variables first, then the test's own ones that they do not replace.
    std::vector<std::string> variables(environment);
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string variable(*entry);
        std::string name = variable.substr(0, variable.find('=') + 1);
        bool replaced = false;
        for (const std::string& given : environment) {
            replaced = replaced || given.rfind(name, 0) == 0;
        }
        if (!replaced) {
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
    char outTemplate[] = "/tmp/zep-tool-out-XXXXXX";
    char errTemplate[] = "/tmp/zep-tool-err-XXXXXX";
    int outFile = ::mkstemp(outTemplate);
    int errFile = ::mkstemp(errTemplate);
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
    run.out = ReadAll(outTemplate);
    run.err = ReadAll(errTemplate);
    std::remove(outTemplate);
    std::remove(errTemplate);
    return run;
}

}  // namespace testing_support
