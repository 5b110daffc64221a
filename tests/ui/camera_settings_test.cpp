// The camera settings dialog through the driver: single and batch mode, the ratio lock, the size
// limit, the padlocks, the name checks, painting, OK and closing.
#include <gmock/gmock.h>

#include <functional>

#include "platform/headless/gdi_objects.h"
#include "platform/headless/state_dump.h"
#include "platform/win/controls.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "tests/ui/ui_fixture.h"
#include "tests/win/dialog_probe.h"
#include "ui/camera_settings_dialog.h"
#include "ui/dialog_ui.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using win::headless::Driver;

class CameraSettingsTest : public UiTest {
protected:
    CameraMap& cameras = GetPluginState().cameras;
    DialogProbe owner;

    // Opens the dialog for the cameras named (batch mode for more than one) over a stand-in of
    // the main dialog; `steps` queues what the user does in it, ending it. Returns its result.
    INT_PTR Open(std::vector<std::u16string> names, const std::function<void(Driver&)>& steps) {
        GetDialogUi().editList = std::move(names);
        GetPluginState().batchEdit = GetDialogUi().editList.size() > 1 ? 1 : 0;
        INT_PTR result = -100;
        Driver driver;
        driver.Do([&result](HWND main) { result = ShowCameraSettingsDialog(main, 0); });
        steps(driver);
        driver.Command(IDCANCEL);
        owner.RunTemplate(Module(), IDD_MAIN);
        for (const std::string& failure : driver.Failures()) {
            ADD_FAILURE() << "driver: " << failure;
        }
        return result;
    }
};

// The ratio field shows 1.778; the locked ratio is the camera's own, 16:9. OK takes the output
// name trimmed and cleaned of what file names may not hold, and refuses it with its messages.
TEST_F(CameraSettingsTest, SingleModeFollowsTheRatioAndOkTakesOnlyAnAcceptableOutputName) {
    cameras[u"Cam01"] = Camera(1920, 1080, u"Cam01");
    const std::u16string tooLong(101, u'n');
    INT_PTR result = Open({u"Cam01"}, [&tooLong](Driver& user) {
        user.Do([](HWND dialog) {
                EXPECT_EQ(Text(dialog, IDC_EDIT_WIDTH), u"1920");
                EXPECT_EQ(Text(dialog, IDC_EDIT_HEIGHT), u"1080");
                EXPECT_EQ(Text(dialog, IDC_EDIT_RATIO), u"1.778");
                EXPECT_TRUE(Checked(dialog, IDC_CHECK_LOCK_RATIO));
                EXPECT_FALSE(Enabled(dialog, IDC_SPIN_RATIO));
                EXPECT_TRUE(Visible(dialog, IDC_EDIT_OUTPUT_NAME));
                EXPECT_FALSE(Visible(dialog, IDC_LOCK_RESOLUTION_CLOSED));
                EXPECT_FALSE(Visible(dialog, IDC_BATCH_NOTE));
            })
            .Type(IDC_EDIT_WIDTH, u"3840")
            .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_EDIT_HEIGHT), u"2160"); })
            .Type(IDC_EDIT_WIDTH, u"800")
            .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_EDIT_HEIGHT), u"450"); })
            .Click(IDC_CHECK_LOCK_RATIO)
            .Type(IDC_EDIT_HEIGHT, u"200")
            .Do([](HWND dialog) {
                EXPECT_EQ(Text(dialog, IDC_EDIT_RATIO), u"4.000");
                EXPECT_EQ(Text(dialog, IDC_EDIT_WIDTH), u"800");
            })
            .Spin(IDC_SPIN_RATIO, 500)  // 4.5: the height follows the ratio
            .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_EDIT_HEIGHT), u"177"); })
            .Type(IDC_EDIT_FRAME, u"25")
            .PickComboItem(IDC_COMBO_SPHERICAL, 1)
            .Type(IDC_EDIT_OUTPUT_NAME, u"")
            .Click(IDC_CAMERA_OK)
            .Type(IDC_EDIT_OUTPUT_NAME, u"   ")
            .Click(IDC_CAMERA_OK)
            .Type(IDC_EDIT_OUTPUT_NAME, tooLong)
            .Type(IDC_EDIT_OUTPUT_NAME, tooLong + u"/")
            .Do([&tooLong](HWND dialog) {
                EXPECT_EQ(Text(dialog, IDC_EDIT_OUTPUT_NAME), tooLong + u"/");
            })
            .Type(IDC_EDIT_OUTPUT_NAME, u"a/b*c%d`e")
            .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_EDIT_OUTPUT_NAME), u"abcde"); })
            .Type(IDC_EDIT_OUTPUT_NAME, u"  Cam02 ")
            .Click(IDC_CAMERA_OK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_THAT(owner.Lines("user"), ElementsAre("user 1"));  // once, for the OK that took
    const CameraInfo& camera = cameras[u"Cam01"];
    EXPECT_EQ(std::tie(camera.width, camera.height, camera.frameToRender, camera.isSpherical,
                       camera.outputName),
              std::make_tuple(800, 177, 25, true, std::u16string(u"Cam02")));
    EXPECT_EQ(GetPluginState().batchEdit, 0);
    EXPECT_THAT(BoxTexts(),
                ElementsAre(ResourceText(IDS_NAME_EMPTY), ResourceText(IDS_NAME_SPACES),
                            ResourceText(IDS_NAME_EMPTY), ResourceText(IDS_NAME_TOO_LONG),
                            ResourceText(IDS_NAME_TOO_LONG), ResourceText(IDS_NAME_INVALID_CHARS),
                            ResourceText(IDS_NAME_SPACES)));
    EXPECT_THAT(NewUiLogLines(),
                ElementsAre("[WARN] You are setting camera name that its length longer than 100!",
                            "[WARN] You are setting camera name that its length longer than 100!",
                            "[WARN] You are setting camera name that contain invalid characters.",
                            "[INFO] Remove invalid characters successfully."));
}

