#pragma once
// A folder of one fuzzer process's own for the files its target writes, in memory (/dev/shm)
// when the system has it there: targets that write and replace files on every input run several
// times faster than on a disk file system. The folder is removed when the process ends normally
// (a crash leaves it, with what the input wrote).

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fuzzing {

inline std::filesystem::path& ScratchFolderPath() {
    static std::filesystem::path path;
    return path;
}

// The folder "<name>-<process id>", made on the first call; later calls return it whatever
// name they give.
inline const std::filesystem::path& ScratchFolder(const std::string& name) {
    std::filesystem::path& folder = ScratchFolderPath();
    if (folder.empty()) {
        std::error_code error;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, error)) {
            base = std::filesystem::temp_directory_path();
        }
        folder = base / (name + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchFolderPath(), ignored);
        });
    }
    return folder;
}

}  // namespace fuzzing
