#pragma once
// Plain TCP sockets on 127.0.0.1 for the tests' own servers, written once for POSIX sockets and
// Winsock.

#include <cstddef>
#include <cstdint>

namespace testing_support {

using SocketHandle = intptr_t;
inline constexpr SocketHandle kNoSocket = -1;

// A socket listening on a free port of 127.0.0.1, or kNoSocket.
SocketHandle ListenOnLoopback(uint16_t& port);
// The next connection, or kNoSocket when none came within `timeoutMilliseconds`.
SocketHandle AcceptConnection(SocketHandle listener, int timeoutMilliseconds);
// Makes receives on `connection` give up after `timeoutSeconds`.
void SetReceiveTimeout(SocketHandle connection, int timeoutSeconds);
// send / recv: the count of bytes, 0 when the peer closed, -1 on failure.
int SendBytes(SocketHandle connection, const char* data, size_t length);
int ReceiveBytes(SocketHandle connection, char* buffer, size_t length);
void CloseSocket(SocketHandle socket);

}  // namespace testing_support
