#include "config/client_login.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/shared_memory.h"
#include "tests/support/temp_root.h"

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

// Each section's text up to its first zero, cut at the buffer without one; the record is
// complete only with both sections, even ones with empty texts. Each read sees the sections as
// they are then.
TEST_F(ClientLoginTest, SectionsGiveTheirTextsUpToAZeroOrTheBuffer) {
    using Text = std::optional<std::string>;  // none: the section is not published
    struct Case {
        Text user, save;
        std::u16string userName;
        std::string savePath;
        bool complete;
    };
    const std::string cut(kLoginSectionBufferSize, 's');
    for (const Case& c : {
             Case{"10000001\0"s, {}, u"10000001", "", false},
             Case{"渲染用户\0garbage"s, "D:\\农场\\输出\0"s, u"渲染用户", "D:\\农场\\输出", true},
             Case{"\0"s, "\0"s, u"", "", true},
             Case{std::string(6000, 'u'), cut + "tail",
                  std::u16string(kLoginSectionBufferSize, u'u'), cut, true},
             Case{{}, {}, u"", "", false},
         }) {
        SCOPED_TRACE(c.user.value_or("(none)").substr(0, 20));
        userName.Remove();
        savePath.Remove();
        ASSERT_TRUE(!c.user || userName.Publish(kUserNameSection, *c.user));
        ASSERT_TRUE(!c.save || savePath.Publish(kSavePathSection, *c.save));
        const ClientLogin login = Read();
        EXPECT_EQ(login.userName, c.userName);
        EXPECT_EQ(login.savePathUtf8, c.savePath);
        EXPECT_EQ(login.savePath, testing_support::U16(c.savePath));
        EXPECT_EQ(login.complete, c.complete);
    }
}

}  // namespace
