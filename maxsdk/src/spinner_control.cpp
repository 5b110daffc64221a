// The host's spinner control as the stand-in keeps it: a value within limits, shown in the edit
// field it is linked to. The state belongs to the spinner window, so every interface object a
// dialog gets for it with GetISpinner sees the same value.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "custcont.h"
#include "host_parts.h"
#include "platform/win/controls.h"
#include "platform/win/window.h"
#include "spinner_class.h"
#include "winutil.h"

namespace {

struct SpinnerState {
    float value = 0.0f;
    float minimum = 0.0f;
    float maximum = 100.0f;
    float scale = 0.1f;
    HWND edit = nullptr;
    std::u16string shown;  // the text the spinner last put in its field
};

std::mutex g_mutex;
std::map<HWND, SpinnerState>& States() {
    static std::map<HWND, SpinnerState> states;
    return states;
}

SpinnerState Load(HWND spinner) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return States()[spinner];
}

void Store(HWND spinner, const SpinnerState& state) {
    std::lock_guard<std::mutex> lock(g_mutex);
    States()[spinner] = state;
}

// The number of decimals the field shows: as many as the scale has.
int Precision(float scale) {
    if (scale <= 0.0f) {
        return 3;
    }
    return std::clamp(static_cast<int>(std::ceil(-std::log10(scale) - 1e-6)), 0, 6);
}

// The field's text read as a number; false for a text that is not one.
bool ReadNumber(const std::u16string& text, float& number) {
    std::string ascii;
    for (char16_t c : text) {
        if (c > 0x7F) {
            return false;
        }
        ascii += static_cast<char>(c);
    }
    size_t first = ascii.find_first_not_of(' ');
    if (first == std::string::npos) {
        return false;
    }
    const char* end = ascii.data() + ascii.size();
    auto [stop, error] = std::from_chars(ascii.data() + first, end, number);
    return error == std::errc() && std::isfinite(number);
}

class SpinnerControl : public ISpinnerControl {
public:
    explicit SpinnerControl(HWND window) : window_(window) {}

    HWND GetHwnd() override {
        RecordHostCall("ISpinnerControl::GetHwnd");
        return window_;
    }

    void Enable(BOOL onOff) override {
        RecordHostCall("ISpinnerControl::Enable");
        win::EnableWindow(window_, onOff);
        SpinnerState state = Load(window_);
        if (state.edit != nullptr) {
            win::EnableWindow(state.edit, onOff);
        }
    }
    void Disable() override {
        RecordHostCall("ISpinnerControl::Disable");
        Enable(FALSE);
    }
    BOOL IsEnabled() override {
        RecordHostCall("ISpinnerControl::IsEnabled");
        return win::IsWindowEnabled(window_);
    }

    // The last value set, as it was given: the field shows it rounded to the scale's decimals.
    // When the user has typed a number in the field since, that number; always within the
    // limits.
    float GetFVal() override {
        RecordHostCall("ISpinnerControl::GetFVal");
        SpinnerState state = Load(window_);
        float typed = 0.0f;
        if (state.edit != nullptr) {
            std::u16string text = win::GetWindowText(state.edit, 260);
            if (text != state.shown && ReadNumber(text, typed)) {
                return std::clamp(typed, state.minimum, state.maximum);
            }
        }
        return state.value;
    }
    int GetIVal() override {
        RecordHostCall("ISpinnerControl::GetIVal");
        return static_cast<int>(GetFVal());
    }

    void SetScale(float scale) override {
        RecordHostCall("ISpinnerControl::SetScale");
        SpinnerState state = Load(window_);
        state.scale = scale;
        Store(window_, state);
    }

