#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "dialog_test_support.h"
#include "resources/string_loader.h"
#include "tests/support/environment.h"

namespace {

using namespace dialog_test;

// Styles the dialogs rely on (values of the Win32 headers), by control class.
constexpr DWORD kBsDefPushButton = 0x1, kBsAutoCheckBox = 0x3, kButtonKind = 0xF;
constexpr DWORD kEsNumber = 0x2000, kEsAutoHScroll = 0x80;
constexpr DWORD kLbsSort = 0x2, kLbsNoIntegralHeight = 0x100;
constexpr DWORD kCbsDropDownList = 0x3, kCbsSort = 0x100;
constexpr DWORD kLvsReport = 0x1, kLvsSingleSel = 0x4, kLvsShowSelAlways = 0x8;
constexpr DWORD kUdsSetBuddyInt = 0x2, kUdsAlignRight = 0x4, kUdsAutoBuddy = 0x10,
                kUdsArrowKeys = 0x20, kUdsNoThousands = 0x80;
constexpr DWORD kDsModalFrame = 0x80, kDsSetFont = 0x40;

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
    {IDD_MAIN, 1046, kUdsAutoBuddy, 0},  // its other styles: those of every up-down, below
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
    // A button's kind: its own bits of the low four set, the others clear.
    {IDD_CAMERA_SETTINGS, 1014, kBsDefPushButton, kButtonKind & ~kBsDefPushButton},
    {IDD_CAMERA_SETTINGS, 1042, kBsAutoCheckBox, kButtonKind & ~kBsAutoCheckBox},
    {IDD_INVALID_NAMES, 1078, kBsDefPushButton, kButtonKind & ~kBsDefPushButton},
};

TEST(DialogTemplatesTest, DialogsAreModalFramesInTheShellFontWithTheControlsTheirCodeAddresses) {
    constexpr DWORD kFrame = kDsModalFrame | WS_POPUP | WS_CAPTION | WS_SYSMENU | kDsSetFont;
    for (StringLanguage language : kLanguages) {
        for (int id : {IDD_MAIN, IDD_CAMERA_SETTINGS, IDD_PROGRESS, IDD_INVALID_NAMES}) {
            const DialogTemplate& dialog = Dialog(language, id);
            EXPECT_EQ(dialog.style & kFrame, kFrame) << Name(language) << " " << id;
            EXPECT_TRUE(dialog.fontFace == u"MS Shell Dlg") << id;
            EXPECT_EQ(dialog.fontPointSize, 8) << id;
            EXPECT_FALSE(dialog.caption.empty()) << id;
        }
        for (const Needed& needed : kNeeded) {
            for (int id : needed.ids) {
                EXPECT_TRUE(Control(Dialog(language, needed.dialog), id).className ==
                            needed.className)
                    << Name(language) << " " << needed.dialog << "/" << id;
            }
        }
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
    }
}

TEST(DialogTemplatesTest, OpenPadlocksStartInvisibleBesideTheirGroups) {
    struct Group {
        int closed, open;
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

TEST(DialogTemplatesTest, TheModuleServesTheTemplatesOfTheStringLanguage) {
    int token = 0;
    const HINSTANCE module = reinterpret_cast<HINSTANCE>(&token);
    SetResourceModule(nullptr);
    EXPECT_EQ(resources::ModuleDialogTemplate(module, IDD_MAIN), nullptr);
    const std::pair<const char*, StringLanguage> languages[] = {
        {"zh-CN", StringLanguage::kSimplifiedChinese},
        {"en", StringLanguage::kEnglish},
        {"ids", StringLanguage::kEnglish},
        {"fr", StringLanguage::kEnglish}};
    for (const auto& [name, dialogs] : languages) {
        testing_support::SetEnv("ZEP_LANGUAGE", name);
        SetResourceModule(&token);
        for (int id : {IDD_MAIN, IDD_CAMERA_SETTINGS, IDD_PROGRESS, IDD_INVALID_NAMES}) {
            EXPECT_EQ(resources::ModuleDialogTemplate(module, id),
                      resources::FindDialogTemplate(dialogs, id))
                << name << " " << id;
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
