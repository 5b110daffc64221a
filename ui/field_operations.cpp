// Reading, clamping, stepping and writing the numeric fields of the dialogs.
#include <algorithm>
#include <cstdio>
#include <string>

#include <winutil.h>

#include "platform/win/controls.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "text/crt_numbers.h"
#include "ui/dialog_ui.h"

namespace {

constexpr int kTextUnits = 260;

std::u16string Ascii(const char* text) {
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

std::u16string Formatted(const char* format, double value) {
    char text[512];
    std::snprintf(text, sizeof text, format, value);
    return Ascii(text);
}

// Writes a field only when its text changes: a write raises the field's change notification,
// and the handlers that clamp a field on every change would otherwise answer their own writes
// for ever. The caret goes to the end, as after typing.
bool WriteField(HWND field, const std::u16string& text) {
    if (win::GetWindowText(field, kTextUnits) == text) {
        return false;
    }
    win::SetWindowText(field, text);
    win::SendMessage(field, WM_KEYDOWN, VK_END, 0);
    return true;
}

}  // namespace

void DialogUi::CheckDecimalText(HWND edit, int decimals) {
    std::u16string text = win::GetWindowText(edit, kTextUnits);
    size_t point = std::u16string::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'0' && c <= u'9') {
            continue;
        }
        if (c == u'.' && point == std::u16string::npos) {
            point = i;
            continue;
        }
        win::SetWindowText(edit, u"0.00");
        return;
    }
    if (point == std::u16string::npos) {
        return;
    }
    size_t keep = point + 1 + static_cast<size_t>(std::max(decimals, 0));
    if (text.size() > keep) {
        win::SetWindowText(edit, text.substr(0, keep));
    }
}

void DialogUi::ClampIntField(HWND dialog, int control, int minimum, int maximum) {
    HWND field = win::GetDlgItem(dialog, control);
    std::u16string text = win::GetWindowText(field, kTextUnits);
    if (text.empty() || (text == u"-" && minimum < 0)) {
        return;
    }
    if (text.rfind(u"0-", 0) == 0) {
        text[0] = u'-';
        WriteField(field, text);
        return;
    }
    int value = std::clamp(CrtWtoi(text), minimum, maximum);
    WriteField(field, Ascii(std::to_string(value).c_str()));
}

void DialogUi::ClampFloatField(HWND dialog, int control, double minimum, double maximum) {
    HWND field = win::GetDlgItem(dialog, control);
    std::u16string text = win::GetWindowText(field, kTextUnits);
    double value = CrtWtof(text);
    if (value > maximum) {
        SetWindowTextFloat(field, static_cast<float>(maximum), 2);
    } else if (value < minimum) {
        SetWindowTextFloat(field, static_cast<float>(minimum), 2);
    } else if (text.size() > 1 && text[0] == u'0' && text[1] != u'.') {
        SetWindowTextFloat(field, static_cast<float>(value), 3);
    }
}

double DialogUi::GetFieldValue(HWND dialog, int control) {
    return CrtWtof(win::GetDlgItemText(dialog, control, kTextUnits));
}

void DialogUi::StepFloatField(HWND dialog, int control, float delta, float step, float minimum,
                              float maximum) {
    float value = static_cast<float>(GetFieldValue(dialog, control)) + delta * step;
    value = std::clamp(value, minimum, maximum);
    win::SetDlgItemText(dialog, control, Formatted("%.1f", static_cast<double>(value)));
}

void DialogUi::ResetMainFields(HWND dialog) {
    win::SetUpDownRange32(win::GetDlgItem(dialog, IDC_SPIN_AO_RADIUS), 0, 707072);
    win::SetDlgItemText(dialog, IDC_EDIT_AO_RADIUS, u"1000.0");
    win::SetUpDownRange(win::GetDlgItem(dialog, IDC_SPIN_AO_SUBDIVS), 1, 1000);
    win::SetUpDownPos(win::GetDlgItem(dialog, IDC_SPIN_AO_SUBDIVS), 16);
    win::SetUpDownRange(win::GetDlgItem(dialog, IDC_SPIN_OUTPUT_GAMMA), 0, 5);
    win::SetUpDownRange(win::GetDlgItem(dialog, IDC_SPIN_DISTRIBUTED), 2, 10);
    win::SetDlgItemText(dialog, IDC_EDIT_DISTRIBUTED, u"10");
    win::SetUpDownRange32(win::GetDlgItem(dialog, IDC_SPIN_ITERATIONS), 0, 2147483647);
    win::SetUpDownRange(win::GetDlgItem(dialog, IDC_SPIN_DURATION), 0, 239);
    win::SetDlgItemText(dialog, IDC_EDIT_DURATION, u"0.0");
    win::SetUpDownRange(win::GetDlgItem(dialog, IDC_SPIN_NOISE_LEVEL), 0, 100);
    win::SetDlgItemText(dialog, IDC_EDIT_NOISE_LEVEL, u"0");
}

void DialogUi::SetCoronaLimits(HWND dialog, int32_t coronaPassLimit, double coronaTimeHours,
                               double coronaNoiseLimit) {
    SetWindowTextInt(win::GetDlgItem(dialog, IDC_EDIT_ITERATIONS), coronaPassLimit);
    SetWindowTextFloat(win::GetDlgItem(dialog, IDC_EDIT_DURATION),
                       static_cast<float>(coronaTimeHours), 3);
    SetWindowTextFloat(win::GetDlgItem(dialog, IDC_EDIT_NOISE_LEVEL),
                       static_cast<float>(coronaNoiseLimit), 3);
}

void DialogUi::ShowControl(HWND dialog, int control, int showCommand) {
    win::ShowWindow(win::GetDlgItem(dialog, control), showCommand);
}

void DialogUi::SetGammaText(HWND dialog, float gamma) {
    win::SetDlgItemText(dialog, IDC_EDIT_OUTPUT_GAMMA,
                        Formatted("%.1f", static_cast<double>(gamma)));
}

void DialogUi::SetIntText(HWND window, int value) {
    win::SetWindowText(window, Ascii(std::to_string(value).c_str()));
}

void DialogUi::MoveControl(HWND dialog, int control, int x, int y) {
    win::SetWindowPos(win::GetDlgItem(dialog, control), HWND_BOTTOM, x, y, 0, 0, SWP_NOSIZE);
}

double DialogUi::GetDisplayScale() {
    HDC screen = win::GetDC(nullptr);
    int dpi = win::GetDeviceCaps(screen, LOGPIXELSX);
    win::ReleaseDC(nullptr, screen);
    switch (dpi) {
        case 120:
            return 1.25;
        case 144:
            return 1.5;
        case 168:
            return 1.75;
        case 192:
            return 2.0;
        default:
            return 1.0;
    }
}
