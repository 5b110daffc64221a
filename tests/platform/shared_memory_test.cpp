#include "platform/shared_memory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/last_error.h"

namespace {

// A name of this process only, so parallel test runs do not meet.
std::u16string SectionName(const char* what) {
    std::string name = std::string("ZEP_TEST_") + what + "_" + std::to_string(::getpid());
    return std::u16string(name.begin(), name.end());
}

// The bytes published, cut at the limit; empty and missing sections.
TEST(SharedMemory, PublishedBytesAreReadBackUpToTheLimit) {
    const std::u16string name = SectionName("bytes");
    const std::string bytes("user\0after", 10);
    os::SharedMemorySection section;
    ASSERT_TRUE(section.Publish(name, bytes));
    std::string read = "stale";
    ASSERT_TRUE(os::ReadSharedMemory(name, 4096, read));
    EXPECT_EQ(read, bytes);
    ASSERT_TRUE(os::ReadSharedMemory(name, 6, read));
    EXPECT_EQ(read, bytes.substr(0, 6));

    // Republishing replaces the content, here by an empty one.
    ASSERT_TRUE(section.Publish(name, ""));
    ASSERT_TRUE(os::ReadSharedMemory(name, 4096, read));
    EXPECT_EQ(read, "");

    section.Remove();
    EXPECT_FALSE(os::ReadSharedMemory(name, 4096, read));
    EXPECT_EQ(os::GetLastError(), os::kErrorFileNotFound);
    EXPECT_EQ(read, "");
}

}  // namespace
