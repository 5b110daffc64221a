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

TEST(SharedMemory, PublishedBytesAreReadBackWhole) {
    std::u16string name = SectionName("bytes");
    std::string bytes("user\0after", 10);
    os::SharedMemorySection section;
    ASSERT_TRUE(section.Publish(name, bytes));
    os::SharedMemoryView view;
    ASSERT_TRUE(view.Open(name));
    ASSERT_EQ(view.Size(), bytes.size());
    EXPECT_EQ(std::string(view.Data(), view.Size()), bytes);
}

TEST(SharedMemory, RemovedOrMissingSectionsCannotBeOpened) {
    std::u16string name = SectionName("gone");
    {
        os::SharedMemorySection section;
        ASSERT_TRUE(section.Publish(name, "x"));
    }
    os::SharedMemoryView view;
    EXPECT_FALSE(view.Open(name));
    EXPECT_EQ(os::GetLastError(), os::kErrorFileNotFound);
}

TEST(SharedMemory, RepublishingReplacesTheContent) {
    std::u16string name = SectionName("again");
    os::SharedMemorySection section;
    ASSERT_TRUE(section.Publish(name, std::string(8192, 'a')));
    ASSERT_TRUE(section.Publish(name, "b"));
    os::SharedMemoryView view;
    ASSERT_TRUE(view.Open(name));
    EXPECT_EQ(std::string(view.Data(), view.Size()), "b");
}

TEST(SharedMemory, EmptySectionIsAnEmptyView) {
    std::u16string name = SectionName("empty");
    os::SharedMemorySection section;
    ASSERT_TRUE(section.Publish(name, ""));
    os::SharedMemoryView view;
    ASSERT_TRUE(view.Open(name));
    EXPECT_EQ(view.Size(), 0u);
}

}  // namespace
