#include "client/client_reply.h"

#include <json/json.h>

#include "log/pmx_logger.h"
#include "platform/last_error.h"
#include "platform/standard_output.h"
#include "resources/message_box.h"
#include "resources/string_loader.h"
#include "text/conversions.h"
#include "text/json_text.h"

namespace {

struct ReplyRow {
    int32_t code;
    int stringId;
    bool emptyCaption;
    const char* level;
    const char* message;
};

// The log messages are fixed texts, kept word for word.
constexpr ReplyRow kReplyRows[] = {
    {kReplySubmitted, IDS_SUBMITTED, true, "INFO", "Submit successfully."},
    {kReplyNotMaxProject, IDS_REPLY_NOT_MAX_PROJECT, false, "ERROR",
     "The client's current project is not a 3ds max render project, please set it up again!"},
    {kReplyVersionMismatch, IDS_REPLY_VERSION_MISMATCH, false, "ERROR",
     "The client rendering version is not match!"},
    {kReplyNotStillImageProject, IDS_REPLY_NOT_STILL_IMAGE_PROJECT, false, "ERROR",
     "The current project is not an design sketch project!"},
    {kReplySceneMissing, IDS_REPLY_SCENE_MISSING, false, "ERROR", "The scene file is not exist!"},
    {kReplyAnalysisMissing, IDS_REPLY_ANALYSIS_MISSING, false, "ERROR",
     "he Analysis file is not exist!"},
    {kReplyAnalysisUnreadable, IDS_REPLY_ANALYSIS_UNREADABLE, false, "ERROR",
     "Parse the analysis file failed!"},
    {kReplyWrongSuffix, IDS_REPLY_WRONG_SUFFIX, false, "ERROR",
     "The current submission of the scene suffix is wrong, please check for confirmation!"},
    {kReplyAlreadySubmitted, IDS_REPLY_ALREADY_SUBMITTED, false, "ERROR",
     "The current submission scenario already exists, please do not repeat the submission!"},
    {kReplyInternalError, IDS_REPLY_INTERNAL_ERROR, false, "ERROR",
     "An internal error occurred. Please restart 3ds max and re-operate!"},
    {kReplyBadCameraName, IDS_INVALID_CAMERA_NAME, false, "ERROR",
     "Camera name can not have special characters, please modify and re-submit!"},
};

// The "ret" code: 0 when the member is missing (or null), false when it holds anything but an
// integer that fits 32 bits.
bool ReadCode(const Json::Value& root, int32_t& code) {
    const Json::Value* ret = FindMember(root, "ret");
    if (ret == nullptr || ret->isNull()) {
        code = 0;
        return true;
    }
    if (!ret->isInt()) {
        return false;
    }
    code = ret->asInt();
    return true;
}

}  // namespace

int32_t HandleClientReply(const std::string& reply, HWND owner) {
    pmx_Logger log("pmx_http", 2, 5, 0);
    Json::Value root;
    const std::u16string caption = ResourceText(IDS_MAIN_CAPTION);
    const std::u16string marker = ResourceText(IDS_LANGUAGE_MARKER);

    int32_t code = 0;
    const Json::Value* err = nullptr;
    bool readable = ParseJsonText(reply, root) && root.isObject() && ReadCode(root, code);
    if (readable && code == kReplyClientMessage) {
        err = FindMember(root, "err");
        readable = err != nullptr && err->isString();
    }
    if (!readable) {
        os::WriteStandardOutputLine("Error " + std::to_string(os::GetLastError()) +
                                    " in WinHttpReadData.");
        PluginMessageBox(owner, ResourceText(IDS_REPLY_UNREADABLE), caption, win::kMbOk, marker);
        log.Write("Get response data failed: parse the data from client failed!", "ERROR");
        return -1;
    }

    if (code == kReplyClientMessage) {
        // The box shows the text up to its first zero byte; the log keeps it whole.
        const char* text = err->asCString();
        PluginMessageBox(owner, FromUtf8(text != nullptr ? text : ""), caption, win::kMbOk, marker);
        log.Write(err->asString(), "ERROR");
        return code;
    }
    for (const ReplyRow& row : kReplyRows) {
        if (row.code == code) {
            PluginMessageBox(owner, ResourceText(row.stringId),
                             row.emptyCaption ? std::u16string() : caption, win::kMbOk, marker);
            log.Write(row.message, row.level);
            break;
        }
    }
    return code;
}
