// Winsock 2 calls only.
#include <winsock2.h>

#include "platform/win32/windows_api.h"

#include "platform/fault_injection.h"
#include "platform/last_error.h"
#include "platform/tcp_socket.h"

namespace os {

// ZEP_WINSOCK_FAILS=1 makes the start fail as when the network subsystem is not ready, as on
// Linux, so tools and tests can show what the plug-in does then.
bool StartNetworking() {
    const FaultPoint fault("StartNetworking", kWsaSystemNotReady);
    wchar_t fails[2] = {};
    if ((::GetEnvironmentVariableW(L"ZEP_WINSOCK_FAILS", fails, 2) == 1 && fails[0] == L'1') ||
        fault.Failed()) {
        ::WSASetLastError(WSASYSNOTREADY);
        return false;
    }
    WSADATA data{};
    const int result = ::WSAStartup(MAKEWORD(2, 2), &data);
    if (result != 0) {
        ::WSASetLastError(result);
        return false;
    }
    return true;
}

void StopNetworking() {
    ::WSACleanup();
}

TcpSocket::~TcpSocket() {
    Close();
}

bool TcpSocket::Open() {
    Close();
    const FaultPoint fault("TcpSocket::Open", kWsaNoBufferSpace);
    if (fault.Failed()) {
        return false;
    }
    const SOCKET created = ::socket(AF_INET, SOCK_STREAM, 0);
    if (created == INVALID_SOCKET) {
        return false;
    }
    handle_ = static_cast<intptr_t>(created);
    return true;
}

bool TcpSocket::SetTimeout(uint32_t milliseconds) {
    const DWORD limit = milliseconds;
    const auto value = reinterpret_cast<const char*>(&limit);
    if (::setsockopt(static_cast<SOCKET>(handle_), SOL_SOCKET, SO_RCVTIMEO, value, sizeof limit) !=
            0 ||
        ::setsockopt(static_cast<SOCKET>(handle_), SOL_SOCKET, SO_SNDTIMEO, value, sizeof limit) !=
            0) {
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
    peer.sin_port = ::htons(port);
    const SOCKET socket = static_cast<SOCKET>(handle_);
    if (timeoutMilliseconds_ == 0) {
        return ::connect(socket, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0;
    }
    u_long nonBlocking = 1;
    ::ioctlsocket(socket, FIONBIO, &nonBlocking);
    int error = 0;
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
        error = ::WSAGetLastError();
    }
    if (error == WSAEWOULDBLOCK) {
        fd_set writable;
        fd_set failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(socket, &writable);
        FD_SET(socket, &failed);
        timeval limit{static_cast<long>(timeoutMilliseconds_ / 1000),
                      static_cast<long>(timeoutMilliseconds_ % 1000 * 1000)};
        const int ready = ::select(0, nullptr, &writable, &failed, &limit);
        int length = sizeof error;
        if (ready == 0) {
            error = WSAETIMEDOUT;
        } else if (ready == SOCKET_ERROR) {
            error = ::WSAGetLastError();
        } else if (FD_ISSET(socket, &failed)) {
            ::getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
        } else {
            error = 0;
        }
    }
    nonBlocking = 0;
    ::ioctlsocket(socket, FIONBIO, &nonBlocking);
    ::WSASetLastError(error);
    return error == 0;
}

int TcpSocket::Send(const char* data, int length) {
    const FaultPoint fault("TcpSocket::Send", kWsaConnectionReset);
    if (fault.Failed()) {
        return -1;
    }
    const int sent = ::send(static_cast<SOCKET>(handle_), data, length, 0);
    return sent == SOCKET_ERROR ? -1 : sent;
}

int TcpSocket::Receive(char* buffer, int length) {
    const FaultPoint fault("TcpSocket::Receive", kWsaConnectionReset);
    if (fault.Failed()) {
        return -1;
    }
    const int got = ::recv(static_cast<SOCKET>(handle_), buffer, length, 0);
    return got == SOCKET_ERROR ? -1 : got;
}

void TcpSocket::Close() {
    if (handle_ != kNoSocket) {
        ::closesocket(static_cast<SOCKET>(handle_));
        handle_ = kNoSocket;
    }
}

}  // namespace os
