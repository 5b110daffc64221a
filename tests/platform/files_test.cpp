#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/code_page.h"
#include "platform/crt_files.h"
#include "platform/last_error.h"
#include "tests/support/temp_root.h"

namespace {

using FilesTest = testing_support::TempRootTest;

TEST_F(FilesTest, CreateFolderMakesOneLevelOnly) {
    EXPECT_FALSE(os::CreateFolder(root.Wide("a/b")));
    EXPECT_EQ(os::GetLastError(), os::kErrorPathNotFound);
    EXPECT_TRUE(os::CreateFolder(root.Wide("a")));
    EXPECT_TRUE(os::CreateFolder(root.Wide("a/b")));
    EXPECT_FALSE(os::CreateFolder(root.Wide("a")));
    EXPECT_EQ(os::GetLastError(), os::kErrorAlreadyExists);
    EXPECT_TRUE(os::IsFolder(root.Wide("a/b")));
}

TEST_F(FilesTest, MissingFileAndMissingFolderHaveTheirOwnCodes) {
    std::string bytes;
    EXPECT_FALSE(os::ReadWholeFile(root.Wide("none.txt"), bytes));
    EXPECT_EQ(os::GetLastError(), os::kErrorFileNotFound);
    EXPECT_FALSE(os::ReadWholeFile(root.Wide("no-folder/none.txt"), bytes));
    EXPECT_EQ(os::GetLastError(), os::kErrorPathNotFound);
    EXPECT_FALSE(os::DeleteFile(root.Wide("none.txt")));
    EXPECT_EQ(os::GetLastError(), os::kErrorFileNotFound);
    EXPECT_FALSE(os::PathExists(root.Wide("none.txt")));
}

// A folder is not a file: opening it as one is refused (ERROR_ACCESS_DENIED) before any read.
TEST_F(FilesTest, AFolderIsRefusedWhereAFileIsExpected) {
    root.WriteFile("folder/inside", "");
    os::InputFile file;
    EXPECT_FALSE(file.Open(root.Wide("folder")));
    EXPECT_EQ(os::GetLastError(), os::kErrorAccessDenied);
    std::string bytes = "stale";
    EXPECT_FALSE(os::ReadWholeFile(root.Wide("folder"), bytes));
    EXPECT_EQ(os::GetLastError(), os::kErrorAccessDenied);
    EXPECT_FALSE(os::DeleteFile(root.Wide("folder")));
    EXPECT_EQ(os::GetLastError(), os::kErrorAccessDenied);
    EXPECT_TRUE(os::IsFolder(root.Wide("folder")));
}

TEST_F(FilesTest, CopyReplacesAnExistingDestination) {
    root.WriteFile("scene.max", std::string("\0binary\xff", 8));
    root.WriteFile("copy.max", "older and longer content");
    EXPECT_TRUE(os::CopyFile(root.Wide("scene.max"), root.Wide("copy.max")));
    EXPECT_EQ(root.ReadFile("copy.max"), std::string("\0binary\xff", 8));
    EXPECT_FALSE(os::CopyFile(root.Wide("gone.max"), root.Wide("copy2.max")));
    EXPECT_EQ(os::GetLastError(), os::kErrorFileNotFound);
    EXPECT_FALSE(root.Exists("copy2.max"));
}

TEST_F(FilesTest, RenameRefusesToReplace) {
    root.WriteFile("a.log", "a");
    root.WriteFile("b.log", "b");
    EXPECT_FALSE(os::RenameFile(root.Wide("a.log"), root.Wide("b.log")));
    EXPECT_EQ(os::GetLastError(), os::kErrorAlreadyExists);
    EXPECT_EQ(root.ReadFile("b.log"), "b");
    EXPECT_TRUE(os::RenameFile(root.Wide("a.log"), root.Wide("c.log")));
    EXPECT_EQ(root.ReadFile("c.log"), "a");
}

TEST_F(FilesTest, AtomicWritesReplaceWholeAndLeaveNoTemporaryFile) {
    root.WriteFile("out/job.json", "old");
    std::string big(300000, 'j');
    EXPECT_TRUE(os::WriteFileAtomically(root.Wide("out/job.json"), big));
    EXPECT_EQ(root.ReadFile("out/job.json"), big);
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(root.Path() / "out")) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
    EXPECT_FALSE(os::WriteFileAtomically(root.Wide("missing/job.json"), "x"));
    EXPECT_EQ(os::GetLastError(), os::kErrorPathNotFound);

    // As text, each LF becomes CR LF: around the 64 KiB pieces, in a line longer than one, at
    // the end with and without a line end, and where the caller's pieces split a line.
    std::string text;
    std::string expected;
    for (const size_t length : {0, 10, 65533, 65534, 65535, 65536, 70000, 200000, 3}) {
        text += std::string(length, 'x') + "\n";
        expected += std::string(length, 'x') + "\r\n";
    }
    for (const std::string& tail : {std::string(), std::string("no end")}) {
        const std::string_view whole = text;
        EXPECT_TRUE(os::WriteTextFileAtomically(
            root.Wide("out/job.json"), {whole.substr(0, 65540), whole.substr(65540), tail}));
        EXPECT_EQ(root.ReadFile("out/job.json"), expected + tail);
    }
    EXPECT_FALSE(os::WriteTextFileAtomically(root.Wide("missing/job.json"), {"x\n"}));
    EXPECT_EQ(os::GetLastError(), os::kErrorPathNotFound);
}

TEST_F(FilesTest, BackSlashesSeparateFoldersAsOnWindows) {
    root.WriteFile("场景 1/house.max", "max");
    std::string bytes;
    EXPECT_TRUE(os::ReadWholeFile(root.Wide() + u"\\场景 1\\house.max", bytes));
    EXPECT_EQ(bytes, "max");
}

TEST_F(FilesTest, NarrowRuntimePathsAreCodePage936) {
    std::string folder = os::WideToMultiByte(os::kCodePageChinese, root.Wide() + u"/日志");
    EXPECT_FALSE(os::CrtAccess(folder));
    EXPECT_TRUE(os::CrtMakeFolder(folder));
    EXPECT_TRUE(root.Exists("日志"));
    os::AppendFile file;
    ASSERT_TRUE(file.Open(folder + "\\" + os::WideToMultiByte(os::kCodePageChinese, u"数据.log")));
    EXPECT_TRUE(file.Write("line\r\n"));
    EXPECT_EQ(file.Size(), 6);
    EXPECT_TRUE(file.Write("more\r\n"));
    EXPECT_EQ(file.Size(), 12);
    file.Close();
    EXPECT_EQ(root.ReadFile("日志/数据.log"), "line\r\nmore\r\n");
    EXPECT_FALSE(file.Write("closed"));
    EXPECT_EQ(file.Size(), -1);
}

}  // namespace
