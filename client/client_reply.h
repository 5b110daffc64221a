#pragma once
// The client's answer to a submission notice: one JSON object whose integer "ret" says whether
// the job was accepted and, if not, why. Each known code shows one message box and writes one
// line to the pmx_http log.

#include <cstdint>
#include <string>

#include "platform/win/message_box.h"

// Reply codes of the desktop client.
inline constexpr int32_t kReplySubmitted = 10001;
inline constexpr int32_t kReplyNotMaxProject = 10002;
inline constexpr int32_t kReplyVersionMismatch = 10003;
inline constexpr int32_t kReplyNotStillImageProject = 10004;
inline constexpr int32_t kReplySceneMissing = 10005;
inline constexpr int32_t kReplyAnalysisMissing = 10006;
inline constexpr int32_t kReplyAnalysisUnreadable = 10007;
inline constexpr int32_t kReplyWrongSuffix = 10008;
inline constexpr int32_t kReplyAlreadySubmitted = 10009;
inline constexpr int32_t kReplyClientMessage = 10010;
inline constexpr int32_t kReplyInternalError = 11000;
inline constexpr int32_t kReplyBadCameraName = 11010;

// Reacts to `reply` (the answer from its first "{" on) with the box and log line of its code,
// boxes owned by `owner`, and returns the code. A reply without "ret" gives 0 and a code the
// client does not define gives itself, both silently. A reply that does not parse, is not an
// object, or whose "ret" is no 32-bit integer (or, for 10010, whose "err" is no string) shows
// the "unreadable reply" box, logs an ERROR line and gives -1.
int32_t HandleClientReply(const std::string& reply, HWND owner);