    void SetValue(float value, int notify) override {
        RecordHostCall("ISpinnerControl::SetValue");
        SpinnerState state = Load(window_);
        state.value =
            std::isnan(value) ? state.minimum : std::clamp(value, state.minimum, state.maximum);
        state.shown = ShowValue(state);
        Store(window_, state);
        if (notify != 0) {
            HWND parent = win::GetParent(window_);
            win::SendMessage(parent, CC_SPINNER_CHANGE,
                             MAKEWPARAM(static_cast<uint16_t>(win::GetDlgCtrlID(window_)), FALSE),
                             reinterpret_cast<LPARAM>(this));
        }
    }
    void SetValue(int value, int notify) override {
        RecordHostCall("ISpinnerControl::SetValue");
        SetValue(static_cast<float>(value), notify);
    }

    void SetLimits(float minimum, float maximum, int limitCurValue) override {
        RecordHostCall("ISpinnerControl::SetLimits");
        SpinnerState state = Load(window_);
        state.minimum = minimum;
        state.maximum = maximum;
        if (limitCurValue != 0) {
            state.value = std::clamp(state.value, minimum, maximum);
        }
        Store(window_, state);
    }
    void SetLimits(int minimum, int maximum, int limitCurValue) override {
        RecordHostCall("ISpinnerControl::SetLimits");
        SetLimits(static_cast<float>(minimum), static_cast<float>(maximum), limitCurValue);
    }

    void LinkToEdit(HWND edit, EditSpinnerType /*type*/) override {
        RecordHostCall("ISpinnerControl::LinkToEdit");
        SpinnerState state = Load(window_);
        state.edit = edit;
        Store(window_, state);
    }

    // The user's click on an arrow: one scale step per delta, with notification.
    bool Step(int delta) {
        if (IsEnabled() == FALSE) {
            return false;
        }
        SpinnerState state = Load(window_);
        SetValue(GetFVal() + static_cast<float>(delta) * state.scale, TRUE);
        return true;
    }

private:
    // Shows the value in the spinner and its field; returns the text shown.
    std::u16string ShowValue(const SpinnerState& state) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", Precision(state.scale),
                      static_cast<double>(state.value));
        std::u16string wide(text, text + std::char_traits<char>::length(text));
        win::SetWindowText(window_, wide);
        if (state.edit != nullptr) {
            win::SetWindowText(state.edit, wide);
        }
        return wide;
    }

    HWND window_;
};

}  // namespace

ISpinnerControl* GetISpinner(HWND control) {
    RecordHostCall("GetISpinner");
    if (control == nullptr) {
        return nullptr;
    }
    RegisterSpinnerClass();
    return new SpinnerControl(control);
}

void ReleaseISpinner(ISpinnerControl* spinner) {
    RecordHostCall("ReleaseISpinner");
    delete spinner;
}

bool StepSpinner(HWND control, int delta) {
    SpinnerControl spinner(control);
    return spinner.Step(delta);
}

ISpinnerControl* SetupFloatSpinner(HWND dialog, int spinnerId, int editId, float minimum,
                                   float maximum, float value, float scale) {
    RecordHostCall("SetupFloatSpinner");
    HostInternalScope internal;
    ISpinnerControl* spinner = GetISpinner(win::GetDlgItem(dialog, spinnerId));
    if (spinner == nullptr) {
        return nullptr;
    }
    spinner->SetLimits(minimum, maximum, FALSE);
    spinner->SetScale(scale);
    spinner->LinkToEdit(win::GetDlgItem(dialog, editId), EDITTYPE_FLOAT);
    spinner->SetValue(value, FALSE);
    return spinner;
}

void SetCheckBox(HWND dialog, int id, BOOL checked) {
    RecordHostCall("SetCheckBox");
    win::CheckDlgButton(dialog, id, checked != FALSE ? BST_CHECKED : BST_UNCHECKED);
}

BOOL SetWindowTextFloat(HWND window, float value, int precision) {
    RecordHostCall("SetWindowTextFloat");
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", precision, static_cast<double>(value));
    return win::SetWindowText(window,
                              std::u16string(text, text + std::char_traits<char>::length(text)));
}

BOOL SetWindowTextInt(HWND window, int value) {
    RecordHostCall("SetWindowTextInt");
    std::string text = std::to_string(value);
    return win::SetWindowText(window, std::u16string(text.begin(), text.end()));
}
