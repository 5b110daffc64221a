#include "platform/shared_memory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/platform/fails_with.h"

namespace {

// A name of this run only, so parallel test runs do not meet.
std::u16string SectionName(const char* what) {
    static const std::string run = std::to_string(std::random_device{}());
    std::string name = std::string("ZEP_TEST_") + what + "_" + run;
    return std::u16string(name.begin(), name.end());
}

// A view holds whole pages of 4 KiB: the published bytes, then zeros to the page's end, cut at
// the limit.
TEST(SharedMemory, PublishedBytesAreReadInWholePagesUpToTheLimit) {
    const std::string bytes("user\0after", 10);
    const std::string page = bytes + std::string(4096 - bytes.size(), '\0');
    struct Case {
        std::string published;
        size_t limit;
        std::string read;
    };
    for (const Case& c : {
             Case{bytes, 6, bytes.substr(0, 6)},
             Case{bytes, 10, bytes},
             Case{bytes, 4096, page},
             Case{bytes, 100000, page},
             Case{std::string(4096, 'p'), 100000, std::string(4096, 'p')},
             Case{std::string(4097, 'p'), 100000, std::string(4097, 'p') + std::string(4095, '\0')},
         }) {
        SCOPED_TRACE(testing::Message() << c.published.size() << " bytes, limit " << c.limit);
        const std::u16string name = SectionName("bytes");
        os::SharedMemorySection section;
        ASSERT_TRUE(section.Publish(name, c.published));
        std::string read = "stale";
        ASSERT_TRUE(os::ReadSharedMemory(name, c.limit, read));
        EXPECT_EQ(read, c.read);
    }
}

// Republishing replaces the content; a section has at least one byte; a removed section is
// gone.
TEST(SharedMemory, RepublishedEmptyAndRemovedSections) {
    const std::u16string name = SectionName("replace");
    os::SharedMemorySection section;
    ASSERT_TRUE(section.Publish(name, "first"));
    ASSERT_TRUE(section.Publish(name, "2nd"));
    std::string read;
    ASSERT_TRUE(os::ReadSharedMemory(name, 5, read));
    EXPECT_EQ(read, std::string("2nd\0\0", 5));

    EXPECT_TRUE(FailsWith(section.Publish(name, ""), os::kErrorInvalidParameter));

    ASSERT_TRUE(section.Publish(name, "x"));
    section.Remove();
    read = "stale";
    EXPECT_TRUE(FailsWith(os::ReadSharedMemory(name, 4096, read), os::kErrorFileNotFound));
    EXPECT_EQ(read, "");
}

}  // namespace
