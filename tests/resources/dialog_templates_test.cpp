#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string_view>
#include <vector>

#include "dialog_test_support.h"
#include "resources/string_loader.h"
#include "tests/support/environment.h"

namespace {

using namespace dialog_test;

// Styles the dialogs rely on (values of the Win32 headers).
constexpr DWORD kBsDefPushButton = 0x1;
constexpr DWORD kBsAutoCheckBox = 0x3;
constexpr DWORD kButtonKind = 0xF;
constexpr DWORD kEsNumber = 0x2000;
constexpr DWORD kEsAutoHScroll = 0x80;
constexpr DWORD kLbsSort = 0x2;
constexpr DWORD kLbsNoIntegralHeight = 0x100;
constexpr DWORD kCbsDropDownList = 0x3;
constexpr DWORD kCbsSort = 0x100;
constexpr DWORD kLvsReport = 0x1;
constexpr DWORD kLvsSingleSel = 0x4;
constexpr DWORD kLvsShowSelAlways = 0x8;
constexpr DWORD kUdsSetBuddyInt = 0x2;
constexpr DWORD kUdsAlignRight = 0x4;
constexpr DWORD kUdsAutoBuddy = 0x10;
constexpr DWORD kUdsArrowKeys = 0x20;
constexpr DWORD kUdsNoThousands = 0x80;
constexpr DWORD kDsModalFrame = 0x80;
constexpr DWORD kDsSetFont = 0x40;

// Every control the dialog code addresses, with its window class.
struct Needed {
    int dialog;
    std::vector<int> ids;
    std::u16string_view className;
};

const std::vector<Needed> kNeeded = {
    {IDD_MAIN,
     {1000, 1001, 1002, 1004, 1005, 1013, 1028, 1029, 1030, 1031, 1032, 1033, 1043, 1044, 1051,
      1052, 1053, 1056},
     u"BUTTON"},
    {IDD_MAIN, {1036, 1037, 1039, 1040, 1045, 1047, 1054, 1075}, u"EDIT"},
    {IDD_MAIN, {1012, 1055, 1058, 1059, 1060, 1061, 1063, 1064, 1066, 1067, 1068, 1071}, u"STATIC"},
    {IDD_MAIN, {1046, 1048, 1049, 1076, 1147, 1148, 1154}, u"msctls_updown32"},
    {IDD_MAIN, {1006}, u"SysListView32"},
    {IDD_MAIN, {1019}, u"LISTBOX"},
    {IDD_MAIN, {1057}, u"COMBOBOX"},
    {IDD_CAMERA_SETTINGS, {103, 1014, 1042}, u"BUTTON"},
    {IDD_CAMERA_SETTINGS, {1015, 1016, 1017, 1020, 1040}, u"EDIT"},
    {IDD_CAMERA_SETTINGS, {1018, 1019}, u"COMBOBOX"},
    {IDD_CAMERA_SETTINGS, {1041}, u"SpinnerControl"},
    {IDD_CAMERA_SETTINGS,
     {1069, 1070, 1072, 1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080},
     u"STATIC"},
    {IDD_INVALID_NAMES, {1078}, u"BUTTON"},
    {IDD_INVALID_NAMES, {1080}, u"STATIC"},
    {IDD_INVALID_NAMES, {1081}, u"LISTBOX"},
};

// Style bits a control must have and must not have.
struct StyleRule {
    int dialog;
    int id;
    DWORD required;
    DWORD forbidden;
};

const std::vector<StyleRule> kStyleRules = {
    {IDD_MAIN, 1006, kLvsReport | kLvsShowSelAlways | WS_TABSTOP, kLvsSingleSel},
    {IDD_MAIN, 1019, WS_HSCROLL | WS_VSCROLL | kLbsNoIntegralHeight, kLbsSort},
    {IDD_MAIN, 1030, WS_GROUP, 0},
    {IDD_MAIN, 1046, kUdsSetBuddyInt | kUdsAutoBuddy | kUdsArrowKeys | kUdsNoThousands,
     kUdsAlignRight},
    {IDD_MAIN, 1057, kCbsDropDownList, kCbsSort},
    {IDD_CAMERA_SETTINGS, 1015, 0, kEsNumber},
    {IDD_CAMERA_SETTINGS, 1016, 0, kEsNumber},
    {IDD_CAMERA_SETTINGS, 1017, 0, kEsNumber},
    {IDD_CAMERA_SETTINGS, 1018, kCbsDropDownList, 0},
    {IDD_CAMERA_SETTINGS, 1019, kCbsDropDownList, 0},
    {IDD_CAMERA_SETTINGS, 1020, kEsAutoHScroll, 0},
    {IDD_CAMERA_SETTINGS, 1041, WS_CHILD | WS_VISIBLE, ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE)},
    // The dialog never shows its batch notes; it only hides them in single mode.
    {IDD_CAMERA_SETTINGS, 1069, WS_VISIBLE, 0},
    {IDD_CAMERA_SETTINGS, 1080, WS_VISIBLE, 0},
    {IDD_INVALID_NAMES, 1081, WS_HSCROLL | WS_VSCROLL, kLbsSort},
};

