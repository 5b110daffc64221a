#include "tests/farm_client/serve_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <regex>

#include "tests/tools/tool_run.h"

namespace testing_support {
namespace {

constexpr auto kPatience = std::chrono::seconds(15);

bool ParseJson(const std::string& text, Json::Value& value) {
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    return reader->parse(text.data(), text.data() + text.size(), &value, &errors);
}

}  // namespace

ServeProcess::~ServeProcess() {
    if (pid_ > 0) {
        Stop();
    }
}

bool ServeProcess::Start(const std::vector<std::string>& arguments) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        output_.clear();
        ended_ = false;
    }
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return false;
    }
    std::vector<std::string> words{"serve"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    pid_ = StartTool(FARM_CLIENT_PATH, words, {}, pipeEnds[1], pipeEnds[1]);
    ::close(pipeEnds[1]);
    if (pid_ < 0) {
        ::close(pipeEnds[0]);
        return false;
    }
    reader_ = std::thread(&ServeProcess::ReadOutput, this, pipeEnds[0]);

    static const std::regex listening(R"(listening on 127\.0\.0\.1:(\d+)\n)");
    std::smatch match;
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, kPatience,
                      [&] { return ended_ || std::regex_search(output_, match, listening); });
    if (match.empty()) {
        return false;
    }
    port_ = std::stoi(match[1].str());
    return true;
}

void ServeProcess::ReadOutput(int descriptor) {
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        if (got <= 0) {
            ended_ = true;
            changed_.notify_all();
            break;
        }
        output_.append(buffer, static_cast<size_t>(got));
        changed_.notify_all();
    }
    ::close(descriptor);
}

int ServeProcess::Stop() {
    if (pid_ <= 0) {
        return -1;
    }
    ::kill(pid_, SIGTERM);
    int status = 0;
    int exitCode = -1;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    for (;;) {
        const pid_t waited = ::waitpid(pid_, &status, WNOHANG);
        if (waited == pid_) {
            exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid_ = -1;
    if (reader_.joinable()) {
        reader_.join();
    }
    return exitCode;
}

std::string ServeProcess::Output() {
    std::lock_guard<std::mutex> lock(mutex_);
    return output_;
}

Reply PostNotice(int port, const std::string& body) {
    Reply reply;
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket < 0) {
        return reply;
    }
    timeval timeout{15, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = ::inet_addr("127.0.0.1");
    if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket);
        return reply;
    }
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
    bool first = true;
    for (;;) {
        const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
        if (got <= 0) {
            break;
        }
        reply.raw.append(buffer, static_cast<size_t>(got));
        if (first) {
            reply.firstRead = reply.raw;
            first = false;
        }
    }
    ::close(socket);
    const size_t brace = reply.raw.find('{');
    if (brace == std::string::npos || !ParseJson(reply.raw.substr(brace), reply.json)) {
        reply.json = Json::Value(Json::nullValue);
    }
    return reply;
}

}  // namespace testing_support
