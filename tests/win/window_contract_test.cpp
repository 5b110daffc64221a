// The behaviour the plug-in's dialogs rely on, written against the window system seam alone, so
// that the headless window system and the real one are held to the same contract.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/headless/driver.h"
#include "platform/win/controls.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "tests/win/contract_dialog.h"
#include "tests/win/dialog_probe.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using win::headless::Driver;

// Runs `body` on the open contract dialog, then cancels it.
DialogProbe WithDialog(const std::function<void(HWND)>& body, DialogProbe probe = {}) {
    Driver().Do(body).Command(IDCANCEL);
    probe.Run();
    return probe;
}

TEST(WindowContractTest, EditWritesNotifyUpdateThenChangeEvenDuringInitAndForTheSameText) {
    DialogProbe writesDuringInit;
    writesDuringInit.onInit = [](HWND dialog) { win::SetDlgItemText(dialog, kEdit, u"first"); };
    const DialogProbe probe = WithDialog(
        [](HWND dialog) {
            win::SetDlgItemText(dialog, kEdit, u"first");
            win::SendMessage(win::GetDlgItem(dialog, kEdit), WM_KEYDOWN, VK_END, 0);
            std::pair<int, int> selection(-1, -1);
            win::GetEditSelection(win::GetDlgItem(dialog, kEdit), selection.first,
                                  selection.second);
            EXPECT_EQ(selection, std::pair(5, 5));
            EXPECT_EQ(win::GetDlgItemText(dialog, kEdit, 4), u"fir");
        },
        writesDuringInit);
    EXPECT_THAT(probe.Lines("command 100"),
                ElementsAre("command 100 EN_UPDATE", "command 100 EN_CHANGE",
                            "command 100 EN_UPDATE", "command 100 EN_CHANGE"));
    EXPECT_EQ(probe.log.front(), "init");
    EXPECT_EQ(probe.log.back(), "destroy");
}

