#include "packaging/archive_accounts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Which names are accounts: the scene archive's tests. The password of "house" is there too.
TEST(ArchiveAccountsTest, PasswordInterleavesTheDigestsOfTheUtf8Text) {
    // md5("房子") = 9a6a1945..., md5("房子.zepkey") = c927f899...
    EXPECT_EQ(ArchivePassword(u"房子"),
              "9ca962a71f98495991915bd498ed9831d4b0c5676af6724d59676b55123c8071");
    // md5("") = d41d8cd9..., md5(".zepkey") = 492cf4bb...
    EXPECT_EQ(ArchivePassword(u"").substr(0, 8), "d44912dc");
    EXPECT_EQ(ArchivePassword(std::u16string(500, u'x')).size(), 64u);
}

}  // namespace
