#pragma once
// A one-connection TCP server on 127.0.0.1 for the client link tests: it accepts one
// connection, reads the request until its Content-Length is complete (unless told not to read),
// sends the answer, pauses and sends the second piece when there is one, then closes. POSIX
// sockets; Linux only, like the tests.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>

namespace client_test {

// A socket listening on a free port of 127.0.0.1 whose accept gives up after 20 s, or -1.
inline int ListenOnLoopback(uint16_t& port) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const timeval timeout{20, 0};
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 1) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::setsockopt(listener, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout) != 0) {
        ::close(listener);
        return -1;
    }
    port = ntohs(address.sin_port);
    return listener;
}

// A port on 127.0.0.1 where nothing listens (bound once, then released).
inline uint16_t UnusedPort() {
    uint16_t port = 0;
    ::close(ListenOnLoopback(port));
    return port;
}

class RawServer {
public:
    explicit RawServer(std::string answer, std::string secondPiece = {}, bool readRequest = true)
        : listener_(ListenOnLoopback(port_)), received_(std::async(std::launch::async, [=, this] {
              return Serve(answer, secondPiece, readRequest);
          })) {}
    ~RawServer() {
        ::shutdown(listener_, SHUT_RDWR);  // wakes an accept still waiting
        if (received_.valid()) {
            received_.wait();
        }
        ::close(listener_);
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

    static void SendAll(int connection, const std::string& bytes) {
        ssize_t result = 0;
        for (size_t sent = 0; sent < bytes.size(); sent += static_cast<size_t>(result)) {
            result = ::send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (result <= 0) {
                return;
            }
        }
    }

    std::string Serve(const std::string& answer, const std::string& second, bool readRequest) {
        std::string request;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            return request;
        }
        const timeval timeout{20, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        char chunk[65536];
        while (readRequest && !Complete(request)) {
            const ssize_t got = ::recv(connection, chunk, sizeof chunk, 0);
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
        ::close(connection);
        return request;
    }

    uint16_t port_ = 0;
    int listener_ = -1;
    std::future<std::string> received_;
};

}  // namespace client_test
