#include "client/client_reply.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/client/client_fixture.h"

namespace client_test {
namespace {

class ClientReplyTest : public ClientTest {
protected:
    // Handles `reply` and keeps what went to standard output.
    int32_t Handle(const std::string& reply) {
        testing::internal::CaptureStdout();
        const int32_t result = HandleClientReply(reply, owner);
        printed = testing::internal::GetCapturedStdout();
        return result;
    }

    std::string printed;
};

// Replies that are JSON objects are read through the client link (its tests); these are the
// ones that are not, or whose code cannot be read.
TEST_F(ClientReplyTest, UnreadableReplyIsRefusedWithOneLine) {
    const std::vector<std::string> replies = {
        // unparsable
        "{\"ret\":100", "", "not json", "{'ret':10001}",
        "{\"a\":" + std::string(5000, '[') + std::string(5000, ']') + "}",
        // not an object
        "[10001]", "10001", "null",
        // "ret" of the wrong type
        R"({"ret":"10001"})", R"({"ret":true})", R"({"ret":10001.5})", R"({"ret":4294967296})",
        R"({"ret":-2147483649})", R"({"ret":[10001]})",
        // 10010 without a text
        R"({"ret":10010})", R"({"ret":10010,"err":null})", R"({"ret":10010,"err":42})"};
    for (const std::string& reply : replies) {
        SCOPED_TRACE(reply);
        EXPECT_EQ(Handle(reply), -1);
        // The code is whatever the thread's last error holds by then.
        EXPECT_THAT(printed, MatchesPattern("Error [0-9]+ in WinHttpReadData\\.\n"));
        EXPECT_EQ(TakeBox(), Box(S(53)));
    }
    std::string lines;
    for (size_t i = 0; i < replies.size(); ++i) {
        lines += "[ERROR] Get response data failed: parse the data from client failed!\n";
    }
    EXPECT_EQ(LogText(), lines);
}

}  // namespace
}  // namespace client_test
