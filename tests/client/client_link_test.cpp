#include "client/client_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/client/client_fixture.h"
#include "tests/client/raw_server.h"

namespace client_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::MatchesRegex;
using testing::SizeIs;
using testing_support::U16;

const char kHead[] =
    "POST / HTTP/1.1\r\n"
    "Connection: Keep-Alive\r\n"
    "Content-Type: application/json;charset=utf-8\r\n"
    "User-Agent: A WinHTTP Program For Brass Mill/1.0\r\n"
    "Content-Length: ";

const char kAnswerHead[] =
    "HTTP/1.1 200 OK\r\n"
    "Content-Type: application/json\r\n"
    "Connection: close\r\n"
    "\r\n";

// How often the on-reply routine ran, and how many boxes had been shown when it first did.
int g_replyCalls = 0;
size_t g_boxesBeforeReply = 0;

void CountReply() {
    if (g_replyCalls++ == 0) {
        g_boxesBeforeReply = win::TakeMessageBoxes().size();
    }
}

std::string Request(uint16_t port, const std::string& body) {
    return kHead + std::to_string(body.size()) + "\r\nHost: 127.0.0.1:" + std::to_string(port) +
           "\r\n\r\n" + body;
}

// A notice of exactly `size` bytes.
std::string Notice(size_t size) {
    std::string notice = R"({"scene":")";
    notice += std::string(size - notice.size() - 2, 'a');
    notice += "\"}";
    return notice;
}

class ClientLinkTest : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        g_replyCalls = 0;
        g_boxesBeforeReply = 0;
    }

    int32_t Send(int32_t port, const std::string& notice = Notice(64)) {
        PluginSettings settings;
        settings.host = u"127.0.0.1";
        settings.port = port;
        return SendToClient(settings, notice, owner, &CountReply);
    }

    // The one box shown, checked for its owner, buttons and language.
    std::u16string OneBoxText() {
        std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
        EXPECT_THAT(boxes, SizeIs(1));
        if (boxes.empty()) {
            return {};
        }
        EXPECT_EQ(boxes[0].owner, owner);
        EXPECT_EQ(boxes[0].caption, S(49));
        EXPECT_EQ(boxes[0].type, win::kMbOk);
        EXPECT_EQ(boxes[0].language, 1033);
        return boxes[0].text;
    }
};

// ---- The request ---------------------------------------------------------------------------

TEST_F(ClientLinkTest, SendsTheRequestBytesExactly) {
    RawServer server(std::string(kAnswerHead) + R"({"ret":12345})");
    ASSERT_TRUE(server.Listening());
    std::string notice = Notice(300);
    ASSERT_EQ(notice.size(), 300u);
    EXPECT_EQ(Send(server.Port(), notice), 12345);
    const std::string& received = server.Received();
    EXPECT_EQ(received, Request(server.Port(), notice));
    EXPECT_NE(received.find("\r\nContent-Length: 300\r\nHost: 127.0.0.1:" +
                            std::to_string(server.Port()) + "\r\n\r\n{"),
              std::string::npos);
    EXPECT_EQ(g_replyCalls, 1);
}

TEST_F(ClientLinkTest, BodyGoesUnchangedAndIsCountedInBytes) {
    RawServer server(std::string(kAnswerHead) + R"({"ret":12345})");
    ASSERT_TRUE(server.Listening());
    const std::string notice = R"({"scene":"客厅.max","note":"a\r\nb"})";
    EXPECT_EQ(Send(server.Port(), notice), 12345);
    EXPECT_EQ(server.Received(), Request(server.Port(), notice));
}

TEST_F(ClientLinkTest, LargeNoticeIsSentWhole) {
    RawServer server(std::string(kAnswerHead) + R"({"ret":12345})");
    ASSERT_TRUE(server.Listening());
    const std::string notice = Notice(4 * 1024 * 1024);
    EXPECT_EQ(Send(server.Port(), notice), 12345);
    EXPECT_EQ(server.Received(), Request(server.Port(), notice));
}

TEST_F(ClientLinkTest, EmptyNoticeSendsALengthOfZero) {
    RawServer server(std::string(kAnswerHead) + R"({"ret":12345})");
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Send(server.Port(), ""), 12345);
    EXPECT_EQ(server.Received(), Request(server.Port(), ""));
}

