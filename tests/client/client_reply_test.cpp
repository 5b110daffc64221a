#include "client/client_reply.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/client/client_fixture.h"

namespace client_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::MatchesRegex;
using testing_support::U16;

const char kUnreadableLine[] =
    "[ERROR] Get response data failed: parse the data from client failed!";

class ClientReplyTest : public ClientTest {
protected:
    // Handles `reply` and keeps what went to standard output.
    int32_t Handle(const std::string& reply) {
        testing::internal::CaptureStdout();
        int32_t result = HandleClientReply(reply, owner);
        printed = testing::internal::GetCapturedStdout();
        return result;
    }

    // Checks that `reply` was refused as unreadable: box 53, one ERROR line, -1.
    void ExpectRefused(const std::string& reply) {
        SCOPED_TRACE(reply);
        EXPECT_EQ(Handle(reply), -1);
        // The code is whatever the thread's last error holds by then.
        EXPECT_THAT(printed, MatchesRegex("Error [0-9]+ in WinHttpReadData\\.\n"));
        std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, S(53));
        EXPECT_EQ(boxes[0].caption, S(49));
        EXPECT_EQ(boxes[0].owner, owner);
        EXPECT_EQ(boxes[0].type, win::kMbOk);
        EXPECT_EQ(boxes[0].language, 1033);
        std::vector<std::string> lines = LogLines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), kUnreadableLine);
    }

    void ExpectSilent(const std::string& reply, int32_t code) {
        SCOPED_TRACE(reply);
        EXPECT_EQ(Handle(reply), code);
        EXPECT_EQ(printed, "");
        EXPECT_THAT(win::TakeMessageBoxes(), IsEmpty());
        EXPECT_THAT(LogLines(), IsEmpty());
    }

    std::string printed;
};

// ---- The codes of the table -----------------------------------------------------------------

struct Row {
    int32_t code;
    int stringId;
    bool emptyCaption;
    std::string logLine;
};

class ReplyCodeTest : public ClientReplyTest, public testing::WithParamInterface<Row> {};

TEST_P(ReplyCodeTest, ShowsItsBoxAndWritesItsLine) {
    const Row& row = GetParam();
    EXPECT_EQ(Handle("{\"ret\":" + std::to_string(row.code) + "}"), row.code);
    EXPECT_EQ(printed, "");
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, S(row.stringId));
    EXPECT_EQ(boxes[0].caption, row.emptyCaption ? std::u16string() : S(49));
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].type, win::kMbOk);
    EXPECT_EQ(boxes[0].language, 1033);
    EXPECT_THAT(LogLines(), ElementsAre(row.logLine));
}

INSTANTIATE_TEST_SUITE_P(
    AllCodes, ReplyCodeTest,
    testing::Values(
        Row{10001, 98, true, "[INFO] Submit successfully."},
        Row{10002, 54, false,
            "[ERROR] The client's current project is not a 3ds max render project, please set "
            "it up again!"},
        Row{10003, 46, false, "[ERROR] The client rendering version is not match!"},
        Row{10004, 47, false, "[ERROR] The current project is not an design sketch project!"},
        Row{10005, 48, false, "[ERROR] The scene file is not exist!"},
        Row{10006, 55, false, "[ERROR] he Analysis file is not exist!"},
        Row{10007, 56, false, "[ERROR] Parse the analysis file failed!"},
        Row{10008, 50, false,
            "[ERROR] The current submission of the scene suffix is wrong, please check for "
            "confirmation!"},
        Row{10009, 51, false,
            "[ERROR] The current submission scenario already exists, please do not repeat the "
            "submission!"},
        Row{11000, 52, false,
            "[ERROR] An internal error occurred. Please restart 3ds max and re-operate!"},
        Row{11010, 38, false,
            "[ERROR] Camera name can not have special characters, please modify and "
            "re-submit!"}),
    [](const testing::TestParamInfo<Row>& row) { return std::to_string(row.param.code); });

TEST_F(ClientReplyTest, ClientMessageShowsTheErrTextInChinese) {
    const std::string err = "场景文件已损坏，请重新保存";
    EXPECT_EQ(Handle("{\"ret\":10010,\"err\":\"" + err + "\"}"), 10010);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"场景文件已损坏，请重新保存");
    EXPECT_EQ(boxes[0].caption, S(49));
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].language, 1033);
    EXPECT_THAT(LogLines(), ElementsAre("[ERROR] " + err));
}

