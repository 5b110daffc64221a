#pragma once
// The link to the farm's desktop client: one hand-written HTTP/1.1 POST over a plain TCP socket
// to the client's address and port, and the client's answer taken from a single read.

#include <cstdint>
#include <string>

#include "config/plugin_settings.h"
#include "platform/win/message_box.h"

// Size of the reply buffer; an answer longer than this is cut.
inline constexpr int kReplyBufferBytes = 2048;

// How long the connect, each send and the read may go without progress before the link gives
// up as on a failed connection: a client that accepts and never answers must not hold the
// submission and the dialog for ever.
inline constexpr uint32_t kClientLinkTimeoutMilliseconds = 60000;
// Tests shorten it; 0 restores kClientLinkTimeoutMilliseconds.
void SetClientLinkTimeout(uint32_t milliseconds);

// Posts `notice` (UTF-8 JSON, sent unchanged) to settings.host and settings.port, calls
// `onReply` (when given) right after the read returns, and hands the answer from its first "{"
// on to HandleClientReply. Returns the reply handler's result, or -1 when no reply was handled
// (socket, connect, send or read failure or time-out, or no "{" in the answer); each failure
// shows one message box owned by `owner` and writes one line to the pmx_http log. Networking
// must have been started (os::StartNetworking).
int32_t SendToClient(PluginSettings settings, std::string notice, HWND owner, void (*onReply)());
