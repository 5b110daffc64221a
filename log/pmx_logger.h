#pragma once
// One rotating log file per module (pmx_data, pmx_ui, pmx_http) in the plug-in's log folder.
// A line is written, flushed and measured inside Write; there is no queue and no thread.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "log/pmx_noncopyable.h"
#include "platform/crt_files.h"
#include "platform/local_time.h"

// The timestamp that starts every line: "2024-03-05 07:08:09:045", or with a non-zero
// compactTime "20240305 07:08:09:045".
std::string FormatLogTime(const os::LocalTime& time, int32_t compactTime);

class pmx_Logger : private pmx_Noncopyable {
public:
    // A logger without a file: builds and creates the log folder only.
    pmx_Logger();
    // A logger of `module` that keeps `fileCount` files of at most `maxSizeMB` MiB each.
    pmx_Logger(const std::string& module, uint32_t maxSizeMB, uint32_t fileCount,
               int32_t compactTime);
    ~pmx_Logger();

    void SetModule(const std::string& module);
    void SetMaxSizeMB(uint32_t maxSizeMB);
    void SetFileCount(uint32_t fileCount);

    // Writes "<time> [<level>] <message>" and rotates the files when the current one has
    // reached the size limit. The bytes of both texts are written unchanged.
    void Write(const std::string& message, const std::string& level);

    // The log folder (code page 936, as the C runtime's narrow file functions take it), and the
    // file names the module uses.
    const std::string& Folder() const { return folder_; }
    std::string CurrentFileName() const;
    std::string OlderFileName(uint32_t number) const;

    // The folder the loggers write to: the data folder's "/log" followed by the configured
    // lowest accepted version, created one level deep when missing.
    static std::string LogFolder();

private:
    // Write without the lock, which the caller holds.
    void WriteLine(const std::string& message, const std::string& level);
    void Rotate();
    void OpenCurrentFile();

    std::string basePath_;
    uint32_t maxSizeMB_ = 0;
    uint32_t fileCount_ = 1;
    std::unique_ptr<os::AppendFile> stream_;
    std::string folder_;
    // Failures met while the folder was found, written once the module's file is open.
    std::vector<std::string> folderProblems_;
    int32_t compactTime_ = 0;
    std::mutex writing_;
};
