// The progress window driven by the submission's requests, the invalid-names dialog and the
// padlock images.
#include <gmock/gmock.h>

#include <atomic>
#include <thread>

#include "platform/headless/environment.h"
#include "platform/headless/events.h"
#include "platform/headless/state_dump.h"
#include "platform/win/controls.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "tests/support/environment.h"
#include "tests/ui/ui_fixture.h"
#include "ui/dialog_ui.h"
#include "ui/invalid_names_dialog.h"
#include "ui/png_image.h"
#include "ui/progress_dialog.h"

namespace {

using ::testing::ElementsAre;
using win::headless::Driver;

using ProgressTest = UiTest;

TEST_F(ProgressTest, FollowsHideShowAndCloseRequestsAtEachTick) {
    if (testing_support::kOnWindows) {
        GTEST_SKIP() << "the timer follows the system's clock";
    }
    PluginState& state = GetPluginState();
    win::headless::UseManualClock(true);
    std::atomic<HWND> progress{nullptr};
    win::headless::SetEventObserver([&progress](const win::headless::WindowEvent& event) {
        if (event.type == win::headless::WindowEvent::Type::DialogOpened &&
            event.dialogId == IDD_PROGRESS) {
            progress = event.dialog;
        }
    });
    state.progressRunState = 0;
    std::thread thread(RunProgressDialog, nullptr, u"caption", u"note", u"0");
    win::headless::WaitUntil([&progress] { return progress.load() != nullptr; });

    win::headless::DialogState dump;
    ASSERT_TRUE(win::headless::DumpDialog(progress, dump));
    EXPECT_FALSE(dump.closeBox);
    std::string error;
    EXPECT_FALSE(win::headless::UserActions::Close(progress, error));

    auto visibleAfterTick = [&progress] {
        win::headless::AdvanceClock(30);
        return win::IsWindowVisible(progress) != FALSE;
    };
    EXPECT_TRUE(visibleAfterTick());
    state.hideProgress = true;
    EXPECT_FALSE(visibleAfterTick());
    state.hideProgress = false;
    EXPECT_TRUE(visibleAfterTick());
    EXPECT_TRUE(visibleAfterTick());

    // Closing while hidden: hidden and ended at the same tick.
    state.hideProgress = true;
    state.closeProgress = true;
    win::headless::AdvanceClock(30);
    thread.join();
    EXPECT_EQ(state.progressRunState.load(), 11);
    win::headless::SetEventObserver(nullptr);
    win::headless::UseManualClock(false);
}

using InvalidNamesTest = UiTest;

TEST_F(InvalidNamesTest, ListsTheRefusedNamesInOrderCentredInTheWorkArea) {
    if (testing_support::kOnWindows) {
        GTEST_SKIP() << "the work area is the system's";
    }
    GetDialogUi().problemList = {u"cam:1", u" lead", u"trail."};
    win::headless::SetWorkArea(RECT{100, 50, 1000, 700});
    win::headless::DialogState state;
    Driver()
        .Do([&state](HWND dialog) { win::headless::DumpDialog(dialog, state); })
        .Click(IDC_INVALID_NAMES_OK);
    INT_PTR result = ShowInvalidNamesDialog(nullptr);
    Driver().Close();
    INT_PTR closed = ShowInvalidNamesDialog(nullptr);
    win::headless::SetWorkArea(RECT{0, 0, 1920, 1040});

    EXPECT_EQ(std::make_pair(result, closed),
              std::make_pair(INT_PTR{IDC_INVALID_NAMES_OK}, INT_PTR{IDCANCEL}));
    EXPECT_EQ(state.caption, ResourceText(IDS_INVALID_NAMES_CAPTION));
    EXPECT_EQ(state.rect.left, (1000 - (state.rect.right - state.rect.left)) / 2);
    EXPECT_EQ(state.rect.top, (700 - (state.rect.bottom - state.rect.top)) / 2);
    for (const win::headless::ControlState& control : state.controls) {
        if (control.id == IDC_INVALID_NAMES_LIST) {
            EXPECT_THAT(*control.items, ElementsAre(u"cam:1", u" lead", u"trail."));
        } else if (control.id == IDC_INVALID_NAMES_TEXT) {
            EXPECT_EQ(control.text, ResourceText(IDS_INVALID_NAMES_TEXT));
        } else if (control.id == IDC_INVALID_NAMES_OK) {
            EXPECT_EQ(control.text, ResourceText(IDS_INVALID_NAMES_OK));
        }
    }
}

using PngImageTest = UiTest;

TEST_F(PngImageTest, PadlocksDecodeToSixteenSquarePixelsAndUnknownImagesLeaveNothing) {
    AlphaImage image;
    ASSERT_TRUE(LoadPngResource(image, IDB_PADLOCK_CLOSED, u"PNG"));
    EXPECT_NE(image.Bitmap(), nullptr);
    EXPECT_EQ(image.Width(), 16);
    EXPECT_EQ(image.Height(), 16);
    EXPECT_FALSE(LoadPngResource(image, 4242, u"PNG"));
    EXPECT_EQ(image.Bitmap(), nullptr);
    EXPECT_EQ(image.Width(), 0);
}

}  // namespace
