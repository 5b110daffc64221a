#include "workflow/progress_requests.h"

#include "scene/plugin_state.h"

bool ProgressRuns() {
    PluginState& state = GetPluginState();
    return state.progressRunState.load() == 0 && state.progressThread != nullptr;
}

void CloseProgress() {
    if (ProgressRuns()) {
        GetPluginState().closeProgress = true;
    }
}

void HideProgress(bool hide) {
    if (ProgressRuns()) {
        GetPluginState().hideProgress = hide;
    }
}
