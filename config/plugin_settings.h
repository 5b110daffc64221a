#pragma once
// The plug-in settings record: where the client listens, where the plug-in's folders, scripts
// and archiver are, and what one submission adds to it. Read afresh for every use.

#include <cstdint>
#include <string>
#include <string_view>

class pmx_Logger;

struct PluginSettings {
    std::u16string host;
    int32_t port = 80;
    std::u16string jsonFolder;
    std::u16string archiverPath;
    std::u16string archiveFolder;
    std::u16string lowerVersion;
    std::string scenePath;  // UTF-8
    int32_t giScaleIndex = 0;
    std::string giScaleText;        // UTF-8
    std::string archivePath;        // UTF-8
    std::string archiverArguments;  // active ANSI code page
    std::u16string analysisScriptPath;
    std::u16string adslScriptPath;
    std::u16string alcScriptPath;
    std::u16string crpScriptPath;
};

// Fills the folder and script paths and the client's keys (ip, port, lowerversion), then lets
// "script/custom.bin" override the host. Messages go to `dataLog` (the pmx_data logger of the
// plug-in state). Always true.
bool ReadPluginSettings(pmx_Logger& dataLog, PluginSettings& settings);

// Replaces `host` by everything after the first "=" of the UTF-16LE file "script/custom.bin".
// True when the host was replaced.
bool ReadHostOverride(pmx_Logger& dataLog, PluginSettings& settings);

// The host that the bytes of "script/custom.bin" name: UTF-16LE text up to its first zero (a
// byte-order mark stays part of it), everything after its first "=". False when there is no
// "=" (an odd last byte is not read).
bool HostFromOverrideBytes(std::string_view bytes, std::u16string& host);
