#include "workflow/virus_check.h"

#include <ifnpub.h>
#include <maxscript/maxscript.h>

#include "config/plugin_settings.h"
#include "scene/plugin_state.h"
#include "workflow/host_text.h"

void RunVirusCheckScripts(const PluginSettings& settings) {
    struct Script {
        const std::u16string& path;
        const char* logLine;
    };
    const Script scripts[] = {
        {settings.adslScriptPath, "Check ADSL virus for scene"},
        {settings.alcScriptPath, "Check ALC virus for scene"},
        {settings.crpScriptPath, "Check CRP virus for scene"},
    };
    FPValue result;
    result.Init();
    for (const Script& script : scripts) {
        std::u16string command = u"fileIn \"" + script.path + u"\"";
        ExecuteMAXScriptScript(ToHostText(command), MAXScript::ScriptSource::NonEmbedded, FALSE,
                               &result, TRUE);
        GetPluginState().log.Write(script.logLine, "WARN");
    }
    result.Free();
}