// Set by message, only the up-down control with a buddy notifies (its buddy's text changes) and
// the list view (its rows' states); checks, selections and list boxes notify nobody.
TEST(WindowContractTest, ControlsSetByMessageKeepWhatTheyAreGivenAndNotifyAsWindowsDoes) {
    const DialogProbe probe = WithDialog([](HWND dialog) {
        win::CheckDlgButton(dialog, kCheckBox, BST_CHECKED);
        win::CheckRadioButton(dialog, kRadioFirst, kRadioLast, 105);
        HWND combo = win::GetDlgItem(dialog, kCombo);
        win::AddComboString(combo, u"PNG");
        win::InsertComboString(combo, 0, u"JPG");
        EXPECT_EQ(win::SetComboSelection(combo, 1), 1);
        win::SetUpDownRange(win::GetDlgItem(dialog, kPlainUpDown), 0, 5);
        win::SetUpDownPos(win::GetDlgItem(dialog, kPlainUpDown), 9);
        EXPECT_EQ(win::IsDlgButtonChecked(dialog, kCheckBox), UINT{BST_CHECKED});
        EXPECT_EQ(win::IsDlgButtonChecked(dialog, 104), UINT{BST_UNCHECKED});
        EXPECT_EQ(win::IsDlgButtonChecked(dialog, 105), UINT{BST_CHECKED});
        EXPECT_EQ(win::GetWindowText(combo, 260), u"PNG");
        EXPECT_EQ(win::FindComboStringExact(combo, -1, u"png"), 1);
        EXPECT_EQ(win::FindComboStringExact(combo, -1, u"TIF"), CB_ERR);
        EXPECT_EQ(win::GetUpDownPos32(win::GetDlgItem(dialog, kPlainUpDown)), 5);

        HWND listBox = win::GetDlgItem(dialog, kListBox);
        EXPECT_EQ(win::AddListBoxString(listBox, u"first"), 0);
        EXPECT_EQ(win::AddListBoxString(listBox, u"second"), 1);
        win::SetListBoxHorizontalExtent(listBox, 321);
        EXPECT_EQ(win::GetListBoxHorizontalExtent(listBox), 321);
        EXPECT_EQ(win::GetListBoxText(listBox, 1), u"second");
        win::ResetListBox(listBox);
        EXPECT_EQ(win::GetListBoxCount(listBox), 0);

        HWND upDown = win::GetDlgItem(dialog, kUpDown);
        win::SetUpDownRange(upDown, 1, 1000);
        win::SetUpDownPos(upDown, 16);
        EXPECT_EQ(win::GetDlgItemText(dialog, kBuddyEdit, 260), u"16");
        win::SetUpDownRange32(upDown, 0, 2147483647);
        std::pair<int, int> range(-1, -1);
        win::GetUpDownRange32(upDown, range.first, range.second);
        EXPECT_EQ(range, std::pair(0, 2147483647));

        HWND list = win::GetDlgItem(dialog, kListView);
        win::SetListViewExtendedStyle(list, 0, 37);
        EXPECT_EQ(win::GetListViewExtendedStyle(list), 37u);
        EXPECT_EQ(win::InsertListViewColumn(list, 0, LVCFMT_CENTER, 200, u"Camera"), 0);
        EXPECT_EQ(win::InsertListViewColumn(list, 1, LVCFMT_CENTER, 70, u"Width"), 1);
        EXPECT_EQ(win::InsertListViewItem(list, 0, u"A"), 0);
        EXPECT_EQ(win::InsertListViewItem(list, 1, u"b"), 1);
        win::SetListViewItemText(list, 1, 1, u"1920");
        EXPECT_EQ(win::GetListViewItemText(list, 1, 1, 260), u"1920");
        EXPECT_EQ(win::GetListViewItemText(list, 1, 1, 3), u"19");
        // New rows of a list with check boxes start unticked (state image 1).
        EXPECT_EQ(win::GetListViewItemState(list, 0, LVIS_STATEIMAGEMASK) >> 12, 1u);
        win::SetListViewItemState(list, 1, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
        EXPECT_EQ(win::GetListViewItemState(list, 1, LVIS_STATEIMAGEMASK) >> 12, 2u);
        win::SetListViewItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_EQ(win::GetNextListViewItem(list, -1, LVNI_SELECTED), 1);
        EXPECT_EQ(win::GetNextListViewItem(list, -1, LVNI_FOCUSED | LVNI_SELECTED), 1);
        EXPECT_EQ(win::GetListViewSelectedCount(list), 1u);
        win::DeleteAllListViewItems(list);
        EXPECT_EQ(win::GetListViewItemCount(list), 0);
    });
    EXPECT_THAT(
        probe.Lines("command"),
        ElementsAre("command 101 EN_UPDATE", "command 101 EN_CHANGE", "command 2 BN_CLICKED"));
    EXPECT_THAT(
        probe.Lines("notify 107"),
        ElementsAre("notify 107 LVN_ITEMCHANGING item 1", "notify 107 LVN_ITEMCHANGED item 1",
                    "notify 107 LVN_ITEMCHANGING item 1", "notify 107 LVN_ITEMCHANGED item 1"));
}

TEST(WindowContractTest, UserActionsNotifyWithTheirItemAndDelta) {
    DialogProbe probe;
    probe.onInit = [](HWND dialog) {
        HWND list = win::GetDlgItem(dialog, kListView);
        win::SetListViewExtendedStyle(list, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        win::InsertListViewColumn(list, 0, LVCFMT_LEFT, 100, u"Name");
        win::InsertListViewItem(list, 0, u"A");
        win::InsertListViewItem(list, 1, u"B");
        win::SetUpDownRange(win::GetDlgItem(dialog, kUpDown), 0, 3);
        win::SetUpDownPos(win::GetDlgItem(dialog, kUpDown), 2);
    };
    bool refuse = false;
    probe.onMessage = [&refuse](HWND dialog, UINT message, WPARAM,
                                LPARAM lParam) -> std::optional<INT_PTR> {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == UDN_DELTAPOS) {
            win::SetWindowLongPtr(dialog, DWLP_MSGRESULT, refuse ? 1 : 0);
            return TRUE;
        }
        return std::nullopt;
    };
    Driver driver;
    driver.Do([&probe](HWND) { probe.log.clear(); })
        .Spin(kUpDown, 1)
        .Spin(kUpDown, 1)  // at the top of the range: asked, nothing moves
        .Do([&refuse](HWND) { refuse = true; })
        .Spin(kUpDown, -1)  // refused by the dialog
        .TickRow(kListView, 1, true)
        .DoubleClickRow(kListView, -1)
        .HoverRow(kListView, 0)
        .Click(kNotifyingStatic)
        .Click(kCheckBox)
        .Click(105)
        .Do([](HWND dialog) {
            EXPECT_EQ(win::GetDlgItemText(dialog, kBuddyEdit, 260), u"3");
            EXPECT_EQ(win::IsDlgButtonChecked(dialog, kCheckBox), UINT{BST_CHECKED});
            EXPECT_EQ(win::IsDlgButtonChecked(dialog, 105), UINT{BST_CHECKED});
            EXPECT_EQ(win::GetListViewItemState(win::GetDlgItem(dialog, kListView), 1,
                                                LVIS_STATEIMAGEMASK),
                      UINT{INDEXTOSTATEIMAGEMASK(2)});
        })
        .Command(IDCANCEL);
    probe.Run();
    EXPECT_TRUE(driver.Failures().empty());
    std::erase_if(probe.log, [](const std::string& line) {
        return line.find("EN_UPDATE") != std::string::npos || line == "paint" || line == "destroy";
    });
    EXPECT_THAT(
        probe.log,
        ElementsAre("notify 102 UDN_DELTAPOS pos 2 delta 1", "command 101 EN_CHANGE",
                    "notify 102 UDN_DELTAPOS pos 3 delta 1",
                    "notify 102 UDN_DELTAPOS pos 3 delta -1", "notify 107 NM_CLICK item 1",
                    "notify 107 LVN_ITEMCHANGING item 1", "notify 107 LVN_ITEMCHANGED item 1",
                    "notify 107 NM_CLICK item -1", "notify 107 NM_DBLCLK item -1",
                    "notify 107 LVN_HOTTRACK item 0", "command 110 BN_CLICKED",
                    "command 103 BN_CLICKED", "command 105 BN_CLICKED", "command 2 BN_CLICKED"));
}

TEST(WindowContractTest, AnotherThreadReadsWritesAndEndsTheDialogOnItsThread) {
    DialogProbe probe;
    std::thread worker;
    std::u16string read;
    probe.onInit = [&](HWND dialog) {
        win::SetDlgItemText(dialog, kEdit, u"typed");
        worker = std::thread([dialog, &read] {
            read = win::GetDlgItemText(dialog, kEdit, 260);
            win::SetDlgItemText(dialog, kEdit, u"from the worker");
            win::SendMessage(dialog, WM_USER + 1, 0, 0);
            win::EndDialog(dialog, 42);
        });
    };
    EXPECT_EQ(probe.Run(), 42);
    worker.join();
    EXPECT_EQ(read, u"typed");
    EXPECT_THAT(probe.Lines("user"), ElementsAre("user 1"));
    EXPECT_EQ(probe.Lines("command 100 EN_CHANGE").size(), 2u);
    EXPECT_THAT(probe.threads, Each(std::this_thread::get_id()));
}

TEST(WindowContractTest, TimersTickUntilKilledAndCloseBecomesCancel) {
    DialogProbe probe;
    probe.onInit = [](HWND dialog) { win::SetTimer(dialog, 7, 5); };
    int ticks = 0;
    probe.onMessage = [&ticks](HWND dialog, UINT message, WPARAM,
                               LPARAM) -> std::optional<INT_PTR> {
        if (message == WM_TIMER && ++ticks == 3) {
            EXPECT_EQ(win::KillTimer(dialog, 7), TRUE);
            EXPECT_EQ(win::KillTimer(dialog, 7), FALSE);
            win::SendMessage(dialog, WM_CLOSE, 0, 0);
        }
        return std::nullopt;
    };
    EXPECT_EQ(probe.Run(), 0);
    EXPECT_THAT(probe.Lines("timer"), ElementsAre("timer 7", "timer 7", "timer 7"));
    EXPECT_THAT(probe.Lines("c"), ElementsAre("close", "command 2 BN_CLICKED"));
}

TEST(WindowContractTest, WindowsStylesZOrderAndTheSystemMenu) {
    HWND dialogSeen = nullptr;
    WithDialog([&dialogSeen](HWND dialog) {
        dialogSeen = dialog;
        HWND button = win::GetDlgItem(dialog, kButton);
        EXPECT_EQ(win::GetDlgCtrlID(button), kButton);
        EXPECT_EQ(win::GetParent(button), dialog);
        EXPECT_EQ(win::GetDlgItem(dialog, 4242), nullptr);
        RECT before;
        win::GetWindowRect(button, before);
        win::SetWindowPos(button, HWND_BOTTOM, 10, 20, 0, 0, SWP_NOSIZE);
        RECT after;
        win::GetWindowRect(button, after);
        POINT origin{after.left, after.top};
        win::ScreenToClient(dialog, origin);
        EXPECT_EQ(origin.x, 10);
        EXPECT_EQ(origin.y, 20);
        EXPECT_EQ(after.right - after.left, before.right - before.left);
        HWND last = nullptr;
        for (HWND child = win::GetWindow(dialog, GW_CHILD); child != nullptr;
             child = win::GetWindow(child, GW_HWNDNEXT)) {
            last = child;
        }
        EXPECT_EQ(last, button);

        HWND label = win::GetDlgItem(dialog, kEdit);
        LONG_PTR style = win::GetWindowLongPtr(label, GWL_STYLE);
        win::SetWindowLongPtr(label, GWL_STYLE, style | SS_NOTIFY);
        EXPECT_EQ(win::GetWindowLongPtr(label, GWL_STYLE), style | SS_NOTIFY);
        EXPECT_EQ(win::ShowWindow(label, SW_HIDE), TRUE);
        EXPECT_EQ(win::IsWindowVisible(label), FALSE);
        EXPECT_EQ(win::EnableWindow(label, FALSE), FALSE);
        EXPECT_EQ(win::EnableWindow(label, TRUE), TRUE);

        HMENU menu = win::GetSystemMenu(dialog, FALSE);
        EXPECT_EQ(win::RemoveMenu(menu, SC_CLOSE, MF_BYCOMMAND), TRUE);
        EXPECT_EQ(win::RemoveMenu(menu, SC_CLOSE, MF_BYCOMMAND), FALSE);
    });
    EXPECT_EQ(win::IsWindow(dialogSeen), FALSE);
}

TEST(WindowContractTest, EndingDuringInitAndPaintingWithFontsAndAlphaImages) {
    DialogProbe ended;
    ended.onInit = [](HWND dialog) { win::EndDialog(dialog, 7); };
    EXPECT_EQ(ended.Run(), 7);
    EXPECT_THAT(ended.log, ElementsAre("init", "destroy"));

    DialogProbe painter;
    painter.onMessage = [](HWND dialog, UINT message, WPARAM, LPARAM) -> std::optional<INT_PTR> {
        if (message != WM_PAINT) {
            return std::nullopt;
        }
        HWND target = win::GetDlgItem(dialog, kNotifyingStatic);
        win::PaintContext paint;
        HDC dc = win::BeginPaint(target, paint);
        EXPECT_NE(dc, nullptr);
        const uint32_t pixels[] = {0xFFACACAC, 0, 0, 0x80565656};
        HBITMAP image = win::CreateAlphaBitmap(2, 2, pixels);
        EXPECT_EQ(win::AlphaBlendBitmap(dc, 0, 0, image, 2, 2), TRUE);
        HFONT font = win::CreateFont(8, FW_NORMAL, FF_SWISS, u"MS Sans Serif");
        HFONT old = win::SelectFont(dc, font);
        win::SetTextColor(dc, RGB(193, 193, 193));
        win::SetBkColor(dc, RGB(68, 68, 68));
        RECT rect = paint.paintRect;
        EXPECT_GT(win::DrawText(dc, u"note", rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 0);
        win::SelectFont(dc, old);
        EXPECT_EQ(win::DeleteObject(font), TRUE);
        EXPECT_EQ(win::DeleteObject(image), TRUE);
        EXPECT_EQ(win::EndPaint(target, paint), TRUE);
        return FALSE;
    };
    Driver().Command(IDCANCEL);
    painter.Run();
    EXPECT_FALSE(painter.Lines("paint").empty());
}

}  // namespace
