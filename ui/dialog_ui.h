#pragma once
// The dialog layer's one object: the pmx_ui logger, the cameras the camera settings dialog edits,
// the output names the selection check refused, the update guard, and the operations that fill
// the camera table, the warnings list and the scene name and read, clamp and write the numeric
// fields of the main and camera settings dialogs.

#include <cstdint>
#include <string>
#include <vector>

#include "log/pmx_logger.h"
#include "platform/win/window_types.h"
#include "scene/plugin_state.h"

class DialogUi : private pmx_Noncopyable {
public:
    DialogUi();

    // Names of the cameras the camera settings dialog works on; the first is the current one.
    std::vector<std::u16string> editList;
    // Output names the camera-selection check refused; the invalid-names dialog shows them.
    std::vector<std::u16string> problemList;
    pmx_Logger logger;  // module pmx_ui

    // Camera table (list view 1006), warnings (list box 1019) and scene name (edit 1036).
    bool CreateCameraTableHead(HWND listView);
    bool CreateCameraTable(HWND listView, CameraMap& cameras);
    bool UpdateCameraTable(HWND listView, CameraMap& cameras);
    bool InvertCameraSelection(HWND dialog, CameraMap& cameras);
    bool SelectAllCameras(HWND dialog, CameraMap& cameras);
    bool ShowWarnings(HWND listBox, const std::vector<std::u16string>& warnings);
    bool ShowSceneName(HWND field, const std::string& sceneNameUtf8);

    // Numeric fields.
    void CheckDecimalText(HWND edit, int decimals);
    void ClampIntField(HWND dialog, int control, int minimum, int maximum);
    void ClampFloatField(HWND dialog, int control, double minimum, double maximum);
    double GetFieldValue(HWND dialog, int control);
    void StepFloatField(HWND dialog, int control, float delta, float step, float minimum,
                        float maximum);
    void ResetMainFields(HWND dialog);
    void SetCoronaLimits(HWND dialog, int32_t coronaPassLimit, double coronaTimeHours,
                         double coronaNoiseLimit);
    void ShowControl(HWND dialog, int control, int showCommand);
    void SetGammaText(HWND dialog, float gamma);
    void SetIntText(HWND window, int value);
    void MoveControl(HWND dialog, int control, int x, int y);
    double GetDisplayScale();

    bool IsUpdating() const { return guard_ != 0; }
    void SetUpdating(bool updating) { guard_ = updating ? 1 : 0; }

    // The camera settings dialog's share (see camera_settings_dialog.cpp).
    CameraInfo LoadCurrentCamera();
    void FillCameraSettings(HWND dialog);
    void ApplyCameraSettings(HWND dialog);
    void CheckCameraName(HWND dialog);

private:
    bool FillCameraRows(HWND listView, CameraMap& cameras, bool withCheckBoxes);

    uint8_t guard_ = 0;
};

// The one DialogUi, made on first use.
DialogUi& GetDialogUi();

// The characters an output name may not hold: those file names cannot hold, the percent sign
// and the grave accent (the ones the camera-selection check refuses).
inline constexpr char16_t kInvalidNameCharacters[] = u"\\/:*?\"<>|%`";

// Sets the update guard for the life of the object: the dialog's own writes to width, height
// and ratio are not answered by another recalculation.
class UpdateGuard {
public:
    explicit UpdateGuard(DialogUi& ui) : ui_(ui), previous_(ui.IsUpdating()) {
        ui_.SetUpdating(true);
    }
    ~UpdateGuard() { ui_.SetUpdating(previous_); }
    UpdateGuard(const UpdateGuard&) = delete;
    UpdateGuard& operator=(const UpdateGuard&) = delete;

private:
    DialogUi& ui_;
    bool previous_;
};
