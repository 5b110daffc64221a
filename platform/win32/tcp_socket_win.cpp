// Winsock 2 calls only.
#include <winsock2.h>

#include "platform/win32/windows_api.h"

#include "platform/tcp_socket.h"

namespace os {

// ZEP_WINSOCK_FAILS=1 makes the start fail as when the network subsystem is not ready, as on
// Linux, so tools and tests can show what the plug-in does then.
bool StartNetworking() {
    wchar_t fails[2] = {};
    if (::GetEnvironmentVariableW(L"ZEP_WINSOCK_FAILS", fails, 2) == 1 && fails[0] == L'1') {
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
    const SOCKET created = ::socket(AF_INET, SOCK_STREAM, 0);
    if (created == INVALID_SOCKET) {
        return false;
    }
    handle_ = static_cast<intptr_t>(created);
    return true;
}

bool TcpSocket::Connect(const std::string& address, uint16_t port) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = ::inet_addr(address.c_str());
    peer.sin_port = ::htons(port);
    return ::connect(static_cast<SOCKET>(handle_), reinterpret_cast<const sockaddr*>(&peer),
                     sizeof peer) == 0;
}

int TcpSocket::Send(const char* data, int length) {
    const int sent = ::send(static_cast<SOCKET>(handle_), data, length, 0);
    return sent == SOCKET_ERROR ? -1 : sent;
}

int TcpSocket::Receive(char* buffer, int length) {
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