TEST_F(ClientReplyTest, ClientMessageGivenAsEscapesReadsTheSame) {
    EXPECT_EQ(Handle(R"({"ret":10010,"err":"\u573a\u666f OK"})"), 10010);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"场景 OK");
    EXPECT_THAT(LogLines(), ElementsAre("[ERROR] 场景 OK"));
}

TEST_F(ClientReplyTest, ClientMessageBoxStopsAtAZeroCharacter) {
    EXPECT_EQ(Handle(R"({"ret":10010,"err":"before\u0000after"})"), 10010);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"before");
}

TEST_F(ClientReplyTest, EmptyClientMessageShowsAnEmptyBox) {
    EXPECT_EQ(Handle(R"({"ret":10010,"err":""})"), 10010);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"");
    EXPECT_THAT(LogLines(), ElementsAre("[ERROR] "));
}

TEST_F(ClientReplyTest, CommentsAndOtherMembersAreAccepted) {
    EXPECT_EQ(Handle("{\"ret\": 10003, /* checked */ \"extra\": [1, 2]} // end"), 10003);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, S(46));
}

TEST_F(ClientReplyTest, AnErrMemberIsIgnoredForOtherCodes) {
    EXPECT_EQ(Handle(R"({"ret":10005,"err":"ignored"})"), 10005);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, S(48));
    EXPECT_THAT(LogLines(), ElementsAre("[ERROR] The scene file is not exist!"));
}

// ---- Codes without a row ---------------------------------------------------------------------

TEST_F(ClientReplyTest, UnknownCodeIsReturnedSilently) {
    ExpectSilent(R"({"ret":12345})", 12345);
    ExpectSilent(R"({"ret":-7})", -7);
    ExpectSilent(R"({"ret":10000})", 10000);
    ExpectSilent(R"({"ret":10011})", 10011);
    ExpectSilent(R"({"ret":2147483647})", 2147483647);
}

TEST_F(ClientReplyTest, MissingRetGivesZeroSilently) {
    ExpectSilent(R"({"status":"ok"})", 0);
    ExpectSilent("{}", 0);
    ExpectSilent(R"({"ret":null})", 0);
}

TEST_F(ClientReplyTest, IntegralNumberWrittenAsRealIsAccepted) {
    EXPECT_EQ(Handle(R"({"ret":10001.0})"), 10001);
    EXPECT_EQ(win::TakeMessageBoxes().size(), 1u);
}

// ---- Refused replies -------------------------------------------------------------------------

TEST_F(ClientReplyTest, UnparsableReplyIsRefused) {
    ExpectRefused("{\"ret\":100");
    ExpectRefused("{");
    ExpectRefused("");
    ExpectRefused("not json");
    ExpectRefused("{'ret':10001}");
}

TEST_F(ClientReplyTest, DeeplyNestedReplyIsRefused) {
    ExpectRefused("{\"a\":" + std::string(5000, '[') + std::string(5000, ']') + "}");
}

TEST_F(ClientReplyTest, RetOfTheWrongTypeIsRefused) {
    ExpectRefused(R"({"ret":"10001"})");
    ExpectRefused(R"({"ret":true})");
    ExpectRefused(R"({"ret":10001.5})");
    ExpectRefused(R"({"ret":4294967296})");
    ExpectRefused(R"({"ret":-2147483649})");
    ExpectRefused(R"({"ret":[10001]})");
    ExpectRefused(R"({"ret":{"code":10001}})");
}

TEST_F(ClientReplyTest, ClientMessageWithoutTextIsRefused) {
    ExpectRefused(R"({"ret":10010})");
    ExpectRefused(R"({"ret":10010,"err":null})");
    ExpectRefused(R"({"ret":10010,"err":42})");
    ExpectRefused(R"({"ret":10010,"err":["text"]})");
}

TEST_F(ClientReplyTest, ReplyThatIsNoObjectIsRefused) {
    ExpectRefused("[10001]");
    ExpectRefused("10001");
    ExpectRefused("\"ret\"");
    ExpectRefused("null");
}

TEST_F(ClientReplyTest, EachRefusalWritesOneLine) {
    ExpectRefused("{");
    ExpectRefused(R"({"ret":"x"})");
    EXPECT_THAT(LogLines(), ElementsAre(kUnreadableLine, kUnreadableLine));
}

}  // namespace
}  // namespace client_test
