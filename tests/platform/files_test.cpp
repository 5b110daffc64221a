#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "platform/code_page.h"
#include "platform/crt_files.h"
#include "tests/platform/fails_with.h"
#include "tests/support/temp_root.h"

namespace {

using FilesTest = testing_support::TempRootTest;

TEST_F(FilesTest, FoldersComeOneLevelAtATimeAndWhatIsMissingOrAFolderHasItsOwnCode) {
    EXPECT_TRUE(FailsWith(os::CreateFolder(root.Wide("a/b")), os::kErrorPathNotFound));
    EXPECT_TRUE(os::CreateFolder(root.Wide("a")));
    EXPECT_TRUE(os::CreateFolder(root.Wide("a/b")));
    EXPECT_TRUE(FailsWith(os::CreateFolder(root.Wide("a")), os::kErrorAlreadyExists));

    std::string bytes = "stale";
    EXPECT_TRUE(FailsWith(os::ReadWholeFile(root.Wide("none.txt"), bytes), os::kErrorFileNotFound));
    EXPECT_TRUE(FailsWith(os::ReadWholeFile(root.Wide("no-folder/none.txt"), bytes),
                          os::kErrorPathNotFound));
    EXPECT_TRUE(FailsWith(os::DeleteFile(root.Wide("none.txt")), os::kErrorFileNotFound));
    EXPECT_FALSE(os::PathExists(root.Wide("none.txt")));

    // A folder is not a file: opening it as one is refused (ERROR_ACCESS_DENIED) before any read.
    os::InputFile file;
    EXPECT_TRUE(FailsWith(file.Open(root.Wide("a")), os::kErrorAccessDenied));
    EXPECT_TRUE(FailsWith(os::ReadWholeFile(root.Wide("a"), bytes), os::kErrorAccessDenied));
    EXPECT_TRUE(FailsWith(os::DeleteFile(root.Wide("a")), os::kErrorAccessDenied));
    EXPECT_TRUE(os::IsFolder(root.Wide("a/b")));  // made, and kept
}

TEST_F(FilesTest, CopyReplacesAnExistingDestinationAndRenameRefusesTo) {
    const std::string binary("\0binary\xff", 8);
    root.WriteFile("scene.max", binary);
    root.WriteFile("copy.max", "older and longer content");
    EXPECT_TRUE(os::CopyFile(root.Wide("scene.max"), root.Wide("copy.max")));
    EXPECT_EQ(root.ReadFile("copy.max"), binary);
    EXPECT_TRUE(FailsWith(os::CopyFile(root.Wide("gone.max"), root.Wide("copy2.max")),
                          os::kErrorFileNotFound));
    EXPECT_FALSE(root.Exists("copy2.max"));

    root.WriteFile("b.log", "b");
    EXPECT_TRUE(FailsWith(os::RenameFile(root.Wide("scene.max"), root.Wide("b.log")),
                          os::kErrorAlreadyExists));
    EXPECT_EQ(root.ReadFile("b.log"), "b");
    EXPECT_TRUE(os::RenameFile(root.Wide("scene.max"), root.Wide("c.log")));
    EXPECT_EQ(root.ReadFile("c.log"), binary);
    EXPECT_FALSE(root.Exists("scene.max"));
}

TEST_F(FilesTest, AtomicWritesReplaceWholeAndLeaveNoTemporaryFile) {
    root.WriteFile("out/job.json", "old");
    std::string big(300000, 'j');
    EXPECT_TRUE(os::WriteFileAtomically(root.Wide("out/job.json"), big));
    EXPECT_EQ(root.ReadFile("out/job.json"), big);
    const std::filesystem::directory_iterator out(root.Path() / "out");
    EXPECT_EQ(std::distance(begin(out), end(out)), 1);
    EXPECT_TRUE(FailsWith(os::WriteFileAtomically(root.Wide("missing/job.json"), "x"),
                          os::kErrorPathNotFound));

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
    EXPECT_TRUE(FailsWith(os::WriteTextFileAtomically(root.Wide("missing/job.json"), {"x\n"}),
                          os::kErrorPathNotFound));
}

// Paths as Windows programs write them: back slashes between folders, and narrow paths for the
// C runtime in code page 936.
TEST_F(FilesTest, BackSlashesAndNarrowRuntimePathsInCodePage936) {
    root.WriteFile("场景 1/house.max", "max");
    std::string bytes;
    EXPECT_TRUE(os::ReadWholeFile(root.Wide() + u"\\场景 1\\house.max", bytes));
    EXPECT_EQ(bytes, "max");

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
