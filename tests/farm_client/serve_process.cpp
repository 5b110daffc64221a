#include "tests/farm_client/serve_process.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <regex>
#include <thread>

#include "tests/tools/tool_run.h"

namespace testing_support {

constexpr auto kPatience = std::chrono::seconds(15);

ServeProcess::~ServeProcess() {
    Stop();
    std::remove(outputFile_.c_str());
}

bool ServeProcess::Start(const std::vector<std::string>& arguments) {
    std::remove(outputFile_.c_str());
    char name[] = "/tmp/zep-serve-XXXXXX";
    const int output = ::mkstemp(name);
    outputFile_ = name;
    std::vector<std::string> words{"serve"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    pid_ = StartTool(FARM_CLIENT_PATH, words, {}, output, output);
    ::close(output);
    // Waits for the "listening on" line while the child runs, for 15 s at most.
    static const std::regex listening(R"(listening on 127\.0\.0\.1:(\d+)\n)");
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    std::smatch match;
    for (int code = 0;
         pid_ > 0 && !Ended(false, code) && std::chrono::steady_clock::now() < deadline;
         std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
        const std::string text = Output();
        if (std::regex_search(text, match, listening)) {
            port_ = std::stoi(match[1].str());
            return true;
        }
    }
    return false;
}

bool ServeProcess::Ended(bool block, int& exitCode) {
    int status = 0;
    if (::waitpid(pid_, &status, block ? 0 : WNOHANG) != pid_) {
        return false;
    }
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid_ = -1;
    return true;
}

int ServeProcess::Stop() {
    int exitCode = -1;
    if (pid_ <= 0) {
        return exitCode;
    }
    ::kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!Ended(false, exitCode)) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            Ended(true, exitCode);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return exitCode;
}

std::string ServeProcess::Output() {
    return ReadBytes(outputFile_);
}

Reply PostNotice(int port, const std::string& body) {
    Reply reply;
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = ::inet_addr("127.0.0.1");
    if (socket < 0 ||
        ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket);
        return reply;
    }
    timeval timeout{15, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    const std::string request =
        "POST / HTTP/1.1\r\nConnection: Keep-Alive\r\n"
        "Content-Type: application/json;charset=utf-8\r\n"
        "User-Agent: A WinHTTP Program For Brass Mill/1.0\r\nContent-Length: " +
        std::to_string(body.size()) + "\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n\r\n" +
        body;
    size_t sent = 0;
    while (sent < request.size()) {
        const ssize_t now = ::send(socket, request.data() + sent, request.size() - sent, 0);
        if (now <= 0) {
            break;
        }
        sent += static_cast<size_t>(now);
    }
    char buffer[2048];
    ssize_t got = 0;
    while ((got = ::recv(socket, buffer, sizeof buffer, 0)) > 0) {
        reply.raw.append(buffer, static_cast<size_t>(got));
        if (reply.firstRead.empty()) {
            reply.firstRead = reply.raw;
        }
    }
    ::close(socket);
    const size_t brace = reply.raw.find('{');
    reply.json = brace != std::string::npos ? ParseJson(reply.raw.substr(brace)) : Json::Value();
    return reply;
}

}  // namespace testing_support
