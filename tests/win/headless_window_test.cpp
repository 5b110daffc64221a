// What only the headless window system has: the state dump, scripted message boxes with their
// events, the manual clock and the starving-loop check.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/headless/driver.h"
#include "platform/headless/environment.h"
#include "platform/headless/events.h"
#include "platform/headless/state_dump.h"
#include "platform/win/controls.h"
#include "platform/win/message_box.h"
#include "platform/win/window.h"
#include "tests/win/contract_dialog.h"
#include "tests/win/dialog_probe.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using win::headless::Driver;

TEST(HeadlessWindowTest, TheStateDumpShowsWhatAUserSeesAsJsonAndText) {
    DialogProbe probe;
    win::headless::DialogState state;
    probe.onInit = [](HWND dialog) {
        HWND list = win::GetDlgItem(dialog, kListView);
        win::SetListViewExtendedStyle(list, 0, LVS_EX_CHECKBOXES);
        win::InsertListViewColumn(list, 0, LVCFMT_CENTER, 200, u"Camera");
        win::InsertListViewColumn(list, 1, LVCFMT_CENTER, 70, u"Width");
        win::InsertListViewItem(list, 0, u"摄像机01");
        win::SetListViewItemText(list, 0, 1, u"1920");
        win::SetListViewItemState(list, 0, INDEXTOSTATEIMAGEMASK(2) | LVIS_SELECTED,
                                  LVIS_STATEIMAGEMASK | LVIS_SELECTED);
        win::AddComboString(win::GetDlgItem(dialog, kCombo), u"PNG");
        win::SetComboSelection(win::GetDlgItem(dialog, kCombo), 0);
        win::EnableWindow(win::GetDlgItem(dialog, kButton), FALSE);
        win::CheckDlgButton(dialog, kCheckBox, BST_CHECKED);
        win::SetUpDownRange(win::GetDlgItem(dialog, kPlainUpDown), 0, 5);
    };
    Driver().Do([&state](HWND dialog) { win::headless::DumpDialog(dialog, state); }).Close();
    probe.Run();

    Json::Value json = win::headless::DialogStateJson(state);
    EXPECT_EQ(json["dialog"].asInt(), kContractDialog);
    EXPECT_EQ(json["caption"].asString(), "Contract");
    std::map<int, Json::Value> controls;
    for (const Json::Value& control : json["controls"]) {
        controls[control["id"].asInt()] = control;
    }
    EXPECT_EQ(controls[kButton]["enabled"].asBool(), false);
    EXPECT_EQ(controls[kCheckBox]["checked"].asInt(), 1);
    EXPECT_EQ(controls[kCombo]["text"].asString(), "PNG");
    EXPECT_EQ(controls[kCombo]["selection"].asInt(), 0);
    EXPECT_EQ(controls[kPlainUpDown]["range"][1].asInt(), 5);
    const Json::Value& row = controls[kListView]["rows"][0];
    EXPECT_EQ(row["cells"][0].asString(), "摄像机01");
    EXPECT_EQ(row["checked"].asInt(), 2);
    EXPECT_TRUE(row["selected"].asBool());
    EXPECT_EQ(controls[kListView]["columns"][1]["width"].asInt(), 70);
    EXPECT_EQ(controls[kEdit]["height"].asInt(), 23);  // 14 dialog units at 96 dpi

    std::string text = win::headless::DialogStateText(state);
    EXPECT_THAT(text, HasSubstr("Dialog 500  \"Contract\""));
    EXPECT_THAT(text, HasSubstr("[x]* 摄像机01 | 1920"));
    EXPECT_THAT(text, HasSubstr("* PNG"));
}

TEST(HeadlessWindowTest, BoxesTakeQueuedAnswersFittedToTheirButtonsAndAreToldInOrder) {
    std::vector<std::string> events;
    win::headless::SetEventObserver([&events](const win::headless::WindowEvent& event) {
        using Type = win::headless::WindowEvent::Type;
        std::string kind = event.type == Type::DialogOpened  ? "opened"
                           : event.type == Type::DialogEnded ? "ended"
                                                             : "box";
        events.push_back(
            kind + " " + std::to_string(event.dialogId) + " " +
            std::to_string(event.type == Type::MessageBox ? event.box.answer : event.result));
    });
    win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerNoCancel);
    win::QueueMessageBoxAnswer(win::kIdYes);     // on OK/Cancel: OK
    win::QueueMessageBoxAnswer(win::kIdCancel);  // on Yes/No: No
    win::QueueMessageBoxAnswer(win::kIdCancel);  // on OK: OK
    DialogProbe probe;
    probe.onInit = [](HWND dialog) {
        win::MessageBoxEx(dialog, u"a", u"c", win::kMbOkCancel, 1033);
        win::MessageBoxEx(dialog, u"b", u"c", win::kMbYesNo, 1033);
        win::MessageBoxEx(nullptr, u"c", u"c", win::kMbOk, 1033);
        win::MessageBoxEx(dialog, u"d", u"c", win::kMbYesNo, 1033);  // the policy's No
        win::EndDialog(dialog, 3);
    };
    probe.Run();
    win::headless::SetEventObserver(nullptr);
    win::SetMessageBoxPolicy(win::MessageBoxPolicy::AnswerYesOk);
    win::TakeMessageBoxes();
    EXPECT_THAT(events, ElementsAre("opened 500 0", "box 500 1", "box 500 7", "box 0 1",
                                    "box 500 7", "ended 500 3"));
}

TEST(HeadlessWindowTest, TimersRunOnTheManualClockAndAStarvingLoopIsReported) {
    win::headless::UseManualClock(true);
    DialogProbe probe;
    probe.onInit = [](HWND dialog) { win::SetTimer(dialog, 1, 30); };
    std::vector<size_t> ticks;
    Driver()
        .Do([&](HWND) {
            for (int milliseconds : {29, 1, 60}) {
                win::headless::AdvanceClock(milliseconds);
                ticks.push_back(probe.Lines("timer").size());
            }
        })
        .Close();
    probe.Run();
    win::headless::UseManualClock(false);
    // A clock that jumps fires a late timer once, not once per missed period.
    EXPECT_THAT(ticks, ElementsAre(0u, 1u, 2u));

    int starved = 0;
    win::headless::SetStarvationHandler(
        [&starved](HWND dialog) {
            ++starved;
            win::EndDialog(dialog, 9);
        },
        std::chrono::milliseconds(50));
    DialogProbe forgotten;
    EXPECT_EQ(forgotten.Run(), 9);
    EXPECT_EQ(starved, 1);
    win::headless::SetStarvationHandler(nullptr);
}

}  // namespace
