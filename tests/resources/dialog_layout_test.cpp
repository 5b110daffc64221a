// The templates drawn for the places the dialogs give their controls at run time (the main
// dialog's and the camera settings dialog's tests check those places).
#include <gtest/gtest.h>

#include <set>

#include "dialog_test_support.h"

namespace {

using namespace dialog_test;

TEST(DialogLayoutTest, CoronaRowIsTheLastRowWithTheNoteInIt) {
    const std::set<int> row = {IDC_RENDERER_NOTE,
                               IDC_CORONA_GROUP,
                               1061,
                               1054,
                               1154,
                               1012,
                               1058,
                               1045,
                               1148,
                               1059,
                               1064,
                               1047,
                               1147,
                               1063,
                               1060,
                               1039,
                               1048};
    for (StringLanguage language : kLanguages) {
        const DialogTemplate& main = Dialog(language, IDD_MAIN);
        const ControlTemplate& frame = Control(main, IDC_CORONA_GROUP);
        for (const ControlTemplate& control : main.controls) {
            if (row.count(control.id) == 0) {
                EXPECT_LE(control.y + ClosedHeight(control), frame.y)
                    << Name(language) << " control " << control.id << " lies in the Corona band";
            } else if (control.id != IDC_CORONA_GROUP) {
                EXPECT_TRUE(Inside(PixelRect(control), PixelRect(frame))) << control.id;
                EXPECT_EQ(
                    control.cy,
                    control.id == IDC_RENDERER_NOTE || control.className == u"STATIC" ? 8 : 14)
                    << control.id;
            }
        }
        // The frame reaches down to the bottom margin.
        EXPECT_EQ(main.cy - (frame.y + frame.cy), 7) << Name(language);
        const ControlTemplate& note = Control(main, IDC_RENDERER_NOTE);
        EXPECT_EQ(note.y, Control(main, IDC_LABEL_PASSES).y);
        EXPECT_LE(note.x + note.cx, Control(main, IDC_LABEL_GAMMA).x) << "the note meets gamma";
    }
}

// The Chinese layout gives the camera settings panel 261 x 260 pixels.
TEST(DialogLayoutTest, TheCameraSettingsPanelIsDrawnForTheChineseLayout) {
    const RECT panel = PixelRect(Control(
        Dialog(StringLanguage::kSimplifiedChinese, IDD_CAMERA_SETTINGS), IDC_SETTINGS_PANEL));
    EXPECT_NEAR(panel.right - panel.left, 261, 1);
    EXPECT_NEAR(panel.bottom - panel.top, 260, 1);
}

}  // namespace