TEST_F(ClientLinkTest, PortUsesItsLow16BitsButTheHostLineTheWholeValue) {
    RawServer server(std::string(kAnswerHead) + R"({"ret":12345})");
    ASSERT_TRUE(server.Listening());
    const std::string notice = Notice(40);
    const int32_t above = server.Port() + 65536;
    EXPECT_EQ(Send(above, notice), 12345);
    EXPECT_EQ(server.Received(), kHead + std::to_string(notice.size()) + "\r\nHost: 127.0.0.1:" +
                                     std::to_string(above) + "\r\n\r\n" + notice);
}

TEST_F(ClientLinkTest, NegativePortIsWrittenWithItsSign) {
    RawServer server(std::string(kAnswerHead) + R"({"ret":12345})");
    ASSERT_TRUE(server.Listening());
    const std::string notice = Notice(40);
    const int32_t below = server.Port() - 65536;
    EXPECT_EQ(Send(below, notice), 12345);
    EXPECT_EQ(server.Received(), kHead + std::to_string(notice.size()) + "\r\nHost: 127.0.0.1:" +
                                     std::to_string(below) + "\r\n\r\n" + notice);
}

// ---- Failures before a reply -----------------------------------------------------------------

TEST_F(ClientLinkTest, NothingListeningFailsAtConnect) {
    EXPECT_EQ(Send(UnusedPort()), -1);
    EXPECT_EQ(OneBoxText(), S(43));
    EXPECT_THAT(LogLines(), ElementsAre("[ERROR] connect error, Error Code is: 10061"));
    EXPECT_EQ(g_replyCalls, 0);
}

TEST_F(ClientLinkTest, PortZeroFailsAtConnect) {
    EXPECT_EQ(Send(0), -1);
    EXPECT_EQ(OneBoxText(), S(43));
    EXPECT_THAT(LogLines(),
                ElementsAre(MatchesRegex(R"(\[ERROR\] connect error, Error Code is: [0-9]+)")));
    EXPECT_EQ(g_replyCalls, 0);
}

TEST_F(ClientLinkTest, NoOnReplyRoutineIsNeeded) {
    PluginSettings settings;
    settings.host = u"127.0.0.1";
    settings.port = UnusedPort();
    EXPECT_EQ(SendToClient(settings, Notice(64), owner, nullptr), -1);
    EXPECT_EQ(OneBoxText(), S(43));

    RawServer server(std::string(kAnswerHead) + R"({"ret":10001})");
    ASSERT_TRUE(server.Listening());
    settings.port = server.Port();
    EXPECT_EQ(SendToClient(settings, Notice(64), owner, nullptr), 10001);
}

TEST_F(ClientLinkTest, ServerClosingWithoutAnswerReadsAsAConnectError) {
    RawServer server("", RawServer::Ending::CloseWithoutAnswer);
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Send(server.Port()), -1);
    EXPECT_EQ(g_replyCalls, 1);
    EXPECT_EQ(g_boxesBeforeReply, 0u);
    EXPECT_EQ(OneBoxText(), S(43));
    EXPECT_THAT(LogLines(),
                ElementsAre(MatchesRegex(R"(\[ERROR\] connect error, Error Code is: [0-9]+)")));
}

TEST_F(ClientLinkTest, ServerGoneBeforeTheRequestFailsAtSend) {
    RawServer server("", RawServer::Ending::CloseBeforeReading);
    ASSERT_TRUE(server.Listening());
    const std::string notice = Notice(32 * 1024 * 1024);
    const size_t total = Request(server.Port(), notice).size();
    EXPECT_EQ(Send(server.Port(), notice), -1);
    EXPECT_EQ(g_replyCalls, 0);
    EXPECT_EQ(OneBoxText(), S(43));
    EXPECT_THAT(LogLines(),
                ElementsAre(MatchesRegex(R"(\[ERROR\] send error send_size:[0-9]+ total_size:)" +
                                         std::to_string(total) + R"(, Error Code is: 10054)")));
}

// ---- The answer ------------------------------------------------------------------------------

TEST_F(ClientLinkTest, AcceptedAnswerReachesTheReplyHandler) {
    RawServer server(std::string(kAnswerHead) + R"({"ret":10001})");
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Send(server.Port()), 10001);
    EXPECT_EQ(g_replyCalls, 1);
    EXPECT_EQ(g_boxesBeforeReply, 0u);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, S(98));
    EXPECT_EQ(boxes[0].caption, u"");
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_THAT(LogLines(),
                ElementsAre("[INFO] tcp read data successfully.", "[INFO] Submit successfully."));
}

