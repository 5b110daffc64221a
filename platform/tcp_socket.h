#pragma once
// A blocking IPv4 TCP client socket with the Winsock calls the client link makes. Failing calls
// set the last error to the Winsock code (10061 for a refused connection, ...).

#include <cstdint>
#include <string>

namespace os {

// WSAStartup(2.2) / WSACleanup; on Linux there is nothing to start. On both, the environment
// variable ZEP_WINSOCK_FAILS=1 makes StartNetworking fail (last error WSASYSNOTREADY, 10091).
bool StartNetworking();
void StopNetworking();

class TcpSocket {
public:
    TcpSocket() = default;
    ~TcpSocket();
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // socket(AF_INET, SOCK_STREAM, 0)
    bool Open();
    // After Open: Connect, Send and Receive give up when nothing has moved for this long, with
    // the last error WSAETIMEDOUT (10060). Without it they wait as long as the peer lets them.
    bool SetTimeout(uint32_t milliseconds);
    // connect to inet_addr(address) and the port; an address that does not parse becomes
    // 255.255.255.255, as inet_addr returns INADDR_NONE.
    bool Connect(const std::string& address, uint16_t port);
    // send / recv: the count of bytes, 0 when the peer closed, -1 on failure.
    int Send(const char* data, int length);
    int Receive(char* buffer, int length);
    void Close();
    bool IsOpen() const { return handle_ != kNoSocket; }

private:
    static constexpr intptr_t kNoSocket = -1;
    intptr_t handle_ = kNoSocket;
    uint32_t timeoutMilliseconds_ = 0;
};

}  // namespace os
