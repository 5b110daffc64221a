#pragma once
// A one-connection TCP server on 127.0.0.1 for the client link tests: it accepts one
// connection, reads the request until its Content-Length is complete (unless told not to read),
// sends the answer, pauses and sends the second piece when there is one, then closes.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>

#include "tests/support/loopback.h"

namespace client_test {

using testing_support::kNoSocket;
using testing_support::SocketHandle;

// A port on 127.0.0.1 where nothing listens (bound once, then released).
inline uint16_t UnusedPort() {
    uint16_t port = 0;
    testing_support::CloseSocket(testing_support::ListenOnLoopback(port));
    return port;
}

class RawServer {
public:
    explicit RawServer(std::string answer, std::string secondPiece = {}, bool readRequest = true)
        : listener_(testing_support::ListenOnLoopback(port_)),
          received_(std::async(std::launch::async,
                               [=, this] { return Serve(answer, secondPiece, readRequest); })) {}
    ~RawServer() {
        stopping_ = true;  // ends an accept still waiting
        if (received_.valid()) {
            received_.wait();
        }
        testing_support::CloseSocket(listener_);
    }

    uint16_t Port() const { return port_; }
    // Waits until the conversation is over and gives the bytes received.
    std::string Received() { return received_.get(); }

private:
    // True when `request` holds a whole head and as many body bytes as its Content-Length says.
    static bool Complete(const std::string& request) {
        const size_t end = request.find("\r\n\r\n");
        const size_t at = request.find("Content-Length: ");
        return end != std::string::npos &&
               (at > end ||
                request.size() >= end + 4 + std::strtoul(&request[at + 16], nullptr, 10));
    }

    static void SendAll(SocketHandle connection, const std::string& bytes) {
        int result = 0;
        for (size_t sent = 0; sent < bytes.size(); sent += static_cast<size_t>(result)) {
            result =
                testing_support::SendBytes(connection, bytes.data() + sent, bytes.size() - sent);
            if (result <= 0) {
                return;
            }
        }
    }

    std::string Serve(const std::string& answer, const std::string& second, bool readRequest) {
        // The connection, unless none came within 20 s or the server is going.
        SocketHandle connection = kNoSocket;
        for (int ms = 0; connection == kNoSocket && ms < 20000 && !stopping_; ms += 50) {
            connection = testing_support::AcceptConnection(listener_, 50);
        }
        std::string request;
        if (connection == kNoSocket) {
            return request;
        }
        testing_support::SetReceiveTimeout(connection, 20);
        char chunk[65536];
        while (readRequest && !Complete(request)) {
            const int got = testing_support::ReceiveBytes(connection, chunk, sizeof chunk);
            if (got <= 0) {
                break;
            }
            request.append(chunk, static_cast<size_t>(got));
        }
        SendAll(connection, answer);
        if (!second.empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            SendAll(connection, second);
        }
        testing_support::CloseSocket(connection);
        return request;
    }

    uint16_t port_ = 0;
    SocketHandle listener_ = kNoSocket;
    std::atomic<bool> stopping_{false};
    std::future<std::string> received_;
};

}  // namespace client_test
