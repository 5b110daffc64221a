#pragma once
// A `farm-client serve` child process, and a client that talks to it as the plug-in does.

#include <json/json.h>
#include <sys/types.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class ServeProcess {
public:
    ServeProcess() = default;
    ~ServeProcess();
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
    void ReadOutput(int descriptor);

    pid_t pid_ = -1;
    int port_ = 0;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string output_;
    bool ended_ = false;
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
