// A program of its own: the plan is read once, at the process's first operation.
#include "platform/fault_injection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/profile.h"
#include "tests/platform/fails_with.h"
#include "tests/support/environment.h"

namespace {

const std::string g_trace =
    (std::filesystem::temp_directory_path() / "zep_fault_injection_trace.txt").string();

// Before main: the third operation fails, and each is traced.
const bool g_planned = [] {
    testing_support::SetEnv("ZEP_FAULT_AT", "3");
    testing_support::SetEnv("ZEP_FAULT_TRACE", g_trace);
    std::filesystem::remove(g_trace);
    return true;
}();

TEST(FaultInjectionTest, TheThirdOutermostOperationFailsWithTheErrorItsSystemCallGives) {
    ASSERT_TRUE(g_planned);
    // Paths made without the seam, which would count.
    const std::filesystem::path folder = std::filesystem::path(g_trace).parent_path();
    const std::u16string file = (folder / "zep_fault_injection.ini").u16string();
    const std::u16string copy = (folder / "zep_fault_injection_copy.ini").u16string();
    EXPECT_TRUE(os::WriteFileAtomically(file, "[s]\r\nk=v\r\n"));
    // The file read inside the lookup is part of it, not an operation of its own.
    EXPECT_EQ(os::GetPrivateProfileString(u"s", u"k", u"", 16, file), u"v");
    EXPECT_TRUE(FailsWith(os::CopyFile(file, copy), os::kErrorDiskFull));
    EXPECT_FALSE(std::filesystem::exists(folder / "zep_fault_injection_copy.ini"));
    EXPECT_TRUE(os::DeleteFile(file));

    std::ifstream trace(g_trace);
    const std::string lines(std::istreambuf_iterator<char>(trace), {});
    EXPECT_EQ(lines,
              "1 WriteFileAtomically 112\n2 GetPrivateProfileString 5\n"
              "3 CopyFile 112 injected\n4 DeleteFile 5\n");
}

}  // namespace
