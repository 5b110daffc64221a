#pragma once
// Who is logged in to the farm's desktop client and where it wants the plug-in's output, as
// the client publishes them in two shared memory sections.

#include <string>

inline constexpr char16_t kUserNameSection[] = u"ZEPCORP_USERNAME_DATA";
inline constexpr char16_t kSavePathSection[] = u"ZEPCORP_PLUGIN_SAVE_PATH";
// Each section holds zero-terminated UTF-8 text; no more than this many bytes are read.
inline constexpr size_t kLoginSectionBufferSize = 4096;

struct ClientLogin {
    std::u16string userName;
    std::u16string savePath;
    std::string savePathUtf8;
    bool complete = false;  // both sections were read
};

// Reads the user name, then the save folder. A missing section leaves the record as far as it
// got, with `complete` false; nothing is logged.
void ReadClientLogin(ClientLogin& login);
