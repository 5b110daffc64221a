// The camera table, warnings list, scene name and numeric field operations, on the main
// dialog's template.
#include <gmock/gmock.h>

#include "platform/headless/environment.h"
#include "platform/headless/gdi_objects.h"
#include "platform/win/controls.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "tests/support/environment.h"
#include "tests/ui/ui_fixture.h"
#include "ui/dialog_ui.h"

namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

class DialogUiTest : public UiTest {
protected:
    DialogUi& ui = GetDialogUi();
    CameraMap& cameras = GetPluginState().cameras;

    static HWND List(HWND dialog) { return win::GetDlgItem(dialog, IDC_CAMERA_LIST); }

    // Row texts and tick marks: "[x] A" or "[ ] b".
    static std::vector<std::string> Rows(HWND dialog) {
        std::vector<std::string> rows;
        HWND list = List(dialog);
        for (int row = 0; row < win::GetListViewItemCount(list); ++row) {
            UINT image = win::GetListViewItemState(list, row, LVIS_STATEIMAGEMASK) >> 12;
            std::u16string name = win::GetListViewItemText(list, row, 0, 260);
            rows.push_back((image == 2 ? "[x] " : "[ ] ") + std::string(name.begin(), name.end()));
        }
        return rows;
    }
};

TEST_F(DialogUiTest, TheTableListsCamerasInCodeUnitOrderAndRefreshesFromTheMap) {
    cameras[u"b"] = Camera(1920, 1080, u"b_out");
    cameras[u"A"] = Camera(640, 480, u"A_out", u"EXR");
    cameras[u"a"] = Camera(800, 600, u"a_out");
    cameras[u"a"].isSpherical = true;
    cameras[u"a"].frameToRender = 12;
    cameras[u"b"].selected = true;
    InDialog(IDD_MAIN, [&](HWND dialog) {
        win::SetListViewExtendedStyle(List(dialog), 0, 37);
        EXPECT_TRUE(ui.CreateCameraTableHead(List(dialog)));
        EXPECT_TRUE(ui.CreateCameraTable(List(dialog), cameras));
        // The first filling leaves every box unticked, whatever the map says.
        EXPECT_THAT(Rows(dialog), ElementsAre("[ ] A", "[ ] a", "[ ] b"));
        std::vector<std::u16string> cells;
        for (int column = 0; column < 7; ++column) {
            cells.push_back(win::GetListViewItemText(List(dialog), 1, column, 260));
        }
        EXPECT_THAT(cells, ElementsAre(u"a", u"800", u"600", u"12", u"Yes", u"PNG", u"a_out"));

        EXPECT_TRUE(ui.UpdateCameraTable(List(dialog), cameras));
        EXPECT_THAT(Rows(dialog), ElementsAre("[ ] A", "[ ] a", "[x] b"));

        // Inversion reads the boxes, not the map: rows 0 and 2 ticked, row 1 not.
        win::SetListViewItemState(List(dialog), 0, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
        EXPECT_TRUE(ui.InvertCameraSelection(dialog, cameras));
        EXPECT_THAT(Rows(dialog), ElementsAre("[ ] A", "[x] a", "[ ] b"));
        EXPECT_TRUE(cameras[u"a"].selected);
        EXPECT_FALSE(cameras[u"b"].selected);

        EXPECT_TRUE(ui.SelectAllCameras(dialog, cameras));
        EXPECT_THAT(Rows(dialog), ElementsAre("[x] A", "[x] a", "[x] b"));

        // An empty map changes nothing: the check comes before the rows are deleted.
        CameraMap none;
        EXPECT_FALSE(ui.UpdateCameraTable(List(dialog), none));
        EXPECT_FALSE(ui.CreateCameraTable(List(dialog), none));
        EXPECT_EQ(win::GetListViewItemCount(List(dialog)), 3);
        EXPECT_FALSE(ui.CreateCameraTableHead(nullptr));
    });
    EXPECT_THAT(NewUiLogLines(),
                ElementsAre("[INFO] Create camera table head successfully.",
                            "[INFO] Create camera table successfully.",
                            "[INFO] Update camera table successfully.",
                            "[INFO] Update camera table successfully.",
                            "[INFO] Update camera table successfully.",
                            "[WARN] No cameras or Create camera table failed!",
                            "[WARN] No cameras or Create camera table failed!",
                            "[ERROR] No handle result in creating camera table head failed."));
}

TEST_F(DialogUiTest, WarningsSetTheWidestExtentAndTheSceneNameLosesItsExtension) {
    InDialog(IDD_MAIN, [&](HWND dialog) {
        HWND warnings = win::GetDlgItem(dialog, IDC_WARNINGS);
        EXPECT_FALSE(ui.ShowWarnings(warnings, {}));
        std::u16string wide = u"缺失的文件：D:\\场景\\贴图.png";
        EXPECT_TRUE(ui.ShowWarnings(warnings, {u"short", wide, u"medium line"}));
        EXPECT_EQ(win::GetListBoxCount(warnings), 3);
        EXPECT_EQ(win::GetListBoxText(warnings, 1), wide);
        const int extent = win::GetListBoxHorizontalExtent(warnings);
#ifndef _WIN32
        EXPECT_EQ(extent, win::headless::TextWidthPixels(wide, 96));
#endif
        EXPECT_GT(extent, 0);
        // A later, narrower list keeps the extent: it only ever grows.
        EXPECT_TRUE(ui.ShowWarnings(warnings, {u"x"}));
        EXPECT_EQ(win::GetListBoxHorizontalExtent(warnings), extent);

        HWND name = win::GetDlgItem(dialog, IDC_SCENE_NAME);
        EXPECT_TRUE(ui.ShowSceneName(name, "scene.max"));
        EXPECT_EQ(Text(dialog, IDC_SCENE_NAME), u"scene");
        EXPECT_TRUE(ui.ShowSceneName(name, "abc"));
        EXPECT_EQ(Text(dialog, IDC_SCENE_NAME), u"abc");
        EXPECT_TRUE(ui.ShowSceneName(name, "场景.max"));
        EXPECT_EQ(Text(dialog, IDC_SCENE_NAME), u"场景");
        EXPECT_FALSE(ui.ShowSceneName(name, ""));
    });
    EXPECT_THAT(
        NewUiLogLines(),
        ElementsAre("[INFO] There is no warnning in this scene.",
                    "[INFO] Get warnning infomation of current scene successfully.",
                    "[INFO] Get warnning infomation of current scene successfully.",
                    "[INFO] Set scene name successfully.", "[INFO] Set scene name successfully.",
                    "[INFO] Set scene name successfully.", "[WARN] The scene name is empty!"));
}

TEST_F(DialogUiTest, FieldRulesRoundClampAndStepAsTheDialogsNeed) {
    InDialog(IDD_MAIN, [&](HWND dialog) {
        auto decimal = [&](const std::u16string& typed) {
            win::SetDlgItemText(dialog, IDC_EDIT_DURATION, typed);
            ui.CheckDecimalText(win::GetDlgItem(dialog, IDC_EDIT_DURATION), 3);
            return Text(dialog, IDC_EDIT_DURATION);
        };
        EXPECT_EQ(decimal(u"1.2.3"), u"0.00");
        EXPECT_EQ(decimal(u"-1"), u"0.00");
        EXPECT_EQ(decimal(u"12"), u"12");
        EXPECT_EQ(decimal(u"7."), u"7.");

        auto clampInt = [&](const std::u16string& typed, int minimum) {
            win::SetDlgItemText(dialog, IDC_EDIT_DISTRIBUTED, typed);
            ui.ClampIntField(dialog, IDC_EDIT_DISTRIBUTED, minimum, 10);
            return Text(dialog, IDC_EDIT_DISTRIBUTED);
        };
        EXPECT_EQ(clampInt(u"1", 2), u"2");
        EXPECT_EQ(clampInt(u"-", -5), u"-");
        EXPECT_EQ(clampInt(u"", 2), u"");
        EXPECT_EQ(clampInt(u"0-7", 2), u"--7");
        EXPECT_EQ(clampInt(u"99999999999", 2), u"10");
        int start = -1;
        int end = -1;
        win::GetEditSelection(win::GetDlgItem(dialog, IDC_EDIT_DISTRIBUTED), start, end);
        EXPECT_EQ(start, 2);  // the caret stays at the end

        auto clampFloat = [&](const std::u16string& typed) {
            win::SetDlgItemText(dialog, IDC_EDIT_DURATION, typed);
            ui.ClampFloatField(dialog, IDC_EDIT_DURATION, 0.0, 239.0);
            return Text(dialog, IDC_EDIT_DURATION);
        };
        EXPECT_EQ(clampFloat(u"-1"), u"0.00");
        EXPECT_EQ(clampFloat(u"05"), u"5.000");
        EXPECT_EQ(clampFloat(u"0.5"), u"0.5");
        EXPECT_EQ(clampFloat(u"0"), u"0");
        EXPECT_EQ(clampFloat(u"5"), u"5");
        EXPECT_DOUBLE_EQ(ui.GetFieldValue(dialog, IDC_EDIT_DURATION), 5.0);

        struct Step {
            int field;
            const char16_t* before;
            float delta, step, minimum, maximum;
            const char16_t* after;
        };
        for (const Step& step : {
                 Step{IDC_EDIT_OUTPUT_GAMMA, u"0.3", -1, 0.1f, 0.1f, 5.0f, u"0.2"},
                 Step{IDC_EDIT_OUTPUT_GAMMA, u"0.1", -1, 0.1f, 0.1f, 5.0f, u"0.1"},
                 Step{IDC_EDIT_AO_RADIUS, u"10.0", -1, 0.1f, 10.0f, 1e9f, u"10.0"},
                 Step{IDC_EDIT_DISTRIBUTED, u"10", 1, 1.0f, 2.0f, 10.0f, u"10.0"},
                 Step{IDC_EDIT_DISTRIBUTED, u"2", -1, 1.0f, 2.0f, 10.0f, u"2.0"},
                 Step{IDC_EDIT_DURATION, u"239", 1, 0.1f, 0.0f, 239.0f, u"239.0"},
                 Step{IDC_EDIT_NOISE_LEVEL, u"0", -1, 0.1f, 0.0f, 100.0f, u"0.0"},
                 Step{IDC_EDIT_NOISE_LEVEL, u"2.5", 3, 0.1f, 0.0f, 100.0f, u"2.8"},
             }) {
            win::SetDlgItemText(dialog, step.field, step.before);
            ui.StepFloatField(dialog, step.field, step.delta, step.step, step.minimum,
                              step.maximum);
            EXPECT_EQ(Text(dialog, step.field), step.after) << step.field;
        }
    });
}

TEST_F(DialogUiTest, ResetCoronaLimitsGammaAndMovingControls) {
    InDialog(IDD_MAIN, [&](HWND dialog) {
        ui.ResetMainFields(dialog);
        EXPECT_EQ(Text(dialog, IDC_EDIT_AO_RADIUS), u"1000.0");
        EXPECT_EQ(Text(dialog, IDC_EDIT_AO_SUBDIVS), u"16");
        EXPECT_EQ(Text(dialog, IDC_EDIT_DISTRIBUTED), u"10");
        EXPECT_EQ(Text(dialog, IDC_EDIT_DURATION), u"0.0");
        EXPECT_EQ(Text(dialog, IDC_EDIT_NOISE_LEVEL), u"0");
        std::vector<std::pair<int, int>> ranges;
        for (int upDown :
             {IDC_SPIN_AO_RADIUS, IDC_SPIN_AO_SUBDIVS, IDC_SPIN_OUTPUT_GAMMA, IDC_SPIN_DISTRIBUTED,
              IDC_SPIN_ITERATIONS, IDC_SPIN_DURATION, IDC_SPIN_NOISE_LEVEL}) {
            int low = 0;
            int high = 0;
            win::GetUpDownRange32(win::GetDlgItem(dialog, upDown), low, high);
            ranges.emplace_back(low, high);
        }
        EXPECT_THAT(ranges, ElementsAre(Pair(0, 707072), Pair(1, 1000), Pair(0, 5), Pair(2, 10),
                                        Pair(0, 2147483647), Pair(0, 239), Pair(0, 100)));

        ui.SetCoronaLimits(dialog, 5, 1.5, 2.25);
        EXPECT_EQ(Text(dialog, IDC_EDIT_ITERATIONS), u"5");
        EXPECT_EQ(Text(dialog, IDC_EDIT_DURATION), u"1.500");
        EXPECT_EQ(Text(dialog, IDC_EDIT_NOISE_LEVEL), u"2.250");

        // A moved control goes to the bottom of the z-order (where it goes: the Corona row's test).
        ui.MoveControl(dialog, IDC_EDIT_OUTPUT_GAMMA, 655, 371);
        HWND last = nullptr;
        for (HWND child = win::GetWindow(dialog, GW_CHILD); child != nullptr;
             child = win::GetWindow(child, GW_HWNDNEXT)) {
            last = child;
        }
        EXPECT_EQ(last, win::GetDlgItem(dialog, IDC_EDIT_OUTPUT_GAMMA));
    });
}

TEST_F(DialogUiTest, DisplayScaleFollowsTheScreenResolution) {
    if (testing_support::kOnWindows) {
        GTEST_SKIP() << "the screen's resolution is the system's";
    }
    std::vector<double> scales;
    for (int dpi : {96, 120, 144, 168, 192, 216, 72}) {
        win::headless::SetScreenDpi(dpi);
        scales.push_back(ui.GetDisplayScale());
    }
    win::headless::SetScreenDpi(96);
    EXPECT_THAT(scales, ElementsAre(1.0, 1.25, 1.5, 1.75, 2.0, 1.0, 1.0));
}

}  // namespace
