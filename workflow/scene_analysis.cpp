#include "workflow/scene_analysis.h"

#include <maxscript/maxscript.h>

#include "client/request_id.h"
#include "config/plugin_settings.h"
#include "log/operation_failures.h"
#include "platform/crt_files.h"
#include "platform/files.h"
#include "platform/last_error.h"
#include "resources/message_box.h"
#include "resources/string_loader.h"
#include "scene/plugin_state.h"
#include "text/conversions.h"
#include "workflow/host_text.h"

namespace {

constexpr char16_t kByteOrderMark = u'\uFEFF';

void DeleteIfPresent(pmx_Logger& log, const std::u16string& path) {
    if (PathExistsLogged(log, path)) {
        DeleteFileLogged(log, path);
    }
}

}  // namespace

bool RunSceneAnalysis(HWND owner, FPValue* result, std::u16string analysisScriptPath,
                      std::u16string& analysisText) {
    PluginState& state = GetPluginState();
    PluginSettings settings;
    ReadPluginSettings(state.log, settings);
    std::u16string guid = NewRequestId();
    if (!PathExistsLogged(state.log, settings.jsonFolder)) {
        CreateFolderLogged(state.log, settings.jsonFolder);
    }
    std::u16string resultPath = settings.jsonFolder + u"/" + guid + u".ret";
    state.resultFilePath = resultPath;

    std::u16string command =
        u"fileIn \"" + analysisScriptPath + u"\"\n" + u"gMax.analysis \"" + resultPath + u"\" \"\"";
    BOOL ran = ExecuteMAXScriptScript(ToHostText(command), MAXScript::ScriptSource::NonEmbedded,
                                      FALSE, result, TRUE);
    if (ran == 0) {
        PluginMessageBox(owner, ResourceText(IDS_ANALYSIS_FAILED), ResourceText(IDS_MAIN_CAPTION),
                         win::kMbOk, ResourceText(IDS_LANGUAGE_MARKER));
        return false;
    }
    std::string bytes;
    // A result the script could not write reads as an empty analysis.
    if (!os::CrtReadFile(ToLocalMultibyte(resultPath), bytes)) {
        LogFailedOperation(state.log, "fopen", resultPath, os::GetLastError());
    }
    analysisText = FromUtf8(bytes);
    if (!analysisText.empty() && analysisText.front() == kByteOrderMark) {
        analysisText.erase(0, 1);
    }
    DeleteIfPresent(state.log, resultPath);
    DeleteIfPresent(state.log, resultPath + u".log");
    return ran == 1;
}
