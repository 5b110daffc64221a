#include "client/client_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "tests/client/client_fixture.h"
#include "tests/client/raw_server.h"

namespace client_test {
namespace {

using testing::StartsWith;

const std::string kAnswerHead = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n";
const std::string kRead = "[INFO] tcp read data successfully.\n";
const std::string kNoBrace = kRead + "[INFO] find '{' failed.\n";

// How often the on-reply routine ran, and how many boxes had been shown when it first did.
int g_replyCalls = 0;
size_t g_boxesBeforeReply = 0;

void CountReply() {
    if (g_replyCalls++ == 0) {
        g_boxesBeforeReply = win::TakeMessageBoxes().size();
    }
}

std::string Request(int32_t port, const std::string& body) {
    return "POST / HTTP/1.1\r\n"
           "Connection: Keep-Alive\r\n"
           "Content-Type: application/json;charset=utf-8\r\n"
           "User-Agent: A WinHTTP Program For Brass Mill/1.0\r\n"
           "Content-Length: " +
           std::to_string(body.size()) + "\r\nHost: 127.0.0.1:" + std::to_string(port) +
           "\r\n\r\n" + body;
}

// A notice of exactly `size` bytes.
std::string Notice(size_t size) {
    return R"({"scene":")" + std::string(size - 12, 'a') + "\"}";
}

class ClientLinkTest : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        g_replyCalls = 0;
        g_boxesBeforeReply = 0;
    }

    int32_t Send(int32_t port, const std::string& notice = Notice(64),
                 void (*onReply)() = &CountReply) {
        PluginSettings settings;
        settings.host = u"127.0.0.1";
        settings.port = port;
        testing::internal::CaptureStdout();  // a refused reply prints a line
        const int32_t result = SendToClient(settings, notice, owner, onReply);
        printed = testing::internal::GetCapturedStdout();
        return result;
    }

    std::string printed;
};

TEST_F(ClientLinkTest, SendsTheRequestBytesExactly) {
    // The connection uses the port's low 16 bits, the Host line its whole value.
    for (const auto& [notice, portOffset] : std::initializer_list<std::pair<std::string, int>>{
             {Notice(300), 0},
             {R"({"scene":"客厅.max","note":"a\r\nb"})", 0},
             {"", 0},
             {Notice(4 * 1024 * 1024), 0},
             {Notice(40), 65536},
             {Notice(40), -65536},
         }) {
        RawServer server(kAnswerHead + R"({"ret":12345})");
        const int32_t port = server.Port() + portOffset;
        EXPECT_EQ(Send(port, notice, nullptr), 12345);  // no on-reply routine is needed
        EXPECT_EQ(server.Received(), Request(port, notice));
    }
}

TEST_F(ClientLinkTest, NothingListeningFailsAtConnect) {
    EXPECT_EQ(Send(UnusedPort()), -1);
    EXPECT_EQ(TakeBox(), Box(S(43)));
    EXPECT_EQ(LogText(), "[ERROR] connect error, Error Code is: 10061\n");
    EXPECT_EQ(g_replyCalls, 0);
}

TEST_F(ClientLinkTest, ServerGoneBeforeTheRequestFailsAtSend) {
    if (testing_support::RunningUnderWine()) {
        GTEST_SKIP() << "under Wine a close with unread data resets nothing: the send blocks";
    }
    RawServer server("", "", /*readRequest=*/false);
    const std::string notice = Notice(32 * 1024 * 1024);
    EXPECT_EQ(Send(server.Port(), notice), -1);
    EXPECT_EQ(g_replyCalls, 0);
    EXPECT_EQ(TakeBox(), Box(S(43)));
    EXPECT_THAT(LogText(), MatchesPattern("\\[ERROR\\] send error send_size:[0-9]+ total_size:" +
                                          std::to_string(Request(server.Port(), notice).size()) +
                                          ", Error Code is: 10054\n"));
}

// The answer is judged on a single read of 2048 bytes.
TEST_F(ClientLinkTest, EachAnswerGivesItsCodeBoxAndLogLine) {
    std::string answer2048 = kAnswerHead + R"({"ret":10001,"pad":")";
    answer2048 += std::string(2048 - answer2048.size() - 2, 'p') + "\"}";
    const std::string answer2049 = answer2048.substr(0, 2046) + "p\"}";  // cut inside
    const std::string submitted = kRead + "[INFO] Submit successfully.\n";
    const std::string unreadable =
        kRead + "[ERROR] Get response data failed: parse the data from client failed!\n";
    struct Case {
        std::string answer;
        std::string secondPiece;
        int32_t result;
        std::u16string box;
        testing::Matcher<std::string> log;
        bool prints = false;  // the line of an unreadable reply on standard output
    };
    std::vector<Case> cases = {
        {answer2048, "", 10001, Box(S(98), u""), submitted},
        {answer2049, "", -1, Box(S(53)), unreadable, true},
        {"", "", -1, Box(S(43)), StartsWith("[ERROR] connect error, Error Code is: ")},
        {"HTTP/1.1 500 Internal Server Error\r\n\r\n", "", -1, Box(S(44)), kNoBrace},
        {kAnswerHead + '\0' + R"({"ret":10001})", "", -1, Box(S(44)), kNoBrace},
        {kAnswerHead, R"({"ret":10001})", -1, Box(S(44)), kNoBrace},
    };
    // Each code of a reply with its box and its log line; a code without a row, and a missing
    // code, go silently. The box stops at a zero character; the log keeps the whole text.
    struct Reply {
        std::string json;
        int32_t code;
        std::u16string box;
        std::string line;
    };
    for (const Reply& reply : std::initializer_list<Reply>{
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
        cases.push_back({kAnswerHead + reply.json, "", reply.code, reply.box,
                         kRead + reply.line + (reply.line.empty() ? "" : "\n")});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases.data());
        g_replyCalls = 0;
        RawServer server(c.answer, c.secondPiece);
        EXPECT_EQ(Send(server.Port()), c.result);
        EXPECT_EQ(g_replyCalls, 1);
        EXPECT_EQ(g_boxesBeforeReply, 0u);
        EXPECT_EQ(TakeBox(), c.box);
        EXPECT_THAT(LogText(), c.log);
        EXPECT_EQ(printed.empty(), !c.prints) << printed;
        root.WriteFile("ZEP Rendering/log/pmx_http.log", "");
    }
}

}  // namespace
}  // namespace client_test
