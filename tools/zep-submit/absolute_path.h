#pragma once
// Paths given on the command line are taken from the current folder and made absolute at once,
// as the host always gives them: a relative scene path would otherwise be packed into the
// archive, and named in the job, as it was typed. A Windows path with a drive or a server
// ("D:\\scenes\\a.max", "\\\\server\\share\\a.max") is absolute already, on Linux too.

#include <cctype>
#include <filesystem>
#include <string>

#include "CLI/CLI.hpp"

inline const CLI::Validator& AbsolutePath() {
    static const CLI::Validator validator(
        [](std::string& path) {
            const bool windowsAbsolute =
                (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                 path[1] == ':' && (path[2] == '\\' || path[2] == '/')) ||
                path.starts_with("\\\\");
            if (windowsAbsolute) {
                return std::string();
            }
            std::error_code error;
            std::filesystem::path full = std::filesystem::absolute(path, error);
            if (error) {
                return "cannot resolve " + path + ": " + error.message();
            }
            path = full.lexically_normal().string();
            return std::string();
        },
        "ABSOLUTE");
    return validator;
}
