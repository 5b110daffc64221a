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

namespace {

#ifdef _WIN32
using Native = SOCKET;
using Length = int;
using PollEntry = WSAPOLLFD;
constexpr short kReadable = POLLRDNORM;
constexpr int kSendFlags = 0;
const auto Poll = ::WSAPoll;
const auto CloseNative = ::closesocket;

void StartWinsock() {
    static const bool started = [] {
        WSADATA data{};
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)started;
}
#else
using Native = int;
using Length = socklen_t;
using PollEntry = pollfd;
constexpr short kReadable = POLLIN;
constexpr int kSendFlags = MSG_NOSIGNAL;  // a closed peer gives an error, not SIGPIPE
const auto Poll = ::poll;
const auto CloseNative = ::close;

void StartWinsock() {}
#endif

bool Readable(Native socket, int timeoutMilliseconds) {
    PollEntry entry{socket, kReadable, 0};
    return Poll(&entry, 1, timeoutMilliseconds) > 0;
}

}  // namespace

void SetReceiveTimeout(SocketHandle connection, int timeoutSeconds) {
#ifdef _WIN32
    const DWORD timeout = static_cast<DWORD>(timeoutSeconds) * 1000;
#else
    const timeval timeout{timeoutSeconds, 0};
#endif
    ::setsockopt(static_cast<Native>(connection), SOL_SOCKET, SO_RCVTIMEO,
                 reinterpret_cast<const char*>(&timeout), sizeof timeout);
}

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
    return static_cast<int>(
        ::send(static_cast<Native>(connection), data, static_cast<int>(length), kSendFlags));
}

int ReceiveBytes(SocketHandle connection, char* buffer, size_t length) {
    return static_cast<int>(
        ::recv(static_cast<Native>(connection), buffer, static_cast<int>(length), 0));
}

void CloseSocket(SocketHandle socket) {
    if (socket != kNoSocket) {
        CloseNative(static_cast<Native>(socket));
    }
}

}  // namespace testing_support