TEST_F(CameraSettingsTest, SizesAboveTheLimitOrNegativeBecomeTheLimitAndEveryChainEnds) {
    cameras[u"Cam"] = Camera(1000, 500, u"Cam");
    Open({u"Cam"}, [](Driver& user) {
        auto expectSizes = [&user](const char16_t* width, const char16_t* height) {
            user.Do([=](HWND dialog) {
                EXPECT_EQ(Text(dialog, IDC_EDIT_WIDTH), width);
                EXPECT_EQ(Text(dialog, IDC_EDIT_HEIGHT), height);
            });
        };
        user.Type(IDC_EDIT_WIDTH, u"40000");
        expectSizes(u"32768", u"16384");
        user.Type(IDC_EDIT_WIDTH, u"-5");
        expectSizes(u"32768", u"16384");
        user.Type(IDC_EDIT_HEIGHT, u"32768");  // the width it asks for is over the limit
        expectSizes(u"32768", u"32768");
        user.Click(IDC_CHECK_LOCK_RATIO).Type(IDC_EDIT_HEIGHT, u"-1");
        expectSizes(u"32768", u"32768");
        user.Type(IDC_EDIT_RATIO, u"0.001");  // unlocked: the height follows, within the limit
        expectSizes(u"32768", u"32768");
        user.Type(IDC_EDIT_WIDTH, u"abc").Type(IDC_EDIT_HEIGHT, u"");
        user.Close();
    });
    EXPECT_EQ(cameras[u"Cam"].width, 1000);  // closing applies nothing
}

TEST_F(CameraSettingsTest, FormatsTheListLacksFallBackAndTiffHasItsOwnPlace) {
    for (auto [format, position] : std::vector<std::pair<std::u16string, int>>{
             {u"TIF", 12}, {u"TIFF", 12}, {u"EXR", 3}, {u"PSD", 13}, {u"XYZ", 0}, {u"", 0}}) {
        cameras[u"Cam"] = Camera(10, 10, u"Cam", format);
        Open({u"Cam"}, [position = position](Driver& user) {
            user.Do([position](HWND dialog) {
                    HWND combo = win::GetDlgItem(dialog, IDC_COMBO_FORMAT);
                    EXPECT_EQ(win::GetComboCount(combo), 14);
                    EXPECT_EQ(win::GetComboSelection(combo), position);
                })
                .Close();
        });
    }
}

