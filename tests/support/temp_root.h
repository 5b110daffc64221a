#pragma once
// A fresh temporary folder per test, set as the all-users application-data root while the test
// runs (app_data_root.h), and removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/app_data_root.h"

namespace testing_support {

class TempRoot {
public:
    TempRoot();
    ~TempRoot();
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The root as the plug-in sees it, and a path below it in UTF-16.
    std::u16string Wide() const;
    std::u16string Wide(const std::string& relativeUtf8) const;
    // Writes a file (creating its folders) and reads one back.
    void WriteFile(const std::string& relativeUtf8, const std::string& bytes) const;
    std::string ReadFile(const std::string& relativeUtf8) const;
    bool Exists(const std::string& relativeUtf8) const;

private:
    std::filesystem::path path_;
    std::unique_ptr<AppDataRootOverride> override_;
};

// A test fixture that owns a TempRoot.
class TempRootTest : public ::testing::Test {
protected:
    TempRoot root;
};

// UTF-8 text (u8"" literals and plain ones) as UTF-16, for test data.
std::u16string U16(const std::string& utf8);
std::string U8(const std::u16string& utf16);

}  // namespace testing_support
