#include "resources/message_box.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/win/message_box.h"
#include "tests/support/environment.h"

namespace {

using win::MessageBoxPolicy;

auto Fields(const win::RecordedMessageBox& box) {
    return std::tuple(box.owner, box.text, box.caption, box.type, box.language, box.answer);
}

// Each test starts and ends with no boxes recorded and the answer yes or OK.
class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        win::SetMessageBoxPolicy(MessageBoxPolicy::AnswerYesOk);
        win::TakeMessageBoxes();
    }
};

TEST_F(MessageBoxTest, EnglishOnlyForTheExactMarkerZeroAndEveryBoxIsRecorded) {
    for (const char16_t* marker : {u"1", u"0 ", u" 0", u"00", u"", u"{57}"}) {
        EXPECT_EQ(MessageBoxLanguage(marker), 1);
    }
    EXPECT_EQ(MessageBoxLanguage(u"0"), 1033);

    // The plug-in's box records everything it was given, in order, with the marker's language.
    HWND owner = static_cast<HWND>(testing_support::TestOwnerWindow());
    EXPECT_EQ(PluginMessageBox(owner, u"scene", u"ZEP", win::kMbOkCancel, u"0"), win::kIdOk);
    EXPECT_EQ(PluginMessageBox(nullptr, u"场景已提交", u"标题", win::kMbYesNo, u"1"), win::kIdYes);
    const std::vector<win::RecordedMessageBox> boxes = win::TakeMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(Fields(boxes[0]),
              Fields({owner, u"scene", u"ZEP", win::kMbOkCancel, 1033, win::kIdOk}));
    EXPECT_EQ(Fields(boxes[1]),
              Fields({nullptr, u"场景已提交", u"标题", win::kMbYesNo, 1, win::kIdYes}));
    EXPECT_TRUE(win::TakeMessageBoxes().empty());
}

TEST_F(MessageBoxTest, BoxesFromTwoThreadsAreAllRecordedInTheirOrder) {
    constexpr int kBoxesPerThread = 500;
    auto show = [](const std::u16string& caption) {
        for (int i = 0; i < kBoxesPerThread; ++i) {
            win::MessageBoxEx(nullptr, caption + char16_t(u'0' + i % 10), caption, win::kMbOkCancel,
                              1033);
        }
    };
    std::thread worker(show, u"worker");
    show(u"progress");
    worker.join();

    int counts[2] = {0, 0};  // each thread's boxes keep their order
    for (const win::RecordedMessageBox& box : win::TakeMessageBoxes()) {
        int& count = counts[box.caption == u"worker" ? 0 : 1];
        EXPECT_EQ(box.text, box.caption + char16_t(u'0' + count++ % 10));
    }
    EXPECT_EQ(counts[0], kBoxesPerThread);
    EXPECT_EQ(counts[1], kBoxesPerThread);
}

}  // namespace
