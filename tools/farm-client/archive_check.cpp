#include "tools/farm-client/archive_check.h"

#include <algorithm>
#include <vector>

#include "packaging/archive_accounts.h"
#include "packaging/scene_archive.h"
#include "platform/files.h"
#include "text/conversions.h"
#include "tools/farm-client/notice_check.h"
#include "tools/farm-client/seven_zip.h"

namespace farm {
namespace {

// The plug-in reads at most 2048 bytes of the answer, so 7-Zip's words are kept short.
constexpr size_t kMaxErrorsLength = 300;

std::string WithErrors(std::string text, std::string errors) {
    if (errors.size() > kMaxErrorsLength) {
        size_t cut = kMaxErrorsLength;
        while (cut > 0 && (static_cast<unsigned char>(errors[cut]) & 0xC0) == 0x80) {
            --cut;  // not inside a UTF-8 sequence
        }
        errors = errors.substr(0, cut) + "...";
    }
    if (!errors.empty()) {
        text += " (7-Zip: " + errors + ")";
    }
    return text;
}

bool MentionsPassword(const std::string& errors) {
    return errors.find("password") != std::string::npos;
}

}  // namespace

std::string CheckArchive(const std::string& sevenZip, const std::string& archivePath,
                         const std::string& scenePath, const std::string& userName) {
    const std::u16string wideArchive = FromUtf8(archivePath);
    if (archivePath.empty() || !os::PathExists(wideArchive) || os::IsFolder(wideArchive)) {
        return "The archive " + archivePath + " does not exist";
    }
    if (sevenZip.empty()) {
        return "No 7-Zip program found to open the archive " + archivePath;
    }
    const bool account = IsArchiveAccount(FromUtf8(userName));
    const std::string password = account ? ArchivePassword(ArchiveBaseName(scenePath)) : "";
    std::string nativeArchive = archivePath;
    std::replace(nativeArchive.begin(), nativeArchive.end(), '\\', '/');

    std::vector<ArchiveEntry> entries;
    ArchiveReport listing = ListArchive(sevenZip, nativeArchive, password, entries);
    if (!listing.ok) {
        if (MentionsPassword(listing.errors)) {
            return WithErrors(
                account ? "The archive " + archivePath +
                              " does not open with the password of account " + userName
                        : "The archive " + archivePath + " is protected by a password, but user " +
                              userName + " has no archive password",
                listing.errors);
        }
        return WithErrors("The archive " + archivePath + " cannot be read", listing.errors);
    }

    const std::string sceneName = PlainFileName(scenePath);
    auto entry = std::find_if(entries.begin(), entries.end(),
                              [&](const ArchiveEntry& e) { return e.path == sceneName; });
    if (entry == entries.end()) {
        return "The archive " + archivePath + " does not hold " + sceneName;
    }
    if (!account) {
        if (entry->encrypted) {
            return "The archive " + archivePath + " is protected by a password, but user " +
                   userName + " has no archive password";
        }
        return {};
    }
    if (!entry->encrypted) {
        return "The archive " + archivePath + " of account " + userName +
               " is not protected by its password";
    }
    ArchiveReport test = TestArchive(sevenZip, nativeArchive, password);
    if (!test.ok) {
        return WithErrors("The archive " + archivePath +
                              " does not open with the password of account " + userName,
                          test.errors);
    }
    return {};
}

}  // namespace farm
