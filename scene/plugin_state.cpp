#include "scene/plugin_state.h"

PluginState::PluginState() {
    log.SetModule("pmx_data");
    log.SetMaxSizeMB(5);
    log.SetFileCount(2);
}

PluginState& GetPluginState() {
    static PluginState state;
    return state;
}

std::vector<std::u16string>& CollectNotices(PluginState& state) {
    state.notices.clear();
    state.notices.insert(state.notices.end(), state.warnings.begin(), state.warnings.end());
    state.notices.insert(state.notices.end(), state.problems.begin(), state.problems.end());
    return state.notices;
}

void SetBlockMode(int32_t mode) {
    GetPluginState().blockMode = mode;
}

void SetDistributedCount(int32_t count) {
    GetPluginState().distributedCount = count;
}

CameraMap& GetCameras(PluginState& state) {
    return state.cameras;
}
