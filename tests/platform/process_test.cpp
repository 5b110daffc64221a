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
    // Writes a file below the root, executable unless told otherwise; its full path.
    std::string Write(const std::string& relative, const std::string& bytes,
                      bool executable = true) {
        root.WriteFile(relative, bytes);
        if (executable) {
            std::filesystem::permissions(root.Path() / relative, std::filesystem::perms::owner_all);
        }
        return (root.Path() / relative).string();
    }

    bool Run(const std::string& commandLine) {
        exitCode = 12345;
        os::SetLastError(0);
        return os::RunProcessAndWait(U16(commandLine), exitCode);
    }

    uint32_t exitCode = 0;
};

TEST_F(ProcessTest, PassesExactArgumentsWithoutAShell) {
    // In a folder with a blank in its name, run by an unquoted path.
    const std::string program =
        Write("ZEP Rendering/bin/record", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" +
                                              (root.Path() / "args.txt").string() + "\"\n");
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
    const std::string tool = Write("ZEP Rendering/tool.exe", "#!/bin/sh\nexit 7\n");
    ASSERT_TRUE(Run(tool.substr(0, tool.size() - 4) + " x"));  // ".exe" appended
    EXPECT_EQ(exitCode, 7u);
    ASSERT_TRUE(Run(Write("killed", "#!/bin/sh\nkill -9 $$\n")));
    EXPECT_EQ(exitCode, 128u + 9u);
}

TEST_F(ProcessTest, FailsForWhatIsNotAProgram) {
    std::filesystem::create_directories(root.Path() / "folder");
    auto fails = [&](const std::string& commandLine, uint32_t error) {
        EXPECT_FALSE(Run(commandLine)) << commandLine;
        EXPECT_EQ(os::GetLastError(), error) << commandLine;
    };
    fails((root.Path() / "ZEP Rendering/none").string() + " a b", os::kErrorFileNotFound);
    fails(Write("plain.sh", "#!/bin/sh\nexit 0\n", false), os::kErrorFileNotFound);
    fails((root.Path() / "folder").string(), os::kErrorFileNotFound);
    fails(Write("garbage", "\177ELF junk"), os::kErrorBadExeFormat);
}

}  // namespace
