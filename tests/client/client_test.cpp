// The link to the client and its reply, in the pseudo-locale in which string N reads "{N}": the
// boxes shown and the pmx_http log read back as "[LEVEL] message" lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "client/client_link.h"
#include "client/client_reply.h"
#include "platform/win/message_box.h"
#include "tests/client/raw_server.h"
#include "tests/support/environment.h"
#include "tests/support/plugin_language.h"
#include "tests/support/temp_root.h"

namespace client_test {
namespace {

using testing::StartsWith;

// The whole text matches the ECMAScript pattern. GoogleTest's own regular expressions are POSIX
// ones on Linux and a subset without classes, braces or alternatives on Windows.
MATCHER_P(MatchesPattern, pattern, "matches " + std::string(pattern)) {
    return std::regex_match(std::string(arg), std::regex(pattern));
}

// String N of the pseudo-locale, and a box as "text | caption".
std::u16string S(int id) {
    return u"{" + testing_support::U16(std::to_string(id)) + u"}";
}
std::u16string Box(const std::u16string& text, const std::u16string& caption = S(49)) {
    return text + u" | " + caption;
}

const std::string kAnswerHead = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n";
const std::string kRead = "[INFO] tcp read data successfully.\n";
const std::string kNoBrace = kRead + "[INFO] find '{' failed.\n";
const std::string kUnreadable =
    "[ERROR] Get response data failed: parse the data from client failed!\n";

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

class ClientTest : public testing_support::TempRootTest {
protected:
    void SetUp() override {
        root.WriteFile("ZEP Rendering/script/x", "");
        testing_support::UsePluginLanguage("ids");
        win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
        win::TakeMessageBoxes();
        g_replyCalls = 0;
        g_boxesBeforeReply = 0;
    }

    // Runs `call`, keeping what it printed: a refused reply prints a line.
    template <typename Call>
    int32_t Printing(Call call) {
        testing::internal::CaptureStdout();
        const int32_t result = call();
        printed = testing::internal::GetCapturedStdout();
        return result;
    }

    int32_t Send(int32_t port, const std::string& notice = Notice(64),
                 void (*onReply)() = &CountReply) {
        PluginSettings settings;
        settings.host = u"127.0.0.1";
        settings.port = port;
        return Printing([&] { return SendToClient(settings, notice, owner, onReply); });
    }

    // The pmx_http log written since the last call, each line without its time stamp and
    // ending in "\n".
    std::string NewLog() const {
        std::istringstream in(root.ReadFile("ZEP Rendering/log/pmx_http.log"));
        root.WriteFile("ZEP Rendering/log/pmx_http.log", "");
        std::string text;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            text += (line.size() > 24 ? line.substr(24) : line) + "\n";
        }
        return text;
    }

    // The box shown since the last call as Box(text, caption), checked for its owner, OK
    // button and English language; empty when none was shown.
    std::u16string TakeBox() {
        const std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
        EXPECT_LE(boxes.size(), 1u);
        for (const win::RecordedMessageBox& box : boxes) {
            EXPECT_EQ(std::tie(box.owner, box.type, box.language),
                      std::make_tuple(owner, win::kMbOk, 1033));
        }
        return boxes.empty() ? u"" : Box(boxes[0].text, boxes[0].caption);
    }

