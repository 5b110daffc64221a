#include "scene/submission_choices.h"

#include "config/plugin_settings.h"
#include "scene/plugin_state.h"
#include "text/crt_numbers.h"

namespace {

constexpr unsigned kTicked = 1;

// A number field as the pipeline reads it: at most 259 units, the leading number as a double.
double FieldNumber(const std::u16string& text) {
    return CrtWtof(std::u16string_view(text).substr(0, 259));
}

int32_t Truncated(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) {
        return value > 0 ? INT32_MAX : INT32_MIN;  // what a saturating conversion would give
    }
    return static_cast<int32_t>(value);
}

}  // namespace

void ApplyCoronaLimits(PluginState& state, const SubmissionChoices& choices) {
    if (state.coronaState == 0) {
        return;
    }
    double passes = FieldNumber(choices.coronaPassesText);
    double hours = FieldNumber(choices.coronaHoursText);
    double noise = FieldNumber(choices.coronaNoiseText);
    if (Truncated(passes) != 0 || hours != 0.0 || noise != 0.0) {
        state.coronaPassLimit = Truncated(passes);
        state.coronaTimeHours = hours;
        state.coronaTimeSeconds = Truncated(hours * 60.0 * 60.0);
        state.coronaNoiseLimit = noise;
    }
    state.useCorona = true;
}

void ApplyRenderChannels(PluginState& state, const SubmissionChoices& choices) {
    state.colorChannel = choices.colorChannel == kTicked;
    state.aoChannel = choices.aoChannel == kTicked;
    if (state.aoChannel) {
        state.aoRadius = FieldNumber(choices.aoRadiusText);
        state.aoSubdivs = Truncated(FieldNumber(choices.aoSubdivsText));
    }
    state.materialChannel = choices.materialChannel == kTicked;
    state.giChannel = choices.giChannel == kTicked;
    state.psdChannel = choices.psdChannel == kTicked;
    state.gammaOut = static_cast<float>(FieldNumber(choices.gammaText));
}

std::string GiScaleText(int giScaleIndex) {
    static const char* const kScales[] = {"100%", "50%", "33%", "25%"};
    return giScaleIndex >= 0 && giScaleIndex <= 3 ? kScales[giScaleIndex] : kScales[0];
}

void ApplySubmissionChoices(PluginState& state, const SubmissionChoices& choices) {
    ApplyCoronaLimits(state, choices);
    ApplyRenderChannels(state, choices);
}

void ApplyGiScale(PluginSettings& settings, const SubmissionChoices& choices) {
    settings.giScaleIndex = choices.giScaleIndex;
    settings.giScaleText = GiScaleText(choices.giScaleIndex);
}
