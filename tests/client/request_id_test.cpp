#include "client/request_id.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/client/client_fixture.h"

namespace client_test {
namespace {

// 8-4-4-4-12 upper-case hexadecimal digits, no braces.
bool IsRequestId(const std::u16string& id) {
    if (id.size() != 36) {
        return false;
    }
    for (size_t i = 0; i < id.size(); ++i) {
        char16_t c = id[i];
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != u'-') {
                return false;
            }
        } else if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'))) {
            return false;
        }
    }
    return true;
}

using RequestIdTest = ClientTest;

TEST_F(RequestIdTest, TwoIdsDifferAndMatchThePattern) {
    std::u16string first = NewRequestId();
    std::u16string second = NewRequestId();
    EXPECT_TRUE(IsRequestId(first)) << testing_support::U8(first);
    EXPECT_TRUE(IsRequestId(second)) << testing_support::U8(second);
    EXPECT_NE(first, second);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(RequestIdTest, ManyIdsAllMatch) {
    for (int i = 0; i < 200; ++i) {
        std::u16string id = NewRequestId();
        ASSERT_TRUE(IsRequestId(id)) << testing_support::U8(id);
        EXPECT_EQ(id[14], u'4');  // version 4 GUIDs
    }
}

TEST_F(RequestIdTest, PatternCheckRejectsOtherForms) {
    EXPECT_FALSE(IsRequestId(u"{6F9619FF-8B86-D011-B42D-00C04FC964FF}"));
    EXPECT_FALSE(IsRequestId(u"6f9619ff-8b86-d011-b42d-00c04fc964ff"));
    EXPECT_TRUE(IsRequestId(u"6F9619FF-8B86-D011-B42D-00C04FC964FF"));
}

}  // namespace
}  // namespace client_test
