#pragma once
// A one-connection TCP server on 127.0.0.1 for the client link tests: it accepts one
// connection, keeps every byte of the request until its Content-Length is complete, then ends
// the conversation as asked. POSIX sockets; Linux only, like the tests.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace client_test {

class RawServer {
public:
    enum class Ending {
        Answer,              // sends the answer, then closes
        CloseWithoutAnswer,  // reads the request, then closes
        CloseBeforeReading,  // closes as soon as the connection is accepted
        AnswerInTwoPieces,   // sends the answer, waits, sends the second piece, then closes
    };

    explicit RawServer(std::string answer, Ending ending = Ending::Answer,
                       std::string secondPiece = {});
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    bool Listening() const { return listener_ >= 0; }
    uint16_t Port() const { return port_; }
    // Waits until the conversation is over and returns the bytes received.
    const std::string& Received();

private:
    void Serve();
    void ReadRequest(int connection);

    std::string answer_;
    Ending ending_;
    std::string secondPiece_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::string received_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens (bound once, then released).
uint16_t UnusedPort();

}  // namespace client_test
