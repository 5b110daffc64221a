// Starting a real program of this build, on Linux and on Windows alike; on Linux also shell
// scripts, which show how a program is found and that its arguments pass no shell.
#include "platform/process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/platform/fails_with.h"
#include "tests/support/temp_root.h"

namespace {

using testing_support::U16;
using testing_support::U8;

class ProcessTest : public testing_support::TempRootTest {
protected:
    bool Run(const std::string& commandLine) {
        exitCode = 12345;
        os::SetLastError(0);
        return os::RunProcessAndWait(U16(commandLine), exitCode);
    }

    uint32_t exitCode = 0;
};

TEST_F(ProcessTest, ArgumentsArriveSplitTheExitCodeComesBackAndAMissingProgramFails) {
    // The recording program and its first argument, the file it writes.
    const std::string record =
        "\"" RECORD_ARGUMENTS_PATH "\" \"" + U8(root.Wide("args.txt")) + "\"";
    const struct {
        std::string arguments;
        std::string recorded;
    } cases[] = {
        {"plain", "plain\n"},
        {R"("two words" say\"hi "" a\\b "x""y)", "two words\nsay\"hi\n\na\\\\b\nx\"y\n"},
        {"", ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Run(record + " 7 " + c.arguments)) << c.arguments;
        EXPECT_EQ(exitCode, 7u);
        EXPECT_EQ(root.ReadFile("args.txt"), c.recorded);
    }
    ASSERT_TRUE(Run(record + " 0"));
    EXPECT_EQ(exitCode, 0u);

    EXPECT_TRUE(
        FailsWith(Run("\"" + U8(root.Wide("none.exe")) + "\" a b"), os::kErrorFileNotFound));
    EXPECT_EQ(exitCode, 12345u);
}

#ifndef _WIN32

// Writes a file below the root, executable unless told otherwise; its full path.
std::string Write(const testing_support::TempRoot& root, const std::string& relative,
                  const std::string& bytes, bool executable = true) {
    root.WriteFile(relative, bytes);
    if (executable) {
        std::filesystem::permissions(root.Path() / relative, std::filesystem::perms::owner_all);
    }
    return (root.Path() / relative).string();
}

TEST_F(ProcessTest, PassesExactArgumentsWithoutAShell) {
    // In a folder with a blank in its name, run by an unquoted path.
    const std::string program = Write(
        root, "ZEP Rendering/bin/record",
        "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + (root.Path() / "args.txt").string() + "\"\n");
    const std::string touched = (root.Path() / "touched").string();
    ASSERT_TRUE(Run(program + R"( plain "two words" say\"hi "" a\\b "x""y $(touch )" + touched +
                    ") ; `touch " + touched + "` | > $HOME *"));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(root.ReadFile("args.txt"), "plain\ntwo words\nsay\"hi\n\na\\\\b\nx\"y\n$(touch\n" +
                                             touched + ")\n;\n`touch\n" + touched +
                                             "`\n|\n>\n$HOME\n*\n");
    EXPECT_FALSE(root.Exists("touched"));

    ASSERT_TRUE(Run("\"" + program + "\""));
    EXPECT_EQ(root.ReadFile("args.txt"), "\n");
}

TEST_F(ProcessTest, GivesTheExitCode) {
    const std::string tool = Write(root, "ZEP Rendering/tool.exe", "#!/bin/sh\nexit 7\n");
    ASSERT_TRUE(Run(tool.substr(0, tool.size() - 4) + " x"));  // ".exe" appended
    EXPECT_EQ(exitCode, 7u);
    ASSERT_TRUE(Run(Write(root, "killed", "#!/bin/sh\nkill -9 $$\n")));
    EXPECT_EQ(exitCode, 128u + 9u);
}

TEST_F(ProcessTest, FailsForWhatIsNotAProgram) {
    std::filesystem::create_directories(root.Path() / "folder");
    auto fails = [&](const std::string& commandLine, uint32_t error) {
        EXPECT_TRUE(FailsWith(Run(commandLine), error)) << commandLine;
    };
    fails((root.Path() / "ZEP Rendering/none").string() + " a b", os::kErrorFileNotFound);
    fails(Write(root, "plain.sh", "#!/bin/sh\nexit 0\n", false), os::kErrorFileNotFound);
    fails((root.Path() / "folder").string(), os::kErrorFileNotFound);
    fails(Write(root, "garbage", "\177ELF junk"), os::kErrorBadExeFormat);
}

#endif

}  // namespace
