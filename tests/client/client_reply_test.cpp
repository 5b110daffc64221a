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

TEST_F(ClientReplyTest, EachCodeShowsItsBoxAndWritesItsLine) {
    struct Case {
        std::string reply;
        int32_t code;
        std::u16string box;   // empty: none
        std::string logLine;  // empty: none
    };
    for (const Case& c : std::initializer_list<Case>{
             {R"({"ret":10001})", 10001, Box(S(98), u""), "[INFO] Submit successfully."},
             {R"({"ret":10002})", 10002, Box(S(54)),
              "[ERROR] The client's current project is not a 3ds max render project, please "
              "set it up again!"},
             {R"({"ret":10003})", 10003, Box(S(46)),
              "[ERROR] The client rendering version is not match!"},
             {R"({"ret":10004})", 10004, Box(S(47)),
              "[ERROR] The current project is not an design sketch project!"},
             {R"({"ret":10005})", 10005, Box(S(48)), "[ERROR] The scene file is not exist!"},
             {R"({"ret":10006})", 10006, Box(S(55)), "[ERROR] he Analysis file is not exist!"},
             {R"({"ret":10007})", 10007, Box(S(56)), "[ERROR] Parse the analysis file failed!"},
             {R"({"ret":10008})", 10008, Box(S(50)),
              "[ERROR] The current submission of the scene suffix is wrong, please check for "
              "confirmation!"},
             {R"({"ret":10009})", 10009, Box(S(51)),
              "[ERROR] The current submission scenario already exists, please do not repeat "
              "the submission!"},
             {R"({"ret":11000})", 11000, Box(S(52)),
              "[ERROR] An internal error occurred. Please restart 3ds max and re-operate!"},
             {R"({"ret":11010})", 11010, Box(S(38)),
              "[ERROR] Camera name can not have special characters, please modify and "
              "re-submit!"},
             {R"({"ret":10010,"err":"场景文件已损坏，请重新保存"})", 10010,
              Box(u"场景文件已损坏，请重新保存"), "[ERROR] 场景文件已损坏，请重新保存"},
             // The box stops at a zero character; the log keeps the whole text.
             {R"({"ret":10010,"err":"before\u0000after"})", 10010, Box(u"before"),
              std::string("[ERROR] before\0after", 20)},
             {R"({"ret":10005,"err":"ignored"})", 10005, Box(S(48)),
              "[ERROR] The scene file is not exist!"},
             {R"({"ret":10007.0})", 10007, Box(S(56)), "[ERROR] Parse the analysis file failed!"},
             // A code without a row, and a missing code, go silently.
             {R"({"ret":12345})", 12345, u"", ""},
             {R"({"ret":-7})", -7, u"", ""},
             {R"({"ret":10011})", 10011, u"", ""},
             {"{}", 0, u"", ""},
             {R"({"ret":null})", 0, u"", ""},
         }) {
        SCOPED_TRACE(c.reply);
        EXPECT_EQ(Handle(c.reply), c.code);
        EXPECT_EQ(printed, "");
        EXPECT_EQ(TakeBox(), c.box);
        EXPECT_EQ(LogText(), c.logLine.empty() ? "" : c.logLine + "\n");
        root.WriteFile("ZEP Rendering/log/pmx_http.log", "");
    }
}

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
        EXPECT_THAT(printed, testing::MatchesRegex("Error [0-9]+ in WinHttpReadData\\.\n"));
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