TEST(DialogTemplatesTest, EveryControlTheDialogsAddressExistsInBothLanguagesWithItsClass) {
    for (StringLanguage language : kLanguages) {
        for (const Needed& needed : kNeeded) {
            const DialogTemplate& dialog = Dialog(language, needed.dialog);
            for (int id : needed.ids) {
                const ControlTemplate* control = Find(dialog, id);
                ASSERT_NE(control, nullptr) << Name(language) << " " << needed.dialog << "/" << id;
                EXPECT_TRUE(control->className == needed.className)
                    << Name(language) << " " << needed.dialog << "/" << id;
            }
        }
        EXPECT_NE(resources::FindDialogTemplate(language, IDD_PROGRESS), nullptr);
    }
}

TEST(DialogTemplatesTest, ControlsCarryTheStylesTheDialogsRelyOn) {
    for (StringLanguage language : kLanguages) {
        for (const StyleRule& rule : kStyleRules) {
            const ControlTemplate& control = Control(Dialog(language, rule.dialog), rule.id);
            EXPECT_EQ(control.style & rule.required, rule.required)
                << Name(language) << " " << rule.dialog << "/" << rule.id;
            EXPECT_EQ(control.style & rule.forbidden, 0u)
                << Name(language) << " " << rule.dialog << "/" << rule.id;
        }
        const DialogTemplate& main = Dialog(language, IDD_MAIN);
        for (const ControlTemplate& control : main.controls) {
            if (control.className == u"msctls_updown32") {
                EXPECT_EQ(control.style & (kUdsArrowKeys | kUdsNoThousands),
                          kUdsArrowKeys | kUdsNoThousands);
                EXPECT_EQ(control.style & kUdsAlignRight, 0u) << control.id;
                // Only the subdivisions field is an integer the up-down may write itself.
                EXPECT_EQ((control.style & kUdsSetBuddyInt) != 0, control.id == 1046) << control.id;
            }
            // Enter must not submit: no default button in the main dialog.
            if (control.className == u"BUTTON") {
                EXPECT_NE(control.style & kButtonKind, kBsDefPushButton) << control.id;
            }
        }
        // The automatic buddy of an up-down is the control just before it.
        const ControlTemplate* subdivs = Find(main, 1037);
        ASSERT_NE(subdivs, nullptr);
        EXPECT_EQ(subdivs[1].id, 1046);
        EXPECT_EQ(Control(Dialog(language, IDD_CAMERA_SETTINGS), 1014).style & kButtonKind,
                  kBsDefPushButton);
        EXPECT_EQ(Control(Dialog(language, IDD_CAMERA_SETTINGS), 1042).style & kButtonKind,
                  kBsAutoCheckBox);
        EXPECT_EQ(Control(Dialog(language, IDD_INVALID_NAMES), 1078).style & kButtonKind,
                  kBsDefPushButton);
    }
}

TEST(DialogTemplatesTest, DialogsAreModalFramesInTheShellFont) {
    constexpr DWORD kFrame = kDsModalFrame | WS_POPUP | WS_CAPTION | WS_SYSMENU | kDsSetFont;
    for (StringLanguage language : kLanguages) {
        for (int id : {IDD_MAIN, IDD_CAMERA_SETTINGS, IDD_PROGRESS, IDD_INVALID_NAMES}) {
            const DialogTemplate& dialog = Dialog(language, id);
            EXPECT_EQ(dialog.style & kFrame, kFrame) << Name(language) << " " << id;
            EXPECT_TRUE(dialog.fontFace == u"MS Shell Dlg") << id;
            EXPECT_EQ(dialog.fontPointSize, 8) << id;
            EXPECT_FALSE(dialog.caption.empty()) << id;
        }
    }
}

