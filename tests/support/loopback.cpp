#include "tests/support/loopback.h"

#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace testing_support {

#ifdef _WIN32

namespace {

using Native = SOCKET;
using Length = int;

void StartWinsock() {
    static const bool started = [] {
        WSADATA data{};
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)started;
}

bool Readable(Native socket, int timeoutMilliseconds) {
    WSAPOLLFD entry{socket, POLLRDNORM, 0};
    return ::WSAPoll(&entry, 1, timeoutMilliseconds) > 0;
}

void CloseNative(Native socket) {
    ::closesocket(socket);
}

}  // namespace

void SetReceiveTimeout(SocketHandle connection, int timeoutSeconds) {
    const DWORD timeout = static_cast<DWORD>(timeoutSeconds) * 1000;
    ::setsockopt(static_cast<Native>(connection), SOL_SOCKET, SO_RCVTIMEO,
                 reinterpret_cast<const char*>(&timeout), sizeof timeout);
}

#else

namespace {

using Native = int;
using Length = socklen_t;

void StartWinsock() {}

bool Readable(Native socket, int timeoutMilliseconds) {
    pollfd entry{socket, POLLIN, 0};
    return ::poll(&entry, 1, timeoutMilliseconds) > 0;
}

void CloseNative(Native socket) {
    ::close(socket);
}

}  // namespace

void SetReceiveTimeout(SocketHandle connection, int timeoutSeconds) {
    const timeval timeout{timeoutSeconds, 0};
    ::setsockopt(static_cast<Native>(connection), SOL_SOCKET, SO_RCVTIMEO, &timeout,
                 sizeof timeout);
}

#endif

SocketHandle ListenOnLoopback(uint16_t& port) {
    StartWinsock();
    const Native listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    Length length = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 4) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        CloseNative(listener);
        return kNoSocket;
    }
    port = ntohs(address.sin_port);
    return static_cast<SocketHandle>(listener);
}

SocketHandle AcceptConnection(SocketHandle listener, int timeoutMilliseconds) {
    const Native native = static_cast<Native>(listener);
    if (!Readable(native, timeoutMilliseconds)) {
        return kNoSocket;
    }
    const Native connection = ::accept(native, nullptr, nullptr);
    return connection == static_cast<Native>(-1) ? kNoSocket
                                                 : static_cast<SocketHandle>(connection);
}

int SendBytes(SocketHandle connection, const char* data, size_t length) {
#ifdef _WIN32
    return ::send(static_cast<Native>(connection), data, static_cast<int>(length), 0);
#else
    return static_cast<int>(::send(static_cast<Native>(connection), data, length, MSG_NOSIGNAL));
#endif
}

int ReceiveBytes(SocketHandle connection, char* buffer, size_t length) {
#ifdef _WIN32
    return ::recv(static_cast<Native>(connection), buffer, static_cast<int>(length), 0);
#else
    return static_cast<int>(::recv(static_cast<Native>(connection), buffer, length, 0));
#endif
}

void CloseSocket(SocketHandle socket) {
    if (socket != kNoSocket) {
        CloseNative(static_cast<Native>(socket));
    }
}

}  // namespace testing_support
