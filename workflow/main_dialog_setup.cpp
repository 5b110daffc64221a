// The main dialog's set-up: version and file-name checks, the analysis, the table, warnings and
// options, the Corona row's layout, the remembered settings and the camera-name check; and the
// rules between block rendering, the material channel and the Corona limits.
#include "workflow/main_dialog_setup.h"

#include <ifnpub.h>
#include <maxapi.h>
#include <winutil.h>

#include <algorithm>

#include "config/data_folder.h"
#include "config/plugin_settings.h"
#include "config/remembered_settings.h"
#include "log/operation_failures.h"
#include "platform/profile.h"
#include "platform/win/controls.h"
#include "platform/win/window.h"
#include "resources/message_box.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "scene/analysis_reader.h"
#include "scene/character_classes.h"
#include "scene/selection_checks.h"
#include "text/crt_numbers.h"
#include "ui/dialog_ui.h"
#include "ui/invalid_names_dialog.h"
#include "workflow/dialog_submission_host.h"
#include "workflow/host_text.h"
#include "workflow/scene_analysis.h"

namespace {

constexpr char16_t kPluginVersion[] = u"1.3.7";

std::u16string Copy(const char16_t* text) {
    return text != nullptr ? text : u"";
}

int Box(HWND dialog, int stringId, const std::u16string& caption, unsigned buttons,
        const std::u16string& marker) {
    return PluginMessageBox(dialog, ResourceText(stringId), caption, buttons, marker);
}

// Shows the string, ends the dialog with 0 and answers -1.
int CloseWith(HWND dialog, int stringId, const std::u16string& caption,
              const std::u16string& marker) {
    Box(dialog, stringId, caption, win::kMbOk, marker);
    win::EndDialog(dialog, 0);
    return kDialogEnded;
}

// The scene file the host has open: its base name (before the last dot) must not end with a
// blank or a full stop, the name holds no grave accent, and every character is one a scene
// file name may have. An unsaved scene passes.
bool SceneFileNameAccepted(const std::u16string& fileName) {
    return fileName.empty() || IsAcceptableSceneFileName(fileName);
}

struct CoronaPlace {
    int control;
    bool labelRow;
    int layoutA;
    int layoutB;
};

constexpr CoronaPlace kCoronaPlaces[] = {
    {IDC_LABEL_PASSES, true, 48, 38},         {IDC_EDIT_ITERATIONS, false, 98, 88},
    {IDC_SPIN_ITERATIONS, false, 172, 162},   {IDC_LABEL_PASSES_UNIT, true, 193, 183},
    {IDC_LABEL_NOISE, true, 220, 220},        {IDC_EDIT_NOISE_LEVEL, false, 268, 278},
    {IDC_SPIN_NOISE_LEVEL, false, 342, 350},  {IDC_LABEL_NOISE_UNIT, true, 365, 370},
    {IDC_LABEL_TIME, true, 395, 390},         {IDC_EDIT_DURATION, false, 445, 475},
    {IDC_SPIN_DURATION, false, 519, 549},     {IDC_LABEL_TIME_UNIT, true, 540, 570},
    {IDC_LABEL_GAMMA, true, 575, 610},        {IDC_EDIT_OUTPUT_GAMMA, false, 655, 690},
    {IDC_SPIN_OUTPUT_GAMMA, false, 700, 735},
};

// A control's rectangle in the dialog's client pixels.
RECT ControlRect(HWND dialog, int control) {
    RECT rect{};
    win::GetWindowRect(win::GetDlgItem(dialog, control), rect);
    POINT topLeft{rect.left, rect.top};
    POINT bottomRight{rect.right, rect.bottom};
    win::ScreenToClient(dialog, topLeft);
    win::ScreenToClient(dialog, bottomRight);
    return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

// Above 96 dpi the row lands lower than the template, scaled, would put it. Its frame follows
// it down and the dialog grows by as much, so the row keeps the margins the template gives it;
// the dialog stays centred where it was.
void FollowCoronaRow(HWND dialog, int rowBottomBefore) {
    const int down = ControlRect(dialog, IDC_EDIT_ITERATIONS).bottom - rowBottomBefore;
    if (down <= 0) {
        return;
    }
    const RECT frame = ControlRect(dialog, IDC_CORONA_GROUP);
    win::SetWindowPos(win::GetDlgItem(dialog, IDC_CORONA_GROUP), nullptr, frame.left,
                      frame.top + down, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT window{};
    win::GetWindowRect(dialog, window);
    win::SetWindowPos(dialog, nullptr, window.left, window.top - down / 2,
                      window.right - window.left, window.bottom - window.top + down, SWP_NOZORDER);
}

// Moves the Corona row for the display scale: layout A for the marker "1", B otherwise.
void ApplyCoronaLayout(HWND dialog, double scale, const std::u16string& marker) {
    const int rowBottomBefore = ControlRect(dialog, IDC_EDIT_ITERATIONS).bottom;
    double factor = scale == 1.0 ? 1.0 : scale == 1.5 ? scale + 0.15 : scale + 0.25;
    bool layoutA = marker == u"1";
    int labelY = static_cast<int>(factor * 375);
    int fieldY = static_cast<int>(factor * 371);
    if (!layoutA) {
        labelY -= 20;
        fieldY -= 20;
    }
    DialogUi& ui = GetDialogUi();
    for (const CoronaPlace& place : kCoronaPlaces) {
        int x = static_cast<int>(scale * (layoutA ? place.layoutA : place.layoutB));
        ui.MoveControl(dialog, place.control, x, place.labelRow ? labelY : fieldY);
    }
    FollowCoronaRow(dialog, rowBottomBefore);
}

std::u16string RememberedValue(int control) {
    return GetPrivateProfileStringLogged(
        GetPluginState().log, data_folder::kConfigSection, KeyForControl(control), u"",
        data_folder::kProfileBufferSize, data_folder::ConfigFilePath());
}

int32_t BlockModeOfRadio(int radio) {
    switch (radio) {
        case IDC_RADIO_THREEBLOCK:
            return 10;
        case IDC_RADIO_SIXBLOCK:
            return 64;
        case IDC_RADIO_DCSBLOCK:
            return 1010;
        default:
            return 1;
    }
}

void RestoreRememberedSettings(HWND dialog, PluginState& state, const MainDialogTexts& texts) {
    for (int box : state.checkBoxIds) {
        std::u16string value = RememberedValue(box);
        if (value.empty()) {
            continue;
        }
        if (box == IDC_CHECK_AO && value == u"1") {
            win::CheckDlgButton(dialog, box, BST_CHECKED);
            EnableControls(dialog,
                           {IDC_LABEL_AO_SUBDIVS, IDC_EDIT_AO_RADIUS, IDC_LABEL_AO_RADIUS,
                            IDC_LABEL_AO_UNITS, IDC_EDIT_AO_SUBDIVS},
                           true);
        } else if (box == IDC_CHECK_GI && value == u"1") {
            win::CheckDlgButton(dialog, box, BST_CHECKED);
            EnableControls(dialog, {IDC_LABEL_GI_SIZE, IDC_COMBO_GI_SIZE}, true);
        } else if (value == u"1") {
            win::CheckDlgButton(dialog, box, BST_CHECKED);
        } else if (value == u"0") {
            win::CheckDlgButton(dialog, box, BST_UNCHECKED);
        }
    }
    for (int combo : state.comboBoxIds) {
        std::u16string value = RememberedValue(combo);
        if (!value.empty()) {
            win::SetComboSelection(win::GetDlgItem(dialog, combo), CrtWtoi(value));
        }
    }
    for (int edit : state.editIds) {
        std::u16string value = RememberedValue(edit);
        if (value.empty()) {
            continue;
        }
        // A limit the scene sets wins over a remembered one.
        bool apply = edit == IDC_EDIT_DURATION      ? state.coronaTimeHours == 0
                     : edit == IDC_EDIT_ITERATIONS  ? state.coronaPassLimit == 0
                     : edit == IDC_EDIT_NOISE_LEVEL ? state.coronaNoiseLimit == 0
                                                    : value != u"0";
        if (apply) {
            win::SetDlgItemText(dialog, edit, value);
        }
    }
    for (int radio : state.radioIds) {
        if (RememberedValue(radio) == u"1") {
            win::CheckRadioButton(dialog, IDC_RADIO_NOBLOCK, IDC_RADIO_DCSBLOCK, radio);
            ApplyBlockMode(dialog, BlockModeOfRadio(radio), texts);
            CheckMaterialBlockConflict(dialog, texts);
        }
    }
}

// The camera table, on the first opening with its columns and the GI size list.
void FillCameraTable(HWND dialog, PluginState& state, bool firstOpening) {
    DialogUi& ui = GetDialogUi();
    HWND list = win::GetDlgItem(dialog, IDC_CAMERA_LIST);
    if (!firstOpening) {
        ui.UpdateCameraTable(list, state.cameras);
        return;
    }
    ui.CreateCameraTableHead(list);
    ui.CreateCameraTable(list, state.cameras);
    HWND sizes = win::GetDlgItem(dialog, IDC_COMBO_GI_SIZE);
    for (const char16_t* size : {u"100%", u"50%", u"33%", u"25%"}) {
        win::AddComboString(sizes, size);
    }
    win::SetComboSelection(sizes, 0);
}

}  // namespace

MainDialogTexts LoadMainDialogTexts() {
    MainDialogTexts texts;
    texts.caption = Copy(LoadResourceString(IDS_MAIN_CAPTION));
    texts.secondCaption = Copy(LoadResourceString2(IDS_SECOND_CAPTION));
    texts.marker = Copy(LoadResourceString(IDS_LANGUAGE_MARKER));
    return texts;
}

void EnableControls(HWND dialog, std::initializer_list<int> controls, bool enable) {
    for (int control : controls) {
        win::EnableWindow(win::GetDlgItem(dialog, control), enable ? TRUE : FALSE);
    }
}

int InitializeDialog(HWND dialog, const std::u16string& caption, std::u16string marker,
                     bool firstOpening) {
    PluginState& state = GetPluginState();
    DialogUi& ui = GetDialogUi();
    if (firstOpening) {
        state.cameras.clear();
    }
    PluginSettings settings;
    ReadPluginSettings(state.log, settings);
    if (settings.lowerVersion.empty()) {
        return CloseWith(dialog, IDS_VERSION_UNKNOWN, caption, marker);
    }
    if (settings.lowerVersion > kPluginVersion) {
        return CloseWith(dialog, IDS_VERSION_TOO_OLD, caption, marker);
    }
    Interface* core = GetCOREInterface();
    std::u16string fileName = core != nullptr ? FromHostText(core->GetCurFileName()) : u"";
    if (!SceneFileNameAccepted(fileName)) {
        return CloseWith(dialog, IDS_SCENE_NAME_REFUSED, caption, marker);
    }

    FPValue result;
    result.Init();
    std::u16string analysis;
    bool analysed = RunSceneAnalysis(dialog, &result, settings.analysisScriptPath, analysis);
    result.Free();
    if (!analysed) {
        win::EndDialog(dialog, 0);
        return kDialogEnded;
    }
    state.analysisText = analysis;
    SceneNameSource sceneName;
    int32_t read = ReadAnalysisResult(state, &sceneName);
    if (read == kAnalysisNoCameras &&
        Box(dialog, IDS_NO_CAMERAS, caption, win::kMbYesNo, marker) != win::kIdYes) {
        win::EndDialog(dialog, 0);
        return kDialogEnded;
    }
    if (read == kAnalysisDuplicateCameras) {
        std::u16string text = ResourceText(IDS_DUPLICATE_CAMERAS_BEFORE) +
                              state.duplicateCameraNames +
                              ResourceText(IDS_DUPLICATE_CAMERAS_AFTER);
        if (PluginMessageBox(dialog, text, caption, win::kMbOk, marker) == win::kIdOk) {
            win::EndDialog(dialog, 0);
            return kDialogEnded;
        }
    }

    MainDialogTexts texts{caption, Copy(LoadResourceString2(IDS_SECOND_CAPTION)), marker};
    win::CheckRadioButton(dialog, IDC_RADIO_NOBLOCK, IDC_RADIO_DCSBLOCK, IDC_RADIO_NOBLOCK);
    SetBlockMode(1);
    ui.ShowSceneName(win::GetDlgItem(dialog, IDC_SCENE_NAME), InitSceneName(state, sceneName));
    ui.ShowWarnings(win::GetDlgItem(dialog, IDC_WARNINGS), CollectNotices(state));
    win::SetListViewExtendedStyle(win::GetDlgItem(dialog, IDC_CAMERA_LIST), 0,
                                  LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    ui.SetGammaText(dialog, state.gammaOut);
    state.dialogScale = ui.GetDisplayScale();
    EnableControls(dialog,
                   {IDC_LABEL_AO_SUBDIVS, IDC_EDIT_AO_RADIUS, IDC_LABEL_AO_RADIUS,
                    IDC_LABEL_AO_UNITS, IDC_EDIT_AO_SUBDIVS, IDC_LABEL_GI_SIZE, IDC_COMBO_GI_SIZE},
                   false);
    if (state.cameras.size() < 2) {
        EnableControls(dialog, {IDC_EDIT_CAMERAS}, false);
    }
    if (state.coronaState != 0) {
        for (int control : {IDC_COMBO_GI_SIZE, IDC_LABEL_GI_SIZE, IDC_CHECK_GI}) {
            ui.ShowControl(dialog, control, SW_HIDE);
        }
        // The renderer note has nothing to say here; hidden, it cannot cover the moved row.
        ui.ShowControl(dialog, IDC_RENDERER_NOTE, SW_HIDE);
        ApplyCoronaLayout(dialog, state.dialogScale, marker);
        ui.SetCoronaLimits(dialog, state.coronaPassLimit, state.coronaTimeHours,
                           state.coronaNoiseLimit);
    } else {
        win::SetDlgItemText(dialog, IDC_RENDERER_NOTE, ResourceText(IDS_CORONA_ONLY));
        for (int control :
             {IDC_CORONA_GROUP, IDC_LABEL_PASSES, IDC_EDIT_ITERATIONS, IDC_SPIN_ITERATIONS,
              IDC_LABEL_PASSES_UNIT, IDC_LABEL_NOISE, IDC_EDIT_NOISE_LEVEL, IDC_SPIN_NOISE_LEVEL,
              IDC_LABEL_NOISE_UNIT, IDC_LABEL_TIME, IDC_EDIT_DURATION, IDC_SPIN_DURATION,
              IDC_LABEL_TIME_UNIT}) {
            ui.ShowControl(dialog, control, SW_HIDE);
        }
    }
    FillCameraTable(dialog, state, firstOpening);
    win::CheckDlgButton(dialog, IDC_SAVE_SCENE_FILE, BST_CHECKED);
    RestoreRememberedSettings(dialog, state, texts);
    if (ValidateCameraSelection(ui.logger, ui.problemList, CameraTableRows(dialog), state.cameras,
                                true) == kSelectionInvalidName) {
        ShowInvalidNamesDialog(dialog);
        return kCameraCheckFailed;
    }
    return kDialogReady;
}

void ApplyBlockMode(HWND dialog, int32_t blockMode, const MainDialogTexts& texts) {
    DialogUi& ui = GetDialogUi();
    const PluginState& state = GetPluginState();
    ui.ShowControl(dialog, IDC_LABEL_GI_SIZE, SW_SHOW);
    ui.ShowControl(dialog, IDC_COMBO_GI_SIZE, SW_SHOW);
    if (blockMode == 1 || blockMode == 1010) {
        SetBlockMode(blockMode);
        return;
    }
    ui.ShowControl(dialog, IDC_LABEL_GI_SIZE, SW_HIDE);
    ui.ShowControl(dialog, IDC_COMBO_GI_SIZE, SW_HIDE);
    if (state.isRegion == "true") {
        Box(dialog, IDS_REGION_NO_BLOCKS, texts.caption, win::kMbOk, texts.marker);
        win::CheckRadioButton(dialog, IDC_RADIO_NOBLOCK, IDC_RADIO_DCSBLOCK, IDC_RADIO_NOBLOCK);
        SetBlockMode(1);
        return;
    }
    if ((state.coronaState == 1 || state.coronaState == 2) && state.coronaNoiseLimit == 0.0 &&
        state.coronaPassLimit == 0 && state.coronaTimeSeconds == 0) {
        Box(dialog, IDS_CORONA_NO_LIMIT_NO_BLOCKS, texts.secondCaption, win::kMbOk, texts.marker);
        win::CheckRadioButton(dialog, IDC_RADIO_NOBLOCK, IDC_RADIO_DCSBLOCK, IDC_RADIO_NOBLOCK);
        SetBlockMode(1);
        ui.ShowControl(dialog, IDC_LABEL_GI_SIZE, SW_SHOW);
        ui.ShowControl(dialog, IDC_COMBO_GI_SIZE, SW_SHOW);
        return;
    }
    SetBlockMode(blockMode);
    if (state.coronaState != 0) {
        Box(dialog, IDS_CORONA_BLOCKS_NOTE, texts.secondCaption, win::kMbOk, texts.marker);
    } else if (blockMode == 64) {
        Box(dialog, IDS_SIX_BLOCKS_NOTE, texts.secondCaption, win::kMbOk, texts.marker);
    }
}

void CheckMaterialBlockConflict(HWND dialog, const MainDialogTexts& texts) {
    int32_t blockMode = GetPluginState().blockMode;
    if ((blockMode == 10 || blockMode == 64) &&
        win::IsDlgButtonChecked(dialog, IDC_CHECK_MATERIAL) == BST_CHECKED) {
        win::CheckDlgButton(dialog, IDC_CHECK_MATERIAL, BST_UNCHECKED);
        Box(dialog, IDS_MATERIAL_NO_BLOCKS, texts.secondCaption, win::kMbOk, texts.marker);
    }
}

void AddTiffNotes(PluginState& state) {
    std::u16string heading = ResourceText(IDS_WARNINGS_HEADING);
    std::u16string note = ResourceText(IDS_TIFF_OUTPUT);
    std::vector<std::u16string>& warnings = state.warnings;
    if (std::find(warnings.begin(), warnings.end(), note) != warnings.end()) {
        return;
    }
    if (std::find(warnings.begin(), warnings.end(), heading) == warnings.end()) {
        warnings.push_back(heading);
    }
    warnings.push_back(note);
}

void AddToolTip(PluginState& state, HWND control, const std::u16string& tip) {
    auto* toolTip = new ToolTipExtender;
    toolTip->SetToolTip(control, MSTR(ToHostText(tip)));
    state.toolTips.push_back(toolTip);
}
