#pragma once
// Runs one of the project's command-line tools and keeps what it printed.

#include <json/json.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

// `text` as exactly one JSON document; null when it is not one.
Json::Value ParseJson(const std::string& text);
// The bytes of a file; empty when it cannot be read.
std::string ReadBytes(const std::string& path);

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    // The standard output as JSON (null when it is not exactly one JSON document).
    Json::Value Json() const { return ParseJson(out); }
};

// Starts `program` with `arguments` (no shell) and the environment of the test plus
// `environment`, standard input from /dev/null and standard output and error on the descriptors
// given; the child's process id, or -1.
pid_t StartTool(const std::string& program, const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment, int out, int err);

// Runs `program` with `arguments` (no shell) and the environment of the test plus `environment`
// ("NAME=value" entries), waits for it and collects both output streams.
ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment = {});

}  // namespace testing_support
