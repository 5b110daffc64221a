// POSIX calls only.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/fault_injection.h"
#include "platform/last_error.h"
#include "platform/posix/errno_table.h"
#include "platform/tcp_socket.h"

namespace os {

// Linux needs no start-up. ZEP_WINSOCK_FAILS=1 makes it fail as WSAStartup does when the
// network subsystem is not ready, so tools and tests can show what the plug-in does then.
bool StartNetworking() {
    const FaultPoint fault("StartNetworking", kWsaSystemNotReady);
    const char* fails = std::getenv("ZEP_WINSOCK_FAILS");
    if ((fails != nullptr && std::strcmp(fails, "1") == 0) || fault.Failed()) {
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
    const FaultPoint fault("TcpSocket::Open", kWsaNoBufferSpace);
    if (fault.Failed()) {
        return false;
    }
    int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0) {
        SetLastSocketError(errno);
        return false;
    }
    handle_ = descriptor;
    return true;
}

bool TcpSocket::SetTimeout(uint32_t milliseconds) {
    timeval limit{};
    limit.tv_sec = static_cast<time_t>(milliseconds / 1000);
    limit.tv_usec = static_cast<suseconds_t>(milliseconds % 1000 * 1000);
    const int descriptor = static_cast<int>(handle_);
    if (::setsockopt(descriptor, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit) != 0 ||
        ::setsockopt(descriptor, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit) != 0) {
        SetLastSocketError(errno);
        return false;
    }
    timeoutMilliseconds_ = milliseconds;
    return true;
}

bool TcpSocket::Connect(const std::string& address, uint16_t port) {
    const FaultPoint fault("TcpSocket::Connect", kWsaConnectionRefused);
    if (fault.Failed()) {
        return false;
    }
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = ::inet_addr(address.c_str());
    peer.sin_port = htons(port);
    const int descriptor = static_cast<int>(handle_);
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (timeoutMilliseconds_ != 0) {
        ::fcntl(descriptor, F_SETFL, flags | O_NONBLOCK);
    }
    int result = ::connect(descriptor, reinterpret_cast<sockaddr*>(&peer), sizeof peer);
    int error = result == 0 ? 0 : errno;
    if (error == EINPROGRESS || error == EINTR) {
        // Either way the connection goes on by itself: wait for its outcome.
        pollfd waiting{descriptor, POLLOUT, 0};
        const int timeout = timeoutMilliseconds_ != 0 ? static_cast<int>(timeoutMilliseconds_) : -1;
        int ready = 0;
        do {
            ready = ::poll(&waiting, 1, timeout);
        } while (ready < 0 && errno == EINTR);
        socklen_t length = sizeof error;
        if (ready == 0) {
            error = ETIMEDOUT;
        } else if (ready < 0 ||
                   ::getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
            error = errno;
        }
    }
    if (timeoutMilliseconds_ != 0) {
        ::fcntl(descriptor, F_SETFL, flags);
    }
    if (error != 0) {
        SetLastSocketError(error);
        return false;
    }
    return true;
}

int TcpSocket::Send(const char* data, int length) {
    const FaultPoint fault("TcpSocket::Send", kWsaConnectionReset);
    if (fault.Failed()) {
        return -1;
    }
    ssize_t sent = 0;
    do {
        sent = ::send(static_cast<int>(handle_), data, static_cast<size_t>(length), MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    if (sent < 0) {
        SetLastSocketError(errno == EAGAIN ? ETIMEDOUT : errno);
        return -1;
    }
    return static_cast<int>(sent);
}

int TcpSocket::Receive(char* buffer, int length) {
    const FaultPoint fault("TcpSocket::Receive", kWsaConnectionReset);
    if (fault.Failed()) {
        return -1;
    }
    ssize_t got = 0;
    do {
        got = ::recv(static_cast<int>(handle_), buffer, static_cast<size_t>(length), 0);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        SetLastSocketError(errno == EAGAIN ? ETIMEDOUT : errno);
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
