#include "packaging/archive_accounts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

bool IsLowerHex(const std::string& text) {
    return text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

TEST(ArchiveAccountsTest, ThreeDistinctEightDigitAccountsAndASevenCharacterSuffix) {
    std::set<std::u16string_view> distinct(kArchiveAccounts.begin(), kArchiveAccounts.end());
    EXPECT_EQ(distinct.size(), 3u);
    for (std::u16string_view account : kArchiveAccounts) {
        ASSERT_EQ(account.size(), 8u);
        for (char16_t c : account) {
            EXPECT_TRUE(c >= u'0' && c <= u'9');
        }
    }
    EXPECT_EQ(kArchivePasswordSuffix.size(), 7u);
    EXPECT_EQ(kArchivePasswordSuffix[0], u'.');
}

TEST(ArchiveAccountsTest, OnlyWholeExactNamesAreAccounts) {
    for (std::u16string_view account : kArchiveAccounts) {
        const std::u16string name(account);
        EXPECT_TRUE(IsArchiveAccount(name));
        EXPECT_FALSE(IsArchiveAccount(name.substr(0, 7)));
        EXPECT_FALSE(IsArchiveAccount(name + u"0"));
        EXPECT_FALSE(IsArchiveAccount(u" " + name));
        EXPECT_FALSE(IsArchiveAccount(name + u" "));
    }
    EXPECT_FALSE(IsArchiveAccount(u""));
    EXPECT_FALSE(IsArchiveAccount(u"12345678"));
}

TEST(ArchiveAccountsTest, PasswordInterleavesTheTwoDigests) {
    // md5("house") = 2ca63cddd54f9490efad22421891a9d1
    // md5("house.zepkey") = 66b4ebc0f96288020c6c5ac34f3be94b
    const std::string password = ArchivePassword(u"house");
    EXPECT_EQ(password, "26c6ab643ecbdcd0df5946f298489002e0fca6dc252a4c23148f931bae99d41b");
    std::string first;
    std::string second;
    for (size_t i = 0; i < password.size(); i += 2) {
        first += password[i];
        second += password[i + 1];
    }
    EXPECT_EQ(first, "2ca63cddd54f9490efad22421891a9d1");
    EXPECT_EQ(second, "66b4ebc0f96288020c6c5ac34f3be94b");
}

TEST(ArchiveAccountsTest, PasswordDigestsTheUtf8Text) {
    // md5 of the UTF-8 bytes of "房子" and of "房子.zepkey".
    EXPECT_EQ(ArchivePassword(u"房子"),
              "9ca962a71f98495991915bd498ed9831d4b0c5676af6724d59676b55123c8071");
}

TEST(ArchiveAccountsTest, PasswordOfAnyNameIs64LowerHexCharacters) {
    for (const std::u16string& name : {std::u16string(), std::u16string(u"a.b"),
                                       std::u16string(u"living room"), std::u16string(500, u'x')}) {
        const std::string password = ArchivePassword(name);
        EXPECT_EQ(password.size(), 64u);
        EXPECT_TRUE(IsLowerHex(password)) << password;
    }
    // md5("") = d41d8cd98f00b204e9800998ecf8427e, md5(".zepkey") = 492cf4bb87ed017466b8fd9b1881d7f8
    EXPECT_EQ(ArchivePassword(u"").substr(0, 8), "d44912dc");
}

}  // namespace
