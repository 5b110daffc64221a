// Where the dialogs put their controls at run time, checked against the templates: the Corona
// row of the main dialog and the OK button of the camera settings dialog.
#include <gtest/gtest.h>

#include <set>

#include "dialog_test_support.h"

namespace {

using namespace dialog_test;

// The Corona row: x = scale * k, label or field row. Layout A (Chinese template), layout B
// (English template).
struct CoronaPlace {
    int id;
    bool label;
    int kA;
    int kB;
};

constexpr CoronaPlace kCoronaRow[] = {
    {1061, true, 48, 38},    {1054, false, 98, 88},   {1154, false, 172, 162},
    {1012, true, 193, 183},  {1058, true, 220, 220},  {1045, false, 268, 278},
    {1148, false, 342, 350}, {1059, true, 365, 370},  {1064, true, 395, 390},
    {1047, false, 445, 475}, {1147, false, 519, 549}, {1063, true, 540, 570},
    {1060, true, 575, 610},  {1039, false, 655, 690}, {1048, false, 700, 735},
};
constexpr int kLabelRow = 375;
constexpr int kFieldRow = 371;
constexpr int kLayoutBLift = 20;
constexpr double kScales[] = {1.0, 1.25, 1.5, 1.75, 2.0};

bool LayoutA(StringLanguage language) {
    return language == StringLanguage::kSimplifiedChinese;
}

double RowFactor(double scale) {
    if (scale == 1.0) {
        return 1.0;
    }
    return scale == 1.5 ? scale + 0.15 : scale + 0.25;
}

// Where the dialog moves a Corona control, in client pixels.
POINT MovedTo(const CoronaPlace& place, StringLanguage language, double scale) {
    const int k = LayoutA(language) ? place.kA : place.kB;
    const double f = RowFactor(scale);
    int y = static_cast<int>(f * (place.label ? kLabelRow : kFieldRow));
    if (!LayoutA(language)) {
        y -= kLayoutBLift;
    }
    return POINT{static_cast<int>(scale * k), y};
}

TEST(DialogLayoutTest, CoronaRowLiesWhereTheLayoutMovesItAt96Dpi) {
    for (StringLanguage language : kLanguages) {
        const DialogTemplate& main = Dialog(language, IDD_MAIN);
        for (const CoronaPlace& place : kCoronaRow) {
            const RECT at = PixelRect(Control(main, place.id));
            const POINT moved = MovedTo(place, language, 1.0);
            EXPECT_NEAR(at.left, moved.x, 1) << Name(language) << " " << place.id;
            EXPECT_NEAR(at.top, moved.y, 1) << Name(language) << " " << place.id;
            EXPECT_EQ(Control(main, place.id).cy, place.label ? 8 : 14) << place.id;
        }
    }
}

TEST(DialogLayoutTest, MovedCoronaRowStaysInsideTheDialogAndItsFrameAtEveryScale) {
    for (StringLanguage language : kLanguages) {
        const DialogTemplate& main = Dialog(language, IDD_MAIN);
        for (double scale : kScales) {
            const RECT client{0, 0, PixelsX(main.cx, scale), PixelsY(main.cy, scale)};
            const RECT frame = PixelRect(Control(main, IDC_CORONA_GROUP), scale);
            for (const CoronaPlace& place : kCoronaRow) {
                const ControlTemplate& control = Control(main, place.id);
                const POINT at = MovedTo(place, language, scale);
                const RECT moved{at.x, at.y, at.x + PixelsX(control.cx, scale),
                                 at.y + PixelsY(control.cy, scale)};
                EXPECT_TRUE(Inside(moved, client))
                    << Name(language) << " scale " << scale << " control " << place.id;
                EXPECT_TRUE(Inside(moved, frame))
                    << Name(language) << " scale " << scale << " control " << place.id;
            }
        }
    }
}

TEST(DialogLayoutTest, CoronaRowIsTheLastRowWithTheNoteInIt) {
    std::set<int> row = {IDC_RENDERER_NOTE, IDC_CORONA_GROUP};
    for (const CoronaPlace& place : kCoronaRow) {
        row.insert(place.id);
    }
    for (StringLanguage language : kLanguages) {
        const DialogTemplate& main = Dialog(language, IDD_MAIN);
        const ControlTemplate& frame = Control(main, IDC_CORONA_GROUP);
        for (const ControlTemplate& control : main.controls) {
            if (row.count(control.id) == 0) {
                EXPECT_LE(control.y + ClosedHeight(control), frame.y)
                    << Name(language) << " control " << control.id << " lies in the Corona band";
            } else if (control.id != IDC_CORONA_GROUP) {
                EXPECT_TRUE(Inside(PixelRect(control), PixelRect(frame))) << control.id;
            }
        }
        // The frame reaches down to the bottom margin.
        EXPECT_EQ(main.cy - (frame.y + frame.cy), 7) << Name(language);
        const ControlTemplate& note = Control(main, IDC_RENDERER_NOTE);
        EXPECT_EQ(note.y, Control(main, IDC_LABEL_PASSES).y);
        EXPECT_LE(note.x + note.cx, Control(main, IDC_LABEL_GAMMA).x) << "the note meets gamma";
    }
}

// The camera settings dialog moves OK per language and mode; English single mode keeps the
// template's place.
struct OkPlace {
    StringLanguage language;
    bool batch;
    bool moved;
    POINT at;
};

bool VisibleIn(const ControlTemplate& control, bool batch) {
    switch (control.id) {
        case IDC_LABEL_OUTPUT_NAME:
        case IDC_EDIT_OUTPUT_NAME:
            return !batch;
        case IDC_BATCH_NOTE:
        case IDC_BATCH_NOTE2:
            return batch && (control.style & WS_VISIBLE) != 0;
        default:
            break;
    }
    if (control.id >= IDC_LOCK_SPHERICAL_CLOSED && control.id <= IDC_LOCK_FORMAT_OPEN) {
        return batch && control.id <= IDC_LOCK_RESOLUTION_CLOSED;  // the closed ones
    }
    return (control.style & WS_VISIBLE) != 0;
}

TEST(DialogLayoutTest, CameraSettingsOkLiesInsideTheDialogAndClearOfTheVisibleFields) {
    const OkPlace places[] = {
        {StringLanguage::kSimplifiedChinese, false, true, {56, 225}},
        {StringLanguage::kSimplifiedChinese, true, true, {56, 200}},
        {StringLanguage::kEnglish, true, true, {82, 250}},
        {StringLanguage::kEnglish, false, false, {0, 0}},
    };
    for (const OkPlace& place : places) {
        const DialogTemplate& dialog = Dialog(place.language, IDD_CAMERA_SETTINGS);
        const ControlTemplate& ok = Control(dialog, IDC_CAMERA_OK);
        RECT okRect = PixelRect(ok);
        if (place.moved) {
            okRect = RECT{place.at.x, place.at.y, place.at.x + PixelsX(ok.cx),
                          place.at.y + PixelsY(ok.cy)};
        }
        const std::string mode = Name(place.language) + (place.batch ? " batch" : " single");
        EXPECT_TRUE(Inside(okRect, RECT{0, 0, PixelsX(dialog.cx), PixelsY(dialog.cy)})) << mode;
        for (const ControlTemplate& control : dialog.controls) {
            if (control.id == IDC_CAMERA_OK || control.id == IDC_SETTINGS_PANEL ||
                !VisibleIn(control, place.batch)) {
                continue;
            }
            EXPECT_FALSE(Overlap(okRect, PixelRect(control))) << mode << " control " << control.id;
        }
    }
    // The Chinese layout gives the panel 261 x 260 pixels: the template is drawn for that size.
    const RECT panel = PixelRect(Control(
        Dialog(StringLanguage::kSimplifiedChinese, IDD_CAMERA_SETTINGS), IDC_SETTINGS_PANEL));
    EXPECT_NEAR(panel.right - panel.left, 261, 1);
    EXPECT_NEAR(panel.bottom - panel.top, 260, 1);
}

}  // namespace