    // The owner every box of these tests must name.
    HWND owner = static_cast<HWND>(testing_support::TestOwnerWindow());
    std::string printed;
};

TEST_F(ClientTest, SendsTheRequestBytesExactly) {
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

TEST_F(ClientTest, NothingListeningFailsAtConnect) {
    EXPECT_EQ(Send(UnusedPort()), -1);
    EXPECT_EQ(TakeBox(), Box(S(43)));
    EXPECT_EQ(NewLog(), "[ERROR] connect error, Error Code is: 10061\n");
    EXPECT_EQ(g_replyCalls, 0);
}

TEST_F(ClientTest, ServerGoneBeforeTheRequestFailsAtSend) {
    if (testing_support::RunningUnderWine()) {
        GTEST_SKIP() << "under Wine a close with unread data resets nothing: the send blocks";
    }
    RawServer server("", "", /*readRequest=*/false);
    const std::string notice = Notice(32 * 1024 * 1024);
    EXPECT_EQ(Send(server.Port(), notice), -1);
    EXPECT_EQ(g_replyCalls, 0);
    EXPECT_EQ(TakeBox(), Box(S(43)));
    EXPECT_THAT(NewLog(), MatchesPattern("\\[ERROR\\] send error send_size:[0-9]+ total_size:" +
                                         std::to_string(Request(server.Port(), notice).size()) +
                                         ", Error Code is: 10054\n"));
}

struct Answer {
    std::string answer;
    int32_t result;
    std::u16string box;
    testing::Matcher<std::string> log;
    std::string secondPiece = "";
    bool prints = false;  // the line of an unreadable reply on standard output
};

// A reply read whole: its code (in the reply unless `json` is given), its box and the ERROR line
// after the read's.
Answer Reply(int32_t code, std::u16string box, std::string error, std::string json = "") {
    json = json.empty() ? R"({"ret":)" + std::to_string(code) + "}" : json;
    return {kAnswerHead + json, code, std::move(box),
            kRead + (error.empty() ? "" : "[ERROR] " + error + "\n")};
}

// The answer is judged on a single read of 2048 bytes. Each code of a reply gives its box and its
// log line; a code without a row, and a missing code, go silently. The box stops at a zero
// character; the log keeps the whole text.
TEST_F(ClientTest, EachAnswerGivesItsCodeBoxAndLogLine) {
    std::string answer2048 = kAnswerHead + R"({"ret":10001,"pad":")";
    answer2048 += std::string(2048 - answer2048.size() - 2, 'p') + "\"}";
    const std::string answer2049 = answer2048.substr(0, 2046) + "p\"}";  // cut inside
    const Answer answers[] = {
        {answer2048, 10001, Box(S(98), u""), kRead + "[INFO] Submit successfully.\n"},
        {answer2049, -1, Box(S(53)), kRead + kUnreadable, "", true},
        {"", -1, Box(S(43)), StartsWith("[ERROR] connect error, Error Code is: ")},
        {"HTTP/1.1 500 Internal Server Error\r\n\r\n", -1, Box(S(44)), kNoBrace},
        {kAnswerHead + '\0' + R"({"ret":10001})", -1, Box(S(44)), kNoBrace},
        {kAnswerHead, -1, Box(S(44)), kNoBrace, R"({"ret":10001})"},
        Reply(10002, Box(S(54)),
              "The client's current project is not a 3ds max render project, please set it up "
              "again!"),
        Reply(10003, Box(S(46)), "The client rendering version is not match!"),
        Reply(10004, Box(S(47)), "The current project is not an design sketch project!"),
        Reply(10005, Box(S(48)), "The scene file is not exist!"),
        Reply(10006, Box(S(55)), "he Analysis file is not exist!"),
        Reply(10007, Box(S(56)), "Parse the analysis file failed!"),
        Reply(10008, Box(S(50)),
              "The current submission of the scene suffix is wrong, please check for "
              "confirmation!"),
        Reply(10009, Box(S(51)),
              "The current submission scenario already exists, please do not repeat the "
              "submission!"),
        Reply(11000, Box(S(52)),
              "An internal error occurred. Please restart 3ds max and re-operate!"),
        Reply(11010, Box(S(38)),
              "Camera name can not have special characters, please modify and re-submit!"),
        Reply(10010, Box(u"场景文件已损坏，请重新保存"), "场景文件已损坏，请重新保存",
              R"({"ret":10010,"err":"场景文件已损坏，请重新保存"})"),
        Reply(10010, Box(u"before"), std::string("before\0after", 12),
              R"({"ret":10010,"err":"before\u0000after"})"),
        Reply(10005, Box(S(48)), "The scene file is not exist!",
              R"({"ret":10005,"err":"ignored"})"),
        Reply(10007, Box(S(56)), "Parse the analysis file failed!", R"({"ret":10007.0})"),
        Reply(12345, u"", ""),
        Reply(-7, u"", ""),
        Reply(10011, u"", ""),
        Reply(0, u"", "", "{}"),
        Reply(0, u"", "", R"({"ret":null})"),
    };
    for (const Answer& a : answers) {
        SCOPED_TRACE(testing::Message() << "row " << &a - answers);
        g_replyCalls = 0;
        RawServer server(a.answer, a.secondPiece);
        EXPECT_EQ(Send(server.Port()), a.result);
        EXPECT_EQ(g_replyCalls, 1);
        EXPECT_EQ(g_boxesBeforeReply, 0u);
        EXPECT_EQ(TakeBox(), a.box);
        EXPECT_THAT(NewLog(), a.log);
        EXPECT_EQ(printed.empty(), !a.prints) << printed;
    }
}

// Replies that are JSON objects with a readable code are read through the link above; these are
// the ones that are not.
TEST_F(ClientTest, UnreadableReplyIsRefusedWithOneLine) {
    for (const std::string& reply : std::vector<std::string>{
             // unparsable
             "{\"ret\":100", "", "not json", "{'ret':10001}",
             "{\"a\":" + std::string(5000, '[') + std::string(5000, ']') + "}",
             // not an object
             "[10001]", "10001", "null",
             // "ret" of the wrong type
             R"({"ret":"10001"})", R"({"ret":true})", R"({"ret":10001.5})", R"({"ret":4294967296})",
             R"({"ret":-2147483649})", R"({"ret":[10001]})",
             // 10010 without a text
             R"({"ret":10010})", R"({"ret":10010,"err":null})", R"({"ret":10010,"err":42})"}) {
        SCOPED_TRACE(reply);
        EXPECT_EQ(Printing([&] { return HandleClientReply(reply, owner); }), -1);
        // The code is whatever the thread's last error holds by then.
        EXPECT_THAT(printed, MatchesPattern("Error [0-9]+ in WinHttpReadData\\.\n"));
        EXPECT_EQ(TakeBox(), Box(S(53)));
        EXPECT_EQ(NewLog(), kUnreadable);
    }
}

}  // namespace
}  // namespace client_test