TEST_F(ClientLinkTest, ClientMessageComesThroughTheLink) {
    RawServer server(std::string(kAnswerHead) + R"({"ret":10010,"err":"项目未选择"})");
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Send(server.Port()), 10010);
    EXPECT_EQ(OneBoxText(), u"项目未选择");
    EXPECT_THAT(LogLines(),
                ElementsAre("[INFO] tcp read data successfully.", "[ERROR] 项目未选择"));
}

TEST_F(ClientLinkTest, AnswerWithoutABraceIsRefused) {
    RawServer server("HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n");
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Send(server.Port()), -1);
    EXPECT_EQ(g_replyCalls, 1);
    EXPECT_EQ(OneBoxText(), S(44));
    EXPECT_THAT(LogLines(),
                ElementsAre("[INFO] tcp read data successfully.", "[INFO] find '{' failed."));
}

TEST_F(ClientLinkTest, BraceAfterAZeroByteIsNotSeen) {
    RawServer server(std::string("HTTP/1.1 200 OK\r\n\r\n\0{\"ret\":10001}", 33));
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Send(server.Port()), -1);
    EXPECT_EQ(OneBoxText(), S(44));
    EXPECT_THAT(LogLines(),
                ElementsAre("[INFO] tcp read data successfully.", "[INFO] find '{' failed."));
}

TEST_F(ClientLinkTest, AnswerOfExactly2048BytesIsReadWhole) {
    std::string answer = std::string(kAnswerHead) + R"({"ret":10001,"pad":")";
    answer += std::string(2048 - answer.size() - 2, 'p') + "\"}";
    ASSERT_EQ(answer.size(), 2048u);
    RawServer server(answer);
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Send(server.Port()), 10001);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, S(98));
}

TEST_F(ClientLinkTest, LongerAnswerIsCutAndRefused) {
    std::string answer = std::string(kAnswerHead) + R"({"ret":10001,"pad":")";
    answer += std::string(2049 - answer.size() - 2, 'p') + "\"}";
    ASSERT_EQ(answer.size(), 2049u);
    RawServer server(answer);
    ASSERT_TRUE(server.Listening());
    testing::internal::CaptureStdout();
    EXPECT_EQ(Send(server.Port()), -1);
    EXPECT_THAT(testing::internal::GetCapturedStdout(),
                MatchesRegex(R"(Error [0-9]+ in WinHttpReadData\.
)"));
    EXPECT_EQ(OneBoxText(), S(53));
    EXPECT_THAT(
        LogLines(),
        ElementsAre("[INFO] tcp read data successfully.",
                    "[ERROR] Get response data failed: parse the data from client failed!"));
}

TEST_F(ClientLinkTest, MuchLongerAnswerIsCutAndRefused) {
    std::string answer =
        std::string(kAnswerHead) + R"({"ret":10001,"pad":")" + std::string(10000, 'p') + "\"}";
    RawServer server(answer);
    ASSERT_TRUE(server.Listening());
    testing::internal::CaptureStdout();
    EXPECT_EQ(Send(server.Port()), -1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(OneBoxText(), S(53));
}

TEST_F(ClientLinkTest, AnswerInTwoPiecesIsJudgedOnTheFirst) {
    RawServer server(kAnswerHead, RawServer::Ending::AnswerInTwoPieces, R"({"ret":10001})");
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Send(server.Port()), -1);
    EXPECT_EQ(OneBoxText(), S(44));
    EXPECT_THAT(LogLines(),
                ElementsAre("[INFO] tcp read data successfully.", "[INFO] find '{' failed."));
}

TEST_F(ClientLinkTest, BodySplitAcrossPiecesIsRefusedAsUnreadable) {
    RawServer server(std::string(kAnswerHead) + R"({"ret":100)",
                     RawServer::Ending::AnswerInTwoPieces, "01}");
    ASSERT_TRUE(server.Listening());
    testing::internal::CaptureStdout();
    EXPECT_EQ(Send(server.Port()), -1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(OneBoxText(), S(53));
}

TEST_F(ClientLinkTest, UnknownCodeIsReturnedWithoutABox) {
    RawServer server(std::string(kAnswerHead) + R"({"ret":12345})");
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Send(server.Port()), 12345);
    EXPECT_THAT(win::TakeMessageBoxes(), IsEmpty());
    EXPECT_THAT(LogLines(), ElementsAre("[INFO] tcp read data successfully."));
}

}  // namespace
}  // namespace client_test