TEST_F(CameraSettingsTest, AnOpenPadlockLocksAgainWithTheCurrentCamerasValues) {
    cameras[u"A"] = Camera(1000, 500, u"A");
    cameras[u"A"].frameToRender = 7;
    cameras[u"B"] = Camera(10, 10, u"B_out");
    INT_PTR result = Open({u"A", u"B"}, [](Driver& user) {
        user.Click(IDC_LOCK_RESOLUTION_CLOSED)
            .Click(IDC_CHECK_LOCK_RATIO)  // unlocks the ratio
            .Type(IDC_EDIT_WIDTH, u"1234")
            .Click(IDC_LOCK_FRAME_CLOSED)
            .Type(IDC_EDIT_FRAME, u"99")
            .Click(IDC_LOCK_SPHERICAL_CLOSED)
            .PickComboItem(IDC_COMBO_SPHERICAL, 1)
            .Click(IDC_LOCK_FORMAT_CLOSED)  // an open group stays as set when others lock
            .PickComboItem(IDC_COMBO_FORMAT, 3)
            .Click(IDC_LOCK_RESOLUTION_OPEN)
            .Click(IDC_LOCK_FRAME_OPEN)
            .Click(IDC_LOCK_SPHERICAL_OPEN)
            .Do([](HWND dialog) {
                EXPECT_EQ(Text(dialog, IDC_EDIT_WIDTH), u"1000");
                EXPECT_EQ(Text(dialog, IDC_EDIT_HEIGHT), u"500");
                EXPECT_EQ(Text(dialog, IDC_EDIT_RATIO), u"2.000");
                EXPECT_EQ(Text(dialog, IDC_EDIT_FRAME), u"7");
                EXPECT_EQ(win::GetComboSelection(win::GetDlgItem(dialog, IDC_COMBO_SPHERICAL)), 0);
                EXPECT_TRUE(Checked(dialog, IDC_CHECK_LOCK_RATIO));
                for (int control : {IDC_EDIT_WIDTH, IDC_EDIT_HEIGHT, IDC_CHECK_LOCK_RATIO,
                                    IDC_SPIN_RATIO, IDC_EDIT_FRAME, IDC_COMBO_SPHERICAL}) {
                    EXPECT_FALSE(Enabled(dialog, control)) << control;
                }
                EXPECT_TRUE(Visible(dialog, IDC_LOCK_RESOLUTION_CLOSED));
                EXPECT_FALSE(Visible(dialog, IDC_LOCK_RESOLUTION_OPEN));
            })
            .Click(IDC_CAMERA_OK);
    });
    EXPECT_EQ(result, 1);
    // B keeps its own output name and takes the format of the group left open.
    const CameraInfo& b = cameras[u"B"];
    EXPECT_EQ(std::tie(b.width, b.frameToRender, b.outputName, b.imageFormat),
              std::make_tuple(10, 1, std::u16string(u"B_out"), std::u16string(u"EXR")));
}

// The headless window system counts the GDI objects and records what each control painted.
#ifndef _WIN32
TEST_F(CameraSettingsTest, BatchModePaintsPadlocksAndNotesAndReleasesWhatItDraws) {
    cameras[u"A"] = Camera(10, 10, u"A");
    cameras[u"B"] = Camera(20, 20, u"B");
    size_t objectsBefore = win::headless::LiveGdiObjects();
    win::headless::DialogState state;
    Open({u"A", u"B"}, [&state](Driver& user) {
        user.Click(IDC_LOCK_FRAME_CLOSED)
            .Do([&state](HWND dialog) { win::headless::DumpDialog(dialog, state); })
            .Close();
    });
    EXPECT_EQ(win::headless::LiveGdiObjects(), objectsBefore);
    std::map<int, std::vector<std::string>> painted;
    for (const win::headless::ControlState& control : state.controls) {
        painted[control.id] = control.painted;
    }
    EXPECT_THAT(painted[IDC_LOCK_FRAME_CLOSED], ElementsAre(HasSubstr("image 16x16 at 0,0")));
    EXPECT_THAT(painted[IDC_LOCK_FRAME_OPEN], ElementsAre(HasSubstr("image 16x16 at 0,0")));
    EXPECT_NE(painted[IDC_LOCK_FRAME_CLOSED], painted[IDC_LOCK_FRAME_OPEN]);
    EXPECT_EQ(painted[IDC_LOCK_FORMAT_CLOSED], painted[IDC_LOCK_FRAME_CLOSED]);
    EXPECT_THAT(painted[IDC_BATCH_NOTE],
                ElementsAre(HasSubstr("#C1C1C1 on #444444 font \"MS Sans Serif\" 8/400")));
    EXPECT_EQ(GetPluginState().batchEdit, 0);
}
#endif

}  // namespace
