#include "tests/client/raw_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <utility>

namespace client_test {
namespace {

constexpr int kPollMilliseconds = 50;
constexpr auto kGiveUpAfter = std::chrono::seconds(20);
constexpr auto kPauseBetweenPieces = std::chrono::milliseconds(300);

int ListenOnLoopback(uint16_t& port) {
    int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) {
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 1) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(listener);
        return -1;
    }
    port = ntohs(address.sin_port);
    return listener;
}

// Waits until `descriptor` is readable; false when the time is up or the server stops.
bool WaitReadable(int descriptor, const std::atomic<bool>& stopping) {
    auto deadline = std::chrono::steady_clock::now() + kGiveUpAfter;
    while (!stopping.load() && std::chrono::steady_clock::now() < deadline) {
        pollfd entry{descriptor, POLLIN, 0};
        int ready = ::poll(&entry, 1, kPollMilliseconds);
        if (ready > 0) {
            return true;
        }
    }
    return false;
}

void SendAll(int connection, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t result = ::send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (result <= 0) {
            return;
        }
        sent += static_cast<size_t>(result);
    }
}

// True when `request` holds a whole head and as many body bytes as its Content-Length says.
bool RequestComplete(const std::string& request) {
    size_t headEnd = request.find("\r\n\r\n");
    if (headEnd == std::string::npos) {
        return false;
    }
    const std::string field = "Content-Length: ";
    size_t at = request.find(field);
    if (at == std::string::npos || at > headEnd) {
        return true;
    }
    size_t length = std::strtoul(request.c_str() + at + field.size(), nullptr, 10);
    return request.size() >= headEnd + 4 + length;
}

}  // namespace

RawServer::RawServer(std::string answer, Ending ending, std::string secondPiece)
    : answer_(std::move(answer)), ending_(ending), secondPiece_(std::move(secondPiece)) {
    listener_ = ListenOnLoopback(port_);
    if (listener_ >= 0) {
        thread_ = std::thread([this] { Serve(); });
    }
}

RawServer::~RawServer() {
    stopping_.store(true);
    if (thread_.joinable()) {
        thread_.join();
    }
    if (listener_ >= 0) {
        ::close(listener_);
    }
}

const std::string& RawServer::Received() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return received_;
}

void RawServer::Serve() {
    if (!WaitReadable(listener_, stopping_)) {
        return;
    }
    int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) {
        return;
    }
    if (ending_ != Ending::CloseBeforeReading) {
        ReadRequest(connection);
    }
    switch (ending_) {
        case Ending::Answer:
            SendAll(connection, answer_);
            break;
        case Ending::AnswerInTwoPieces:
            SendAll(connection, answer_);
            std::this_thread::sleep_for(kPauseBetweenPieces);
            SendAll(connection, secondPiece_);
            break;
        case Ending::CloseWithoutAnswer:
        case Ending::CloseBeforeReading:
            break;
    }
    ::close(connection);
}

void RawServer::ReadRequest(int connection) {
    char chunk[65536];
    while (!RequestComplete(received_) && WaitReadable(connection, stopping_)) {
        ssize_t got = ::recv(connection, chunk, sizeof chunk, 0);
        if (got <= 0) {
            return;
        }
        received_.append(chunk, static_cast<size_t>(got));
    }
}

uint16_t UnusedPort() {
    uint16_t port = 0;
    int listener = ListenOnLoopback(port);
    if (listener >= 0) {
        ::close(listener);
    }
    return port;
}

}  // namespace client_test
