#pragma once
// A `farm-client serve` child process, and a client that talks to it as the plug-in does.

#include <json/json.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

class ServeProcess {
public:
    ServeProcess() = default;
    ~ServeProcess();  // stops the child still running
    ServeProcess(const ServeProcess&) = delete;
    ServeProcess& operator=(const ServeProcess&) = delete;

    // Runs `farm-client serve` with the arguments and waits for its "listening on" line.
    bool Start(const std::vector<std::string>& arguments);
    int Port() const { return port_; }
    // Sends SIGTERM and waits for the end: the exit code, or -1 when it had to be killed.
    int Stop();
    // Standard output and standard error so far.
    std::string Output();

private:
    // Whether the child has ended, and its exit code then; waits for it when `block`.
    bool Ended(bool block, int& exitCode);

    pid_t pid_ = -1;
    int port_ = 0;
    std::string outputFile_;  // both output streams go to this temporary file
};

struct Reply {
    std::string firstRead;  // what a single recv got, as the plug-in reads it
    std::string raw;        // the whole answer
    Json::Value json;       // the answer from its first "{" (null when that is not JSON)
};

// Posts body to 127.0.0.1:port with the plug-in's header lines on a new connection and reads
// the answer until the server closes the connection.
Reply PostNotice(int port, const std::string& body);

}  // namespace testing_support
