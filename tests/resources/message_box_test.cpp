#include "resources/message_box.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/win/message_box.h"

namespace {

int g_ownerToken = 0;
constexpr unsigned kMbIconWarning = 0x30;

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { win::TakeMessageBoxes(); }
    void TearDown() override {
        win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
        win::TakeMessageBoxes();
    }
};

TEST(MessageBoxLanguageTest, EnglishOnlyForTheExactMarkerZero) {
    EXPECT_EQ(MessageBoxLanguage(u"0"), 1033);
    EXPECT_EQ(MessageBoxLanguage(u"1"), 1);
    EXPECT_EQ(MessageBoxLanguage(u"0 "), 1);
    EXPECT_EQ(MessageBoxLanguage(u" 0"), 1);
    EXPECT_EQ(MessageBoxLanguage(u"00"), 1);
    EXPECT_EQ(MessageBoxLanguage(u""), 1);
    EXPECT_EQ(MessageBoxLanguage(u"{57}"), 1);
}

TEST_F(MessageBoxTest, DefaultPolicyAnswersYesOrOk) {
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"t", u"c", win::kMbOk, 1033), win::kIdOk);
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"t", u"c", win::kMbOkCancel, 1033), win::kIdOk);
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"t", u"c", win::kMbYesNo, 1033), win::kIdYes);
}

TEST_F(MessageBoxTest, RecordKeepsEverythingShown) {
    void* owner = &g_ownerToken;
    int answer = win::MessageBoxEx(owner, u"场景已提交", u"ZEP", win::kMbOkCancel, 1);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].text, u"场景已提交");
    EXPECT_EQ(boxes[0].caption, u"ZEP");
    EXPECT_EQ(boxes[0].type, win::kMbOkCancel);
    EXPECT_EQ(boxes[0].language, 1);
    EXPECT_EQ(boxes[0].answer, win::kIdOk);
    EXPECT_EQ(boxes[0].answer, answer);
    EXPECT_TRUE(win::TakeMessageBoxes().empty());
}

TEST_F(MessageBoxTest, RecordKeepsTheOrderOfTheBoxes) {
    win::MessageBoxEx(nullptr, u"first", u"", win::kMbOk, 1033);
    win::MessageBoxEx(nullptr, u"second", u"", win::kMbYesNo, 1033);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, u"first");
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[1].text, u"second");
    EXPECT_EQ(boxes[1].answer, win::kIdYes);
}

TEST_F(MessageBoxTest, AnswerYesOkPolicy) {
    win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"a", u"", win::kMbOk, 1033), win::kIdOk);
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"b", u"", win::kMbOkCancel, 1033), win::kIdOk);
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"c", u"", win::kMbYesNo, 1033), win::kIdYes);
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"d", u"", win::kMbYesNoCancel, 1033), win::kIdYes);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].answer, win::kIdOk);
    EXPECT_EQ(boxes[1].answer, win::kIdOk);
    EXPECT_EQ(boxes[2].answer, win::kIdYes);
    EXPECT_EQ(boxes[3].answer, win::kIdYes);
}

TEST_F(MessageBoxTest, AnswerNoCancelPolicy) {
    win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerNoCancel);
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"a", u"", win::kMbOk, 1033), win::kIdOk);
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"b", u"", win::kMbOkCancel, 1033), win::kIdCancel);
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"c", u"", win::kMbYesNo, 1033), win::kIdNo);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].answer, win::kIdOk);
    EXPECT_EQ(boxes[1].answer, win::kIdCancel);
    EXPECT_EQ(boxes[2].answer, win::kIdNo);
}

TEST_F(MessageBoxTest, IconFlagsDoNotChangeTheAnswer) {
    win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerNoCancel);
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"a", u"", win::kMbYesNo | kMbIconWarning, 1033),
              win::kIdNo);
    EXPECT_EQ(win::MessageBoxEx(nullptr, u"b", u"", win::kMbOk | kMbIconWarning, 1033), win::kIdOk);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].type, win::kMbYesNo | kMbIconWarning);
}

TEST_F(MessageBoxTest, PluginMessageBoxUsesTheMarkersLanguage) {
    void* owner = &g_ownerToken;
    EXPECT_EQ(PluginMessageBox(owner, u"text", u"caption", win::kMbOk, u"0"), win::kIdOk);
    EXPECT_EQ(PluginMessageBox(owner, u"文本", u"标题", win::kMbYesNo, u"1"), win::kIdYes);
    EXPECT_EQ(PluginMessageBox(nullptr, u"t", u"c", win::kMbOk, u""), win::kIdOk);
    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].language, 1033);
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].text, u"text");
    EXPECT_EQ(boxes[0].caption, u"caption");
    EXPECT_EQ(boxes[0].type, win::kMbOk);
    EXPECT_EQ(boxes[1].language, 1);
    EXPECT_EQ(boxes[1].text, u"文本");
    EXPECT_EQ(boxes[1].caption, u"标题");
    EXPECT_EQ(boxes[1].type, win::kMbYesNo);
    EXPECT_EQ(boxes[2].language, 1);
    EXPECT_EQ(boxes[2].owner, nullptr);
}

TEST_F(MessageBoxTest, BoxesFromTwoThreadsAreAllRecorded) {
    constexpr int kBoxesPerThread = 500;
    auto show = [](const std::u16string& caption) {
        for (int i = 0; i < kBoxesPerThread; ++i) {
            std::u16string text = caption;
            text += static_cast<char16_t>(u'0' + i % 10);
            win::MessageBoxEx(nullptr, text, caption, win::kMbOkCancel, 1033);
        }
    };
    std::thread worker(show, u"worker");
    std::thread progress(show, u"progress");
    worker.join();
    progress.join();

    std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u * kBoxesPerThread);
    int fromWorker = 0;
    int fromProgress = 0;
    for (const win::RecordedMessageBox& box : boxes) {
        // Each thread's boxes keep their own order.
        int& count = box.caption == u"worker" ? fromWorker : fromProgress;
        std::u16string expected = box.caption;
        expected += static_cast<char16_t>(u'0' + count % 10);
        EXPECT_EQ(box.text, expected);
        EXPECT_EQ(box.answer, win::kIdOk);
        ++count;
    }
    EXPECT_EQ(fromWorker, kBoxesPerThread);
    EXPECT_EQ(fromProgress, kBoxesPerThread);
}

}  // namespace