TEST(DialogTemplatesTest, OpenPadlocksStartInvisibleBesideTheirGroups) {
    struct Group {
        int closed;
        int open;
        std::vector<int> fields;
    };
    const Group groups[] = {{1075, 1076, {1015, 1016}},
                            {1073, 1077, {1017}},
                            {1074, 1079, {1018}},
                            {1072, 1078, {1019}}};
    for (StringLanguage language : kLanguages) {
        const DialogTemplate& dialog = Dialog(language, IDD_CAMERA_SETTINGS);
        for (const Group& group : groups) {
            const ControlTemplate& closed = Control(dialog, group.closed);
            const ControlTemplate& open = Control(dialog, group.open);
            EXPECT_EQ(open.style & WS_VISIBLE, 0u) << Name(language) << " " << group.open;
            for (const ControlTemplate* padlock : {&closed, &open}) {
                EXPECT_EQ(padlock->style & ~WS_VISIBLE, static_cast<DWORD>(WS_CHILD));
                EXPECT_EQ(padlock->cx, 11);  // 16 x 16 pixels at 96 dpi
                EXPECT_EQ(padlock->cy, 10);
                EXPECT_EQ(padlock->x, closed.x);
                EXPECT_EQ(padlock->y, closed.y);
            }
            int top = closed.y + closed.cy;
            int bottom = closed.y;
            for (int id : group.fields) {
                const ControlTemplate& field = Control(dialog, id);
                EXPECT_GE(closed.x, field.x + field.cx) << Name(language) << " " << id;
                top = std::min(top, static_cast<int>(field.y));
                bottom = std::max(bottom, field.y + ClosedHeight(field));
            }
            EXPECT_TRUE(closed.y >= top && closed.y + closed.cy <= bottom)
                << Name(language) << " " << group.closed;
        }
        // The host's spinner sits right of the ratio field, as tall as it.
        const ControlTemplate& ratio = Control(dialog, 1040);
        const ControlTemplate& spinner = Control(dialog, 1041);
        EXPECT_EQ(spinner.x, ratio.x + ratio.cx);
        EXPECT_EQ(spinner.y, ratio.y);
        EXPECT_EQ(spinner.cx, 7);
        EXPECT_EQ(spinner.cy, ratio.cy);
    }
}

// About 6 pixels per Latin character and 12 per CJK character at 96 dpi.
int TextPixels(std::u16string_view text) {
    int pixels = 0;
    for (char16_t c : text) {
        pixels += c >= 0x2000 ? 12 : 6;
    }
    return pixels;
}

TEST(DialogTemplatesTest, EveryTextFitsItsControl) {
    constexpr int kBoxAndGap = 16;     // check box or radio circle and the gap after it
    constexpr int kButtonMargins = 8;  // push button frame
    for (StringLanguage language : kLanguages) {
        for (const DialogTemplate& dialog : resources::DialogTable(language)) {
            for (const ControlTemplate& control : dialog.controls) {
                const int width = PixelsX(control.cx);
                const int text = TextPixels(control.text);
                int needed = 0;
                int lines = 1;
                if (control.className == u"STATIC" && (control.style & 0x1F) <= 2) {
                    needed = text;
                    lines = std::max(1, control.cy / 8);  // 8 units is one line of the font
                } else if (control.className == u"BUTTON") {
                    const DWORD kind = control.style & kButtonKind;
                    needed = text + (kind <= kBsDefPushButton ? kButtonMargins : kBoxAndGap);
                }
                EXPECT_LE(needed, width * lines)
                    << Name(language) << " dialog " << dialog.id << " control " << control.id;
            }
        }
    }
}

// The templates are drawn for the places the dialogs give their controls at run time (the main
// dialog's and the camera settings dialog's tests check those places).
TEST(DialogTemplatesTest, CoronaRowIsTheLastRowWithTheNoteInIt) {
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
TEST(DialogTemplatesTest, TheCameraSettingsPanelIsDrawnForTheChineseLayout) {
    const RECT panel = PixelRect(Control(
        Dialog(StringLanguage::kSimplifiedChinese, IDD_CAMERA_SETTINGS), IDC_SETTINGS_PANEL));
    EXPECT_NEAR(panel.right - panel.left, 261, 1);
    EXPECT_NEAR(panel.bottom - panel.top, 260, 1);
}

TEST(DialogTemplatesTest, TheModuleServesTheTemplatesOfTheStringLanguage) {
    int token = 0;
    const HINSTANCE module = reinterpret_cast<HINSTANCE>(&token);
    SetResourceModule(nullptr);
    EXPECT_EQ(resources::ModuleDialogTemplate(module, IDD_MAIN), nullptr);
    struct Case {
        const char* name;
        StringLanguage dialogs;
    };
    for (const Case& c :
         {Case{"zh-CN", StringLanguage::kSimplifiedChinese}, Case{"en", StringLanguage::kEnglish},
          Case{"ids", StringLanguage::kEnglish}, Case{"fr", StringLanguage::kEnglish}}) {
        testing_support::SetEnv("ZEP_LANGUAGE", c.name);
        SetResourceModule(&token);
        for (int id : {IDD_MAIN, IDD_CAMERA_SETTINGS, IDD_PROGRESS, IDD_INVALID_NAMES}) {
            EXPECT_EQ(resources::ModuleDialogTemplate(module, id),
                      resources::FindDialogTemplate(c.dialogs, id))
                << c.name << " " << id;
        }
        EXPECT_EQ(resources::ModuleDialogTemplate(module, 105), nullptr);
        EXPECT_EQ(resources::ModuleDialogTemplate(nullptr, IDD_MAIN), nullptr);
    }
    EXPECT_NE(resources::FindDialogTemplate(StringLanguage::kEnglish, IDD_MAIN),
              resources::FindDialogTemplate(StringLanguage::kSimplifiedChinese, IDD_MAIN));
    SetResourceModule(nullptr);
    testing_support::UnsetEnv("ZEP_LANGUAGE");
}

}  // namespace
