#include "workflow/corona_check.h"

#include <string>

#include "resources/message_box.h"
#include "resources/string_loader.h"
#include "scene/plugin_state.h"
#include "workflow/progress_requests.h"

namespace {

std::u16string CopyOf(const char16_t* text) {
    return text != nullptr ? text : u"";
}

}  // namespace

bool ConfirmCoronaLimits(HWND owner) {
    std::u16string caption = CopyOf(LoadResourceString2(IDS_SECOND_CAPTION));
    std::u16string marker = CopyOf(LoadResourceString2(IDS_LANGUAGE_MARKER));
    const PluginState& state = GetPluginState();
    bool unlimited = (state.coronaState == 1 || state.coronaState == 2) &&
                     state.coronaNoiseLimit == 0.0 && state.coronaPassLimit == 0 &&
                     state.coronaTimeSeconds == 0;
    if (!unlimited) {
        return true;
    }
    CloseProgress();
    PluginMessageBox(owner, ResourceText(IDS_CORONA_UNLIMITED), caption, win::kMbOk, marker);
    return false;
}
