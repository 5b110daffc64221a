#include "platform/process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/last_error.h"
#include "tests/support/temp_root.h"

namespace {

using testing_support::U16;

class ProcessTest : public testing_support::TempRootTest {
protected:
    // Writes an executable shell script below the root and returns its full path.
    std::string WriteScript(const std::string& relative, const std::string& body) {
        root.WriteFile(relative, "#!/bin/sh\n" + body);
        const std::filesystem::path path = root.Path() / relative;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path.string();
    }

    // A script, in a folder with a blank in its name, that writes its arguments to args.txt.
    std::string WriteRecorder() {
        return WriteScript(
            "ZEP Rendering/bin/record",
            "printf '%s\\n' \"$@\" > \"" + (root.Path() / "args.txt").string() + "\"\n");
    }

    bool Run(const std::string& commandLine) {
        exitCode = 12345;
        return os::RunProcessAndWait(U16(commandLine), exitCode);
    }

    uint32_t exitCode = 0;
};

TEST_F(ProcessTest, UnquotedPathWithBlankAndExactArguments) {
    const std::string program = WriteRecorder();
    ASSERT_TRUE(Run(program + R"( plain "two words" say\"hi "" a\\b "x""y)"));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(root.ReadFile("args.txt"), "plain\ntwo words\nsay\"hi\n\na\\\\b\nx\"y\n");
}

TEST_F(ProcessTest, QuotedPathAndNoArguments) {
    const std::string program = WriteRecorder();
    ASSERT_TRUE(Run("\"" + program + "\""));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(root.ReadFile("args.txt"), "\n");
}

TEST_F(ProcessTest, ExeAppended) {
    const std::string program = WriteScript("ZEP Rendering/tool.exe", "exit 7\n");
    ASSERT_TRUE(Run(program.substr(0, program.size() - 4) + " x"));
    EXPECT_EQ(exitCode, 7u);
}

TEST_F(ProcessTest, ExitCodeAndSignal) {
    ASSERT_TRUE(Run(WriteScript("exit3", "exit 3\n")));
    EXPECT_EQ(exitCode, 3u);
    ASSERT_TRUE(Run(WriteScript("killed", "kill -9 $$\n")));
    EXPECT_EQ(exitCode, 128u + 9u);
}

TEST_F(ProcessTest, NoShellInterpretation) {
    const std::string program = WriteRecorder();
    const std::string touched = (root.Path() / "touched").string();
    ASSERT_TRUE(Run(program + " $(touch " + touched + ") ; `touch " + touched + "` | > $HOME *"));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(root.ReadFile("args.txt"),
              "$(touch\n" + touched + ")\n;\n`touch\n" + touched + "`\n|\n>\n$HOME\n*\n");
    EXPECT_FALSE(root.Exists("touched"));
}

TEST_F(ProcessTest, MissingProgram) {
    os::SetLastError(0);
    EXPECT_FALSE(Run((root.Path() / "ZEP Rendering/none").string() + " a b"));
    EXPECT_EQ(os::GetLastError(), os::kErrorFileNotFound);
}

TEST_F(ProcessTest, NotExecutableIsNotAProgram) {
    root.WriteFile("plain.sh", "#!/bin/sh\nexit 0\n");
    os::SetLastError(0);
    EXPECT_FALSE(Run((root.Path() / "plain.sh").string()));
    EXPECT_EQ(os::GetLastError(), os::kErrorFileNotFound);
    // A folder neither.
    std::filesystem::create_directories(root.Path() / "folder");
    EXPECT_FALSE(Run((root.Path() / "folder").string()));
    EXPECT_EQ(os::GetLastError(), os::kErrorFileNotFound);
}

TEST_F(ProcessTest, UnknownFormat) {
    root.WriteFile("garbage", std::string("\x7f"
                                          "ELF junk",
                                          9));
    std::filesystem::permissions(root.Path() / "garbage", std::filesystem::perms::owner_all);
    os::SetLastError(0);
    EXPECT_FALSE(Run((root.Path() / "garbage").string()));
    EXPECT_EQ(os::GetLastError(), os::kErrorBadExeFormat);
}

}  // namespace
