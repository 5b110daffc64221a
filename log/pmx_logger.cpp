#include "log/pmx_logger.h"

#include <cstdio>

#include "config/data_folder.h"
#include "log/operation_failures.h"
#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/local_time.h"
#include "platform/profile.h"
#include "text/conversions.h"
#include "text/text_mode.h"

namespace {

constexpr int64_t kBytesPerKiB = 1024;

}  // namespace

std::string FormatLogTime(const os::LocalTime& now, int32_t compactTime) {
    char stamp[64];
    std::snprintf(
        stamp, sizeof stamp,
        compactTime == 0 ? "%4d-%02d-%02d %02d:%02d:%02d:%03d" : "%4d%02d%02d %02d:%02d:%02d:%03d",
        now.year, now.month, now.day, now.hour, now.minute, now.second, now.milliseconds);
    return stamp;
}

namespace {

// The log folder, and the lines that tell what went wrong while it was found.
std::string ReadLogFolder(std::vector<std::string>& problems) {
    std::u16string folder = data_folder::DataPath(data_folder::kLogFolder);
    const std::u16string version(data_folder::kLowerVersionKey);
    os::SetLastError(os::kErrorSuccess);
    folder +=
        os::GetPrivateProfileString(data_folder::kConfigSection, version, u"",
                                    data_folder::kProfileBufferSize, data_folder::ConfigFilePath());
    if (const uint32_t error = os::GetLastError();
        error != os::kErrorSuccess && !IsNotFoundError(error)) {
        // The lines go to the folder without the version in its name.
        problems.push_back(FailedOperationText("GetPrivateProfileString", version, error));
    }
    if (!os::CreateFolder(folder)) {
        if (const uint32_t error = os::GetLastError(); error != os::kErrorAlreadyExists) {
            problems.push_back(FailedOperationText("CreateDirectory", folder, error));
        }
    }
    return ToLocalMultibyte(folder);
}

}  // namespace

std::string pmx_Logger::LogFolder() {
    std::vector<std::string> ignored;
    return ReadLogFolder(ignored);
}

pmx_Logger::pmx_Logger() {
    folder_ = ReadLogFolder(folderProblems_);
}

pmx_Logger::pmx_Logger(const std::string& module, uint32_t maxSizeMB, uint32_t fileCount,
                       int32_t compactTime)
    : maxSizeMB_(maxSizeMB), fileCount_(fileCount), compactTime_(compactTime) {
    folder_ = ReadLogFolder(folderProblems_);
    SetModule(module);
}

pmx_Logger::~pmx_Logger() = default;

void pmx_Logger::SetModule(const std::string& module) {
    std::lock_guard lock(writing_);
    basePath_ = folder_ + "\\" + module;
    if (!os::CrtAccess(folder_)) {
        os::CrtMakeFolder(folder_);
    }
    stream_ = std::make_unique<os::AppendFile>();
    OpenCurrentFile();
}

void pmx_Logger::SetMaxSizeMB(uint32_t maxSizeMB) {
    std::lock_guard lock(writing_);
    maxSizeMB_ = maxSizeMB;
}

void pmx_Logger::SetFileCount(uint32_t fileCount) {
    std::lock_guard lock(writing_);
    fileCount_ = fileCount;
}

std::string pmx_Logger::CurrentFileName() const {
    return basePath_ + ".log";
}

std::string pmx_Logger::OlderFileName(uint32_t number) const {
    return basePath_ + std::to_string(number) + ".log";
}

void pmx_Logger::OpenCurrentFile() {
    stream_->Open(CurrentFileName());
}

void pmx_Logger::Write(const std::string& message, const std::string& level) {
    std::lock_guard lock(writing_);
    if (!stream_) {
        return;
    }
    std::vector<std::string> problems;
    problems.swap(folderProblems_);
    for (const std::string& problem : problems) {
        WriteLine(problem, "WARN");
    }
    WriteLine(message, level);
}

void pmx_Logger::WriteLine(const std::string& message, const std::string& level) {
    std::string line =
        FormatLogTime(os::GetLocalTime(), compactTime_) + " [" + level + "] " + message + "\n";
    // A file that could not be opened or written is tried again with the next line; the line
    // that failed is lost.
    if (!stream_->IsOpen()) {
        OpenCurrentFile();
    }
    if (!stream_->Write(TextModeBytes(line))) {
        stream_->Close();
        return;
    }
    int64_t size = stream_->Size();
    auto sizeKiB = static_cast<int32_t>(size / kBytesPerKiB);
    if (size > 0 &&
        static_cast<int64_t>(sizeKiB) >= static_cast<int64_t>(maxSizeMB_) * kBytesPerKiB) {
        Rotate();
    }
}

void pmx_Logger::Rotate() {
    stream_->Close();
    if (fileCount_ < 2) {
        // A module that keeps one file starts it anew.
        os::CrtRemove(CurrentFileName());
        OpenCurrentFile();
        return;
    }
    for (uint32_t number = fileCount_ - 1; number >= 1; --number) {
        std::string older = OlderFileName(number);
        if (!os::CrtAccess(older)) {
            continue;
        }
        if (number == fileCount_ - 1) {
            os::CrtRemove(older);
        } else {
            os::CrtRename(older, OlderFileName(number + 1));
        }
    }
    os::CrtRename(CurrentFileName(), OlderFileName(1));
    OpenCurrentFile();
}
