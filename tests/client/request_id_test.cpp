#include "client/request_id.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/client/client_fixture.h"

namespace client_test {
namespace {

using RequestIdTest = ClientTest;

TEST_F(RequestIdTest, IdsDifferAndAreUpperCaseVersion4Guids) {
    std::set<std::u16string> ids;
    for (int i = 0; i < 200; ++i) {
        const std::u16string id = NewRequestId();
        ASSERT_THAT(testing_support::U8(id),
                    MatchesPattern("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[0-9A-F]{4}-"
                                   "[0-9A-F]{12}"));
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 200u);
    EXPECT_EQ(LogText(), "");
}

}  // namespace
}  // namespace client_test
