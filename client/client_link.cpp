#include "client/client_link.h"

#include <atomic>
#include <climits>
#include <cstring>
#include <string_view>

#include "client/client_reply.h"
#include "log/pmx_logger.h"
#include "platform/last_error.h"
#include "platform/tcp_socket.h"
#include "resources/message_box.h"
#include "resources/string_loader.h"
#include "text/conversions.h"

namespace {

std::atomic<uint32_t> linkTimeout{kClientLinkTimeoutMilliseconds};

constexpr std::string_view kRequestHead =
    "POST / HTTP/1.1\r\n"
    "Connection: Keep-Alive\r\n"
    "Content-Type: application/json;charset=utf-8\r\n"
    "User-Agent: A WinHTTP Program For Brass Mill/1.0\r\n"
    "Content-Length: ";

std::string BuildRequest(const std::string& host, int32_t port, const std::string& body) {
    std::string request(kRequestHead);
    request += std::to_string(body.size());
    request += "\r\nHost: ";
    request += host;
    request += ":";
    request += std::to_string(port);
    request += "\r\n\r\n";
    request += body;
    return request;
}

// Sends the whole request. False, with the log text of the failure, when a send returns 0 or
// -1.
bool SendAll(os::TcpSocket& socket, const std::string& request, std::string& errorText) {
    size_t sent = 0;
    while (sent < request.size()) {
        size_t rest = request.size() - sent;
        int chunk = rest > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(rest);
        int result = socket.Send(request.data() + sent, chunk);
        if (result <= 0) {
            errorText = "send error send_size:" + std::to_string(sent) +
                        " total_size:" + std::to_string(request.size()) + ", Error Code is: ";
            return false;
        }
        sent += static_cast<size_t>(result);
    }
    return true;
}

}  // namespace

void SetClientLinkTimeout(uint32_t milliseconds) {
    linkTimeout = milliseconds != 0 ? milliseconds : kClientLinkTimeoutMilliseconds;
}

int32_t SendToClient(PluginSettings settings, std::string notice, HWND owner, void (*onReply)()) {
    pmx_Logger log("pmx_http", 2, 5, 0);
    const std::u16string caption = ResourceText(IDS_MAIN_CAPTION);
    const std::u16string marker = ResourceText(IDS_LANGUAGE_MARKER);

    os::TcpSocket socket;
    std::string errorText;
    int32_t result = -1;
    const std::string host = ToUtf8(settings.host);
    const auto port = static_cast<uint16_t>(static_cast<uint32_t>(settings.port) & 0xFFFFu);

    if (!socket.Open() || !socket.SetTimeout(linkTimeout)) {
        errorText = "Create socket error, Error Code is: ";
    } else if (!socket.Connect(host, port)) {
        errorText = "connect error, Error Code is: ";
        socket.Close();
    } else if (!SendAll(socket, BuildRequest(host, settings.port, notice), errorText)) {
        socket.Close();
    } else {
        char buffer[kReplyBufferBytes + 1] = {};
        int received = socket.Receive(buffer, kReplyBufferBytes);
        if (onReply != nullptr) {
            onReply();
        }
        if (received <= 0) {
            errorText = "connect error, Error Code is: ";
            socket.Close();
        } else {
            buffer[received] = '\0';
            log.Write("tcp read data successfully.", "INFO");
            // The status line and headers of the answer are skipped: the reply is the JSON text
            // from its first brace on.
            const char* brace = std::strchr(buffer, '{');
            if (brace == nullptr) {
                PluginMessageBox(owner, ResourceText(IDS_CLIENT_NO_REPLY), caption, win::kMbOk,
                                 marker);
                log.Write("find '{' failed.", "INFO");
            } else {
                result = HandleClientReply(brace, owner);
            }
            socket.Close();
            return result;
        }
    }

    const uint32_t code = os::GetLastError();
    PluginMessageBox(owner, ResourceText(IDS_CLIENT_UNREACHABLE), caption, win::kMbOk, marker);
    log.Write(errorText + std::to_string(code), "ERROR");
    return -1;
}
