#include "packaging/scene_archive.h"

#include <cstdint>

#include "log/operation_failures.h"
#include "packaging/archive_accounts.h"
#include "platform/crt_files.h"
#include "platform/crt_random.h"
#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/local_time.h"
#include "platform/process.h"
#include "text/conversions.h"

namespace {

constexpr std::string_view kTokenCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr int kTokenLength = 6;

// _access(path, 0) on the UTF-8 text. The runtime reads a narrow path in the "chs" code page, so a
// folder with Chinese characters in its name reads as missing, as it does on Windows.
bool Utf8FolderExists(const std::string& utf8) {
    return os::CrtAccess(utf8);
}

// One level. A failure shows again when 7-Zip cannot write there.
void CreateFolderIfMissing(const std::u16string& folder) {
    if (Utf8FolderExists(ToUtf8(folder)) || os::CreateFolder(folder)) {
        return;
    }
    const uint32_t error = os::GetLastError();
    if (error != os::kErrorAlreadyExists) {
        pmx_Logger log("pmx_data", 5, 2, 0);
        LogFailedOperation(log, "CreateDirectory", folder, error);
    }
}

std::string Quoted(const std::string& text) {
    return " \"" + text + "\"";
}

}  // namespace

std::string_view SceneBaseName(std::string_view scenePathUtf8) {
    std::string_view name = scenePathUtf8;
    size_t separator = name.find_last_of('\\');
    if (separator == std::string_view::npos) {
        separator = name.find_last_of('/');
    }
    if (separator != std::string_view::npos) {
        name.remove_prefix(separator + 1);
    }
    const size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    return name;
}

std::u16string ArchiveBaseName(std::string_view scenePathUtf8) {
    return FromLocalMultibyte(Utf8ToAnsi(SceneBaseName(scenePathUtf8)));
}

std::string RandomToken() {
    static_assert(kTokenCharacters.size() == 62);
    os::CrtSrand(static_cast<uint32_t>(os::CurrentTimeSeconds()));
    std::string token;
    for (int i = 0; i < kTokenLength; ++i) {
        token += kTokenCharacters[static_cast<size_t>(os::CrtRand()) % kTokenCharacters.size()];
    }
    return token;
}

bool BuildArchiveCommand(std::string arguments, PluginSettings& settings,
                         const ClientLogin& login) {
    CreateFolderIfMissing(settings.archiveFolder);

    const std::string scenePathAnsi = Utf8ToAnsi(settings.scenePath);
    const std::u16string baseName = ArchiveBaseName(settings.scenePath);

    std::u16string archivePath;
    std::string password;
    if (login.complete && IsArchiveAccount(login.userName) && login.savePath.size() > 1) {
        const std::u16string name = baseName + u"_" + FromLocalMultibyte(RandomToken());
        if (Utf8FolderExists(login.savePathUtf8)) {
            const std::u16string folder = login.savePath + u"/" + baseName;
            CreateFolderIfMissing(folder);
            archivePath = folder + u"/" + name + u".7z";
        }
        password = ArchivePassword(baseName);
        if (password.empty()) {
            return false;  // an account's archive is never packed without its password
        }
    }
    if (archivePath.empty()) {
        archivePath = settings.archiveFolder + u"/" + baseName + u"_" +
                      FromLocalMultibyte(RandomToken()) + u".7z";
    }

    const std::string archivePathUtf8 = ToUtf8(archivePath);
    const std::string archivePathAnsi = Utf8ToAnsi(archivePathUtf8);

    arguments += " a -mx=3 -mmt=2 -t7z";
    if (!password.empty()) {
        arguments += " -p" + password;
    }
    arguments += Quoted(archivePathAnsi);
    arguments += Quoted(scenePathAnsi);

    settings.archiverArguments = arguments;
    settings.archivePath = archivePathUtf8;

    // An empty base name (a scene file called ".max") is refused like one ending in a dot.
    return !baseName.empty() && baseName.back() != u' ' && baseName.back() != u'.';
}

void RunArchiver(const PluginSettings& settings) {
    uint32_t exitCode = 0;
    os::RunProcessAndWait(settings.archiverPath + FromLocalMultibyte(settings.archiverArguments),
                          exitCode);
}
