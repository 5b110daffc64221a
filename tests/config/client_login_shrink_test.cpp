// A section that the client shrinks while the plug-in reads it: Linux only, where a shared
// memory object can change its size (a Windows file mapping keeps the size it was made with).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

#include "config/client_login.h"
#include "platform/shared_memory.h"

namespace {

using namespace std::string_literals;

// The client may shrink a section at any moment: a read gives what is there, never a fault.
TEST(ClientLoginShrink, ASectionShrunkWhileItIsReadGivesWhatIsThere) {
    const std::string full(8192, 'u');
    os::SharedMemorySection userName;
    os::SharedMemorySection savePath;
    ASSERT_TRUE(userName.Publish(kUserNameSection, full));
    ASSERT_TRUE(savePath.Publish(kSavePathSection, "D:\\out\0"s));
    const int section = ::shm_open("/ZEPCORP_USERNAME_DATA", O_RDWR, 0);
    ASSERT_GE(section, 0);
    std::atomic<bool> reading{true};
    std::thread client([&] {
        while (reading) {
            if (::ftruncate(section, 0) != 0 || ::ftruncate(section, 8192) != 0 ||
                ::pwrite(section, full.data(), full.size(), 0) <= 0) {
                ADD_FAILURE() << "cannot resize the section";
                return;
            }
        }
    });
    bool whole = true;
    for (int i = 0; i < 20000 && whole; ++i) {
        ClientLogin login;
        ReadClientLogin(login);
        // Some of the published text, or none of it; never more than the buffer.
        whole = login.complete && login.userName.size() <= kLoginSectionBufferSize &&
                login.userName == std::u16string(login.userName.size(), u'u');
    }
    reading = false;
    client.join();
    EXPECT_TRUE(whole);
    ::close(section);
}

}  // namespace
