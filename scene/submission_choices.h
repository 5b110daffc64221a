#pragma once
// Everything a submission reads from the main dialog's controls, in the form the controls hold
// it: check states, field texts and the combo selection.

#include <cstdint>
#include <string>
#include <vector>

struct PluginSettings;
class PluginState;

struct SubmissionChoices {
    // Corona fields: passes (1054), hours (1047), noise level in percent (1045).
    std::u16string coronaPassesText = u"0";
    std::u16string coronaHoursText = u"0";
    std::u16string coronaNoiseText = u"0";
    // Check states as the check-box query returns them (only exactly 1 counts as ticked).
    unsigned colorChannel = 0;                // 1043
    unsigned aoChannel = 0;                   // 1044
    std::u16string aoRadiusText = u"1000.0";  // 1040
    std::u16string aoSubdivsText = u"16";     // 1037
    unsigned materialChannel = 0;             // 1051
    unsigned giChannel = 0;                   // 1056
    int giScaleIndex = 0;                     // 1057: 0 "100%", 1 "50%", 2 "33%", 3 "25%"
    unsigned psdChannel = 0;                  // 1053
    std::u16string gammaText = u"2.2";        // 1039
    unsigned saveSceneFile = 1;               // 1002
};

// The text of the GI image scale selection; "100%" for any index outside 0 to 3.
std::string GiScaleText(int giScaleIndex);

// The first step of a submission: in a Corona scene the three Corona fields replace the
// analysis limits when one of them is not zero, and useCorona is set.
void ApplyCoronaLimits(PluginState& state, const SubmissionChoices& choices);

// The render channels, read after the selection checks (radius and subdivisions only with the
// AO channel on) and the output gamma.
void ApplyRenderChannels(PluginState& state, const SubmissionChoices& choices);

// Both, in that order.
void ApplySubmissionChoices(PluginState& state, const SubmissionChoices& choices);

// The submission's GI scale in the settings record.
void ApplyGiScale(PluginSettings& settings, const SubmissionChoices& choices);
