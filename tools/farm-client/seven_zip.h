#pragma once
// The machine's 7-Zip: where it is, and what it says about an archive.

#include <string>
#include <vector>

namespace farm {

// The first of 7zz, 7z and 7za found in the folders of PATH (7zz in any folder before 7z), or
// the empty text when there is none.
std::string FindSystemSevenZip();
// The 7-Zip that the root's plug-in data folder points at when it runs, else the system's.
std::string FindSevenZip(const std::string& root);

struct ArchiveEntry {
    std::string path;  // as 7-Zip stores it
    bool encrypted = false;
};

struct ArchiveReport {
    bool ok = false;     // 7-Zip ran and ended with exit code 0
    std::string errors;  // its error lines, joined with " / "
};

// "7z l -slt -p<password> archive": the entries. An empty password never prompts.
ArchiveReport ListArchive(const std::string& sevenZip, const std::string& archive,
                          const std::string& password, std::vector<ArchiveEntry>& entries);
// "7z t -p<password> archive": whether every entry unpacks.
ArchiveReport TestArchive(const std::string& sevenZip, const std::string& archive,
                          const std::string& password);

}  // namespace farm
