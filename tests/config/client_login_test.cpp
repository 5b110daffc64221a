#include "config/client_login.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/shared_memory.h"

namespace {

using namespace std::string_literals;

// Each test publishes the sections it needs and removes them when it ends.
class ClientLoginTest : public testing::Test {
protected:
    ClientLogin Read() {
        ClientLogin login;
        ReadClientLogin(login);
        return login;
    }
    os::SharedMemorySection userName;
    os::SharedMemorySection savePath;
};

TEST_F(ClientLoginTest, NeitherSectionLeavesTheRecordEmpty) {
    ClientLogin login = Read();
    EXPECT_FALSE(login.complete);
    EXPECT_EQ(login.userName, u"");
    EXPECT_EQ(login.savePath, u"");
    EXPECT_EQ(login.savePathUtf8, "");
}

TEST_F(ClientLoginTest, OnlyTheUserNameIsNotComplete) {
    ASSERT_TRUE(userName.Publish(kUserNameSection, "10000001\0"s));
    ClientLogin login = Read();
    EXPECT_EQ(login.userName, u"10000001");
    EXPECT_EQ(login.savePath, u"");
    EXPECT_FALSE(login.complete);
}

TEST_F(ClientLoginTest, ChineseTextArrivesUnchanged) {
    ASSERT_TRUE(userName.Publish(kUserNameSection, "渲染用户\0garbage"s));
    ASSERT_TRUE(savePath.Publish(kSavePathSection, "D:\\农场\\输出\0"s));
    ClientLogin login = Read();
    EXPECT_EQ(login.userName, u"渲染用户");
    EXPECT_EQ(login.savePath, u"D:\\农场\\输出");
    EXPECT_EQ(login.savePathUtf8, "D:\\农场\\输出");
    EXPECT_TRUE(login.complete);
}

TEST_F(ClientLoginTest, EmptyTextsStillComplete) {
    ASSERT_TRUE(userName.Publish(kUserNameSection, "\0"s));
    ASSERT_TRUE(savePath.Publish(kSavePathSection, ""));
    ClientLogin login = Read();
    EXPECT_TRUE(login.complete);
    EXPECT_EQ(login.userName, u"");
    EXPECT_EQ(login.savePathUtf8, "");
}

TEST_F(ClientLoginTest, TextWithoutZeroIsCutAtTheBuffer) {
    ASSERT_TRUE(userName.Publish(kUserNameSection, std::string(6000, 'u')));
    ASSERT_TRUE(savePath.Publish(kSavePathSection, std::string(4096, 's') + "tail"));
    ClientLogin login = Read();
    EXPECT_EQ(login.userName, std::u16string(kLoginSectionBufferSize, u'u'));
    EXPECT_EQ(login.savePathUtf8, std::string(kLoginSectionBufferSize, 's'));
}

TEST_F(ClientLoginTest, ALaterLoginIsSeenAtTheNextRead) {
    ASSERT_TRUE(userName.Publish(kUserNameSection, "first\0"s));
    EXPECT_EQ(Read().userName, u"first");
    ASSERT_TRUE(userName.Publish(kUserNameSection, "second\0"s));
    EXPECT_EQ(Read().userName, u"second");
    userName.Remove();
    EXPECT_EQ(Read().userName, u"");
}

// The client may shrink a section at any moment: a read gives what is there, never a fault.
TEST_F(ClientLoginTest, ASectionShrunkWhileItIsReadGivesWhatIsThere) {
    const std::string full(8192, 'u');
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
        const ClientLogin login = Read();
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
