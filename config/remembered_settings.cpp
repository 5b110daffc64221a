#include "config/remembered_settings.h"

#include <array>

#include "config/data_folder.h"
#include "log/operation_failures.h"
#include "platform/last_error.h"
#include "platform/profile.h"
#include "resources/resource.h"

namespace {

constexpr std::array<RememberedSetting, 18> kRememberedSettings = {{
    {IDC_CHECK_COLOR, RememberedGroup::CheckBox, u"RENDER_CHANNEL_COLOR", u"0"},
    {IDC_CHECK_AO, RememberedGroup::CheckBox, u"RENDER_CHANNEL_AO", u"0"},
    {IDC_CHECK_MATERIAL, RememberedGroup::CheckBox, u"CHECK_RENDER_MTL", u"0"},
    {IDC_CHECK_PSD, RememberedGroup::CheckBox, u"CHECK_PSD", u"0"},
    {IDC_CHECK_GI, RememberedGroup::CheckBox, u"CHECK_GI", u"0"},
    {IDC_SAVE_SCENE_FILE, RememberedGroup::CheckBox, u"IDC_SAVE_SCENE_FILE", u"1"},
    {IDC_REMEMBER_SETTING, RememberedGroup::CheckBox, u"REMBER_SETTING", u"0"},
    {IDC_COMBO_GI_SIZE, RememberedGroup::ComboBox, u"GI_SIZE", u"0"},
    {IDC_EDIT_DURATION, RememberedGroup::Edit, u"EDIT_DURATION2", u"0"},
    {IDC_EDIT_AO_RADIUS, RememberedGroup::Edit, u"EDIT_AO_RADIUS", u"1000.0"},
    {IDC_EDIT_AO_SUBDIVS, RememberedGroup::Edit, u"EDIT_AO_SUBDIVS", u"16"},
    {IDC_EDIT_OUTPUT_GAMMA, RememberedGroup::Edit, u"EDIT_OUTPUT_GAMMA", u"2.2"},
    {IDC_EDIT_ITERATIONS, RememberedGroup::Edit, u"EDIT_ITERATIONS_A", u"0"},
    {IDC_EDIT_NOISE_LEVEL, RememberedGroup::Edit, u"EDIT_NOISE_LEVEL2", u"0"},
    {IDC_RADIO_NOBLOCK, RememberedGroup::RadioButton, u"NOBLOCK", u"1"},
    {IDC_RADIO_THREEBLOCK, RememberedGroup::RadioButton, u"THREEBLOCK", u"0"},
    {IDC_RADIO_SIXBLOCK, RememberedGroup::RadioButton, u"SIXBLOCK", u"0"},
    {IDC_RADIO_DCSBLOCK, RememberedGroup::RadioButton, u"DCSBLOCK", u"0"},
}};

std::u16string Decimal(unsigned value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string CurrentValue(const RememberedSetting& setting, const ControlReader& controls) {
    switch (setting.group) {
        case RememberedGroup::CheckBox:
        case RememberedGroup::RadioButton:
            return Decimal(controls.checkState(setting.controlId));
        case RememberedGroup::ComboBox: {
            int selection = controls.comboSelection(setting.controlId);
            return selection >= 1 && selection <= 3 ? Decimal(static_cast<unsigned>(selection))
                                                    : u"0";
        }
        case RememberedGroup::Edit:
            return controls.editText(setting.controlId);
    }
    return {};
}

}  // namespace

std::span<const RememberedSetting> RememberedSettings() {
    return kRememberedSettings;
}

std::u16string KeyForControl(int controlId) {
    for (const RememberedSetting& setting : kRememberedSettings) {
        if (setting.controlId == controlId) {
            return setting.key;
        }
    }
    return {};
}

RememberedValues ResetRememberedValues() {
    RememberedValues values;
    for (const RememberedSetting& setting : kRememberedSettings) {
        values.emplace_back(setting.resetValue);
    }
    return values;
}

RememberedValues CurrentRememberedValues(const ControlReader& controls) {
    RememberedValues values;
    for (const RememberedSetting& setting : kRememberedSettings) {
        values.push_back(CurrentValue(setting, controls));
    }
    return values;
}

void WriteRememberedValues(const RememberedValues& values) {
    std::u16string configFile = data_folder::ConfigFilePath();
    for (size_t i = 0; i < kRememberedSettings.size() && i < values.size(); ++i) {
        if (!os::WritePrivateProfileString(data_folder::kConfigSection, kRememberedSettings[i].key,
                                           values[i], configFile)) {
            const uint32_t error = os::GetLastError();
            pmx_Logger log("pmx_data", 5, 2, 0);
            LogFailedOperation(log, "WritePrivateProfileString",
                               std::u16string(kRememberedSettings[i].key), error);
        }
    }
}

void RememberDialogSettings(const ControlReader& controls) {
    bool remember = controls.checkState(IDC_REMEMBER_SETTING) != 0;
    WriteRememberedValues(remember ? CurrentRememberedValues(controls) : ResetRememberedValues());
}
