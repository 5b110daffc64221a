#include "packaging/archive_accounts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ArchiveAccountsTest, OnlyWholeExactNamesAreAccounts) {
    for (std::u16string_view account : kArchiveAccounts) {
        const std::u16string name(account);
        EXPECT_TRUE(IsArchiveAccount(name));
        for (const std::u16string& other : {name.substr(0, 7), name + u"0", u" " + name}) {
            EXPECT_FALSE(IsArchiveAccount(other));
        }
    }
    EXPECT_FALSE(IsArchiveAccount(u""));
}

TEST(ArchiveAccountsTest, PasswordInterleavesTheDigestsOfTheUtf8Text) {
    // md5("house") = 2ca63cddd54f9490efad22421891a9d1,
    // md5("house.zepkey") = 66b4ebc0f96288020c6c5ac34f3be94b
    EXPECT_EQ(ArchivePassword(u"house"),
              "26c6ab643ecbdcd0df5946f298489002e0fca6dc252a4c23148f931bae99d41b");
    EXPECT_EQ(ArchivePassword(u"房子"),
              "9ca962a71f98495991915bd498ed9831d4b0c5676af6724d59676b55123c8071");
    // md5("") = d41d8cd9..., md5(".zepkey") = 492cf4bb...
    EXPECT_EQ(ArchivePassword(u"").substr(0, 8), "d44912dc");
    const std::string longName = ArchivePassword(std::u16string(500, u'x'));
    EXPECT_EQ(longName.size(), 64u);
    EXPECT_EQ(longName.find_first_not_of("0123456789abcdef"), std::string::npos);
}

}  // namespace
