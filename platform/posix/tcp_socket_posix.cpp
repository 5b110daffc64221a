// POSIX calls only.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/last_error.h"
#include "platform/posix/errno_table.h"
#include "platform/tcp_socket.h"

namespace os {

// Linux needs no start-up. ZEP_WINSOCK_FAILS=1 makes it fail as WSAStartup does when the
// network subsystem is not ready, so tools and tests can show what the plug-in does then.
bool StartNetworking() {
    const char* fails = std::getenv("ZEP_WINSOCK_FAILS");
    if (fails != nullptr && std::strcmp(fails, "1") == 0) {
        SetLastError(kWsaSystemNotReady);
        return false;
    }
    return true;
}
void StopNetworking() {}

TcpSocket::~TcpSocket() {
    Close();
}

bool TcpSocket::Open() {
    Close();
    int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0) {
        SetLastSocketError(errno);
        return false;
    }
    handle_ = descriptor;
    return true;
}

bool TcpSocket::Connect(const std::string& address, uint16_t port) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = ::inet_addr(address.c_str());
    peer.sin_port = htons(port);
    int result = 0;
    do {
        result =
            ::connect(static_cast<int>(handle_), reinterpret_cast<sockaddr*>(&peer), sizeof peer);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        SetLastSocketError(errno);
        return false;
    }
    return true;
}

int TcpSocket::Send(const char* data, int length) {
    ssize_t sent = 0;
    do {
        sent = ::send(static_cast<int>(handle_), data, static_cast<size_t>(length), MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    if (sent < 0) {
        SetLastSocketError(errno);
        return -1;
    }
    return static_cast<int>(sent);
}

int TcpSocket::Receive(char* buffer, int length) {
    ssize_t got = 0;
    do {
        got = ::recv(static_cast<int>(handle_), buffer, static_cast<size_t>(length), 0);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        SetLastSocketError(errno);
        return -1;
    }
    return static_cast<int>(got);
}

void TcpSocket::Close() {
    if (handle_ != kNoSocket) {
        ::close(static_cast<int>(handle_));
        handle_ = kNoSocket;
    }
}

}  // namespace os
