#pragma once
// The one process-wide plug-in state: the analysis text and the scene model read from it, the
// render-channel choices, the pmx_data logger, the remembered control groups, the dialog's tool
// tips and the two worker threads with their run states. No lock guards it: the dialog and the
// submission worker take turns (the dialog is disabled while the worker runs); the flags the
// worker and the progress window poll are atomics.

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "log/pmx_logger.h"

class ToolTipExtender;  // host custom control; owned through toolTips, deleted by the dialog

struct CameraInfo {
    int32_t width = 0;
    int32_t height = 0;
    int32_t frameToRender = 1;
    std::u16string imageFormat;  // upper-case
    bool selected = false;
    std::u16string outputName;  // the name without the characters file names may not hold
    bool isSpherical = false;
};

// Ordered by UTF-16 code units (std::u16string's operator<): "Cam10" before "Cam2".
using CameraMap = std::map<std::u16string, CameraInfo>;

class PluginState {
public:
    PluginState();
    ~PluginState() = default;
    PluginState(const PluginState&) = delete;
    PluginState& operator=(const PluginState&) = delete;

    std::u16string analysisText;
    std::vector<std::u16string> problems;
    std::vector<std::u16string> warnings;
    std::vector<std::u16string> notices;
    CameraMap cameras;
    double coronaTimeHours = 0.0;
    int32_t coronaPassLimit = 0;
    int32_t coronaTimeSeconds = 0;
    double coronaNoiseLimit = 0.0;
    bool useCorona = false;
    std::string currentSceneName;   // UTF-8
    std::string analysedScenePath;  // UTF-8
    std::string isRegion;
    int32_t blockMode = 1;  // 1 none, 1010 distributed, otherwise the number of blocks
    int32_t distributedCount = 0;
    pmx_Logger log;  // module pmx_data
    float gammaOut = 2.2f;
    int32_t coronaState = 0;  // 0 none, 1 unlimited, 2 time only, 3 limited
    bool colorChannel = false;
    bool aoChannel = false;
    double aoRadius = 1000.0;
    int32_t aoSubdivs = 16;
    bool materialChannel = false;
    bool giChannel = false;
    bool psdChannel = false;
    int32_t irradmapPreset = 0;
    int32_t irradmapMinRate = 0;
    int32_t irradmapMaxRate = 0;
    int32_t imageSamplerType = 0;
    double dialogScale = 1.0;
    std::u16string duplicateCameraNames;  // joined by ","
    std::map<int32_t, int32_t> nameDialogControls;
    std::vector<int32_t> checkBoxIds{1043, 1044, 1051, 1053, 1056, 1002, 1001};
    std::vector<int32_t> comboBoxIds{1057};
    std::vector<int32_t> editIds{1047, 1040, 1037, 1039, 1054, 1045};
    std::vector<int32_t> radioIds{1030, 1031, 1032, 1033};
    std::vector<ToolTipExtender*> toolTips;
    std::thread* submitThread = nullptr;
    std::thread* progressThread = nullptr;
    std::atomic<int32_t> submitRunState{-1};    // -1 no thread, 0..10 running, 11+ finished
    std::atomic<int32_t> progressRunState{-1};  // 0 while the progress window runs
    std::atomic<bool> closeProgress{false};
    std::atomic<bool> hideProgress{false};
    int32_t batchEdit = 0;  // 1 while the camera settings dialog edits several cameras
    std::u16string resultFilePath;
    bool referenceFileIllegal = false;
};

// The one state, created on first use.
PluginState& GetPluginState();

// Rebuilds state.notices as all warnings followed by all problems.
std::vector<std::u16string>& CollectNotices(PluginState& state);

// Store into the one state.
void SetBlockMode(int32_t mode);
void SetDistributedCount(int32_t count);

CameraMap& GetCameras(PluginState& state);
