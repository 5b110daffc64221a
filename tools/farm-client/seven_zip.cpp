#include "tools/farm-client/seven_zip.h"

#include <cstdlib>
#include <sstream>

#include "config/data_folder.h"
#include "tools/farm-client/farm_root.h"
#include "tools/farm-client/program_run.h"

namespace farm {
namespace {

constexpr const char* kProgramNames[] = {"7zz", "7z", "7za"};
constexpr char kDefaultSearchPath[] = "/usr/local/bin:/usr/bin:/bin";
constexpr char kEntriesMarker[] = "----------";

std::vector<std::string> SearchFolders() {
    const char* variable = std::getenv("PATH");
    std::string path = variable != nullptr && *variable != '\0' ? variable : kDefaultSearchPath;
    std::vector<std::string> folders;
    std::istringstream in(path);
    std::string folder;
    while (std::getline(in, folder, ':')) {
        folders.push_back(folder.empty() ? "." : folder);
    }
    return folders;
}

std::string ErrorLines(const std::string& output) {
    std::istringstream in(output);
    std::string line;
    std::string errors;
    while (std::getline(in, line)) {
        if (line.find("ERROR") != std::string::npos && line != "ERRORS:") {
            errors += (errors.empty() ? "" : " / ") + line;
        }
    }
    return errors;
}

ArchiveReport Run(const std::vector<std::string>& arguments, std::string* output) {
    ProgramRun run = RunProgram(arguments);
    ArchiveReport report;
    report.ok = run.started && run.exitCode == 0;
    if (!run.started) {
        report.errors = "7-Zip (" + arguments.front() + ") did not start";
    } else if (!report.ok) {
        report.errors = ErrorLines(run.output);
        if (report.errors.empty()) {
            report.errors = "7-Zip ended with exit code " + std::to_string(run.exitCode);
        }
    }
    if (output != nullptr) {
        *output = std::move(run.output);
    }
    return report;
}

}  // namespace

std::string FindSystemSevenZip() {
    const std::vector<std::string> folders = SearchFolders();
    for (const char* name : kProgramNames) {
        for (const std::string& folder : folders) {
            std::string candidate = folder + "/" + name;
            if (IsExecutable(candidate)) {
                return candidate;
            }
        }
    }
    return {};
}

std::string FindSevenZip(const std::string& root) {
    std::string installed = DataPath(root, data_folder::kArchiver);
    return IsExecutable(installed) ? installed : FindSystemSevenZip();
}

ArchiveReport ListArchive(const std::string& sevenZip, const std::string& archive,
                          const std::string& password, std::vector<ArchiveEntry>& entries) {
    entries.clear();
    std::string output;
    ArchiveReport report = Run({sevenZip, "l", "-slt", "-p" + password, "--", archive}, &output);
    if (!report.ok) {
        return report;
    }
    // The archive's own properties come first; the entries follow the marker line, one block
    // of "Name = value" lines each.
    std::istringstream in(output);
    std::string line;
    bool inEntries = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!inEntries) {
            inEntries = line == kEntriesMarker;
        } else if (line.rfind("Path = ", 0) == 0) {
            entries.push_back({line.substr(7), false});
        } else if (line == "Encrypted = +" && !entries.empty()) {
            entries.back().encrypted = true;
        }
    }
    return report;
}

ArchiveReport TestArchive(const std::string& sevenZip, const std::string& archive,
                          const std::string& password) {
    return Run({sevenZip, "t", "-p" + password, "--", archive}, nullptr);
}

}  // namespace farm
