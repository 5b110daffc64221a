// Starting a real program of this build: on Linux and on Windows alike.
#include <gtest/gtest.h>

#include <string>

#include "platform/last_error.h"
#include "platform/process.h"
#include "tests/support/temp_root.h"

namespace {

using testing_support::U16;

class ProcessProgramTest : public testing_support::TempRootTest {
protected:
    bool Run(const std::string& commandLine) {
        exitCode = 12345;
        os::SetLastError(0);
        return os::RunProcessAndWait(U16(commandLine), exitCode);
    }

    const std::string program = RECORD_ARGUMENTS_PATH;
    const std::string record = testing_support::U8(root.Wide("args.txt"));
    uint32_t exitCode = 0;
};

TEST_F(ProcessProgramTest, ArgumentsArriveSplitAndTheExitCodeComesBack) {
    const struct {
        std::string arguments;
        std::string recorded;
    } cases[] = {
        {"plain", "plain\n"},
        {R"("two words" say\"hi "" a\\b "x""y)", "two words\nsay\"hi\n\na\\\\b\nx\"y\n"},
        {"", ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Run("\"" + program + "\" \"" + record + "\" 7 " + c.arguments)) << c.arguments;
        EXPECT_EQ(exitCode, 7u);
        EXPECT_EQ(root.ReadFile("args.txt"), c.recorded);
    }
    ASSERT_TRUE(Run("\"" + program + "\" \"" + record + "\" 0"));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(ProcessProgramTest, AMissingProgramDoesNotStart) {
    EXPECT_FALSE(Run("\"" + testing_support::U8(root.Wide("none.exe")) + "\" a b"));
    EXPECT_EQ(os::GetLastError(), os::kErrorFileNotFound);
    EXPECT_EQ(exitCode, 12345u);
}

}  // namespace
