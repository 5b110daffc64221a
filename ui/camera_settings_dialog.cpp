// The camera settings dialog: set-up, the field logic between width, height and ratio, the
// padlocks of batch mode with their painting, OK and closing.
#include "ui/camera_settings_dialog.h"

#include <custcont.h>
#include <winutil.h>

#include <array>
#include <cmath>
#include <memory>

#include "log/guarded_call.h"
#include "platform/win/controls.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "resources/message_box.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "text/conversions.h"
#include "text/crt_numbers.h"
#include "ui/dialog_ui.h"
#include "ui/png_image.h"

namespace {

constexpr int kTextUnits = 260;
constexpr int kMaximumSize = 32768;
constexpr float kMinimumRatio = 0.001f;
constexpr float kMaximumRatio = 2048.0f;
constexpr float kRatioStep = 0.001f;

// The format list, positions 0 to 13; position 12 is the TIFF entry.
constexpr std::array<int, 14> kFormatStrings = {
    IDS_FORMAT_JPG, IDS_FORMAT_PNG, IDS_FORMAT_TGA,  IDS_FORMAT_EXR, IDS_FORMAT_BMP,
    IDS_FORMAT_HDR, IDS_FORMAT_RLA, IDS_FORMAT_RPF,  IDS_FORMAT_CIN, IDS_FORMAT_DDS,
    IDS_FORMAT_RGB, IDS_FORMAT_EPS, IDS_FORMAT_TIFF, IDS_FORMAT_PSD};
constexpr int kTiffPosition = 12;

// A padlock group: its closed and open padlock and the controls it unlocks.
struct PadlockGroup {
    int closed;
    int open;
    std::array<int, 3> controls;  // 0 ends the list
};

constexpr std::array<PadlockGroup, 4> kPadlockGroups = {{
    {IDC_LOCK_RESOLUTION_CLOSED,
     IDC_LOCK_RESOLUTION_OPEN,
     {IDC_EDIT_WIDTH, IDC_EDIT_HEIGHT, IDC_CHECK_LOCK_RATIO}},
    {IDC_LOCK_FRAME_CLOSED, IDC_LOCK_FRAME_OPEN, {IDC_EDIT_FRAME, 0, 0}},
    {IDC_LOCK_FORMAT_CLOSED, IDC_LOCK_FORMAT_OPEN, {IDC_COMBO_FORMAT, 0, 0}},
    {IDC_LOCK_SPHERICAL_CLOSED, IDC_LOCK_SPHERICAL_OPEN, {IDC_COMBO_SPHERICAL, 0, 0}},
}};

// The padlocks and their images, in the order they enter nameDialogControls: non-zero shows the
// closed padlock, zero the open one.
constexpr std::array<std::pair<int, int>, 8> kPadlockStates = {{
    {IDC_LOCK_RESOLUTION_CLOSED, 1},
    {IDC_LOCK_FRAME_CLOSED, 1},
    {IDC_LOCK_SPHERICAL_CLOSED, 1},
    {IDC_LOCK_FORMAT_CLOSED, 1},
    {IDC_LOCK_RESOLUTION_OPEN, 0},
    {IDC_LOCK_FRAME_OPEN, 0},
    {IDC_LOCK_SPHERICAL_OPEN, 0},
    {IDC_LOCK_FORMAT_OPEN, 0},
}};

// The spinner of the ratio field, linked to edit 1040, for the life of one handler.
struct SpinnerDeleter {
    void operator()(ISpinnerControl* spinner) const { ReleaseISpinner(spinner); }
};
using RatioSpinner = std::unique_ptr<ISpinnerControl, SpinnerDeleter>;

RatioSpinner GetRatioSpinner(HWND dialog) {
    RatioSpinner spinner(GetISpinner(win::GetDlgItem(dialog, IDC_SPIN_RATIO)));
    if (spinner) {
        spinner->LinkToEdit(win::GetDlgItem(dialog, IDC_EDIT_RATIO), EDITTYPE_FLOAT);
    }
    return spinner;
}

int ReadInt(HWND dialog, int control) {
    return CrtWtoi(win::GetDlgItemText(dialog, control, kTextUnits));
}

void Enable(HWND dialog, int control, bool enable) {
    win::EnableWindow(win::GetDlgItem(dialog, control), enable ? TRUE : FALSE);
}

bool IsEnabled(HWND dialog, int control) {
    return win::IsWindowEnabled(win::GetDlgItem(dialog, control)) != FALSE;
}

void Box(HWND dialog, int stringId) {
    PluginMessageBox(dialog, ResourceText(stringId), ResourceText(IDS_SECOND_CAPTION), win::kMbOk,
                     ResourceText(IDS_LANGUAGE_MARKER));
}

void SelectFormat(HWND dialog, const std::u16string& imageFormat) {
    HWND combo = win::GetDlgItem(dialog, IDC_COMBO_FORMAT);
    int position = win::FindComboStringExact(combo, -1, imageFormat);
    if (position == CB_ERR && (imageFormat == u"TIFF" || imageFormat == u"TIF")) {
        position = kTiffPosition;
    }
    win::SetComboSelection(combo, position == CB_ERR ? 0 : position);
}

// A width or height over 32768, or negative (taken as unsigned), is replaced by 32768.
bool ReplaceOversize(HWND dialog, int control, int value) {
    if (static_cast<unsigned>(value) <= static_cast<unsigned>(kMaximumSize)) {
        return false;
    }
    GetDialogUi().SetIntText(win::GetDlgItem(dialog, control), kMaximumSize);
    return true;
}

// Width (1015) or height (1016) changed. With the ratio locked the other field follows;
// unlocked, the ratio follows.
void OnSizeChanged(HWND dialog, bool widthChanged) {
    DialogUi& ui = GetDialogUi();
    int width = ReadInt(dialog, IDC_EDIT_WIDTH);
    int height = ReadInt(dialog, IDC_EDIT_HEIGHT);
    int changedControl = widthChanged ? IDC_EDIT_WIDTH : IDC_EDIT_HEIGHT;
    if (ReplaceOversize(dialog, changedControl, widthChanged ? width : height) || ui.IsUpdating()) {
        return;
    }
    RatioSpinner spinner = GetRatioSpinner(dialog);
    if (!spinner) {
        return;
    }
    UpdateGuard guard(ui);
    if (spinner->IsEnabled() != FALSE) {
        spinner->SetValue(static_cast<float>(width) / static_cast<float>(height), TRUE);
    } else if (widthChanged) {
        int followed = static_cast<int>(static_cast<float>(width) / spinner->GetFVal());
        ui.SetIntText(win::GetDlgItem(dialog, IDC_EDIT_HEIGHT), followed);
    } else {
        int followed = static_cast<int>(static_cast<float>(height) * spinner->GetFVal());
        ui.SetIntText(win::GetDlgItem(dialog, IDC_EDIT_WIDTH), followed);
    }
}

// The ratio field changed: with the ratio unlocked the height follows.
void OnRatioChanged(HWND dialog) {
    DialogUi& ui = GetDialogUi();
    if (ui.IsUpdating()) {
        return;
    }
    RatioSpinner spinner = GetRatioSpinner(dialog);
    if (!spinner || spinner->IsEnabled() == FALSE) {
        return;
    }
    int width = ReadInt(dialog, IDC_EDIT_WIDTH);
    UpdateGuard guard(ui);
    ui.SetIntText(win::GetDlgItem(dialog, IDC_EDIT_HEIGHT),
                  static_cast<int>(static_cast<float>(width) / spinner->GetFVal()));
}

void OnLockBox(HWND dialog) {
    RatioSpinner spinner = GetRatioSpinner(dialog);
    if (spinner) {
        spinner->Enable(spinner->IsEnabled() != FALSE ? FALSE : TRUE);
    }
}

void ShowPadlock(HWND dialog, int padlock, bool show) {
    win::ShowWindow(win::GetDlgItem(dialog, padlock), show ? SW_SHOWNORMAL : SW_HIDE);
}

void OnClosedPadlock(HWND dialog, const PadlockGroup& group) {
    ShowPadlock(dialog, group.closed, false);
    ShowPadlock(dialog, group.open, true);
    for (int control : group.controls) {
        if (control != 0) {
            Enable(dialog, control, true);
        }
    }
}

// An open padlock locks its group again with the current camera's values.
void OnOpenPadlock(HWND dialog, const PadlockGroup& group) {
    DialogUi& ui = GetDialogUi();
    CameraInfo camera = ui.LoadCurrentCamera();
    ShowPadlock(dialog, group.open, false);
    ShowPadlock(dialog, group.closed, true);
    switch (group.open) {
        case IDC_LOCK_RESOLUTION_OPEN: {
            RatioSpinner spinner = GetRatioSpinner(dialog);
            {
                UpdateGuard guard(ui);
                ui.SetIntText(win::GetDlgItem(dialog, IDC_EDIT_WIDTH), camera.width);
                ui.SetIntText(win::GetDlgItem(dialog, IDC_EDIT_HEIGHT), camera.height);
                if (spinner && camera.height != 0) {
                    spinner->SetValue(
                        static_cast<float>(camera.width) / static_cast<float>(camera.height),
                        FALSE);
                }
            }
            Enable(dialog, IDC_EDIT_WIDTH, false);
            Enable(dialog, IDC_EDIT_HEIGHT, false);
            Enable(dialog, IDC_CHECK_LOCK_RATIO, false);
            SetCheckBox(dialog, IDC_CHECK_LOCK_RATIO, TRUE);
            if (spinner) {
                spinner->Disable();
            }
            break;
        }
        case IDC_LOCK_FRAME_OPEN:
            ui.SetIntText(win::GetDlgItem(dialog, IDC_EDIT_FRAME), camera.frameToRender);
            Enable(dialog, IDC_EDIT_FRAME, false);
            break;
        case IDC_LOCK_SPHERICAL_OPEN:
            win::SetComboSelection(win::GetDlgItem(dialog, IDC_COMBO_SPHERICAL),
                                   camera.isSpherical ? 1 : 0);
            Enable(dialog, IDC_COMBO_SPHERICAL, false);
            break;
        case IDC_LOCK_FORMAT_OPEN:
            SelectFormat(dialog, camera.imageFormat);
            Enable(dialog, IDC_COMBO_FORMAT, false);
            break;
        default:
            break;
    }
}

void OnOk(HWND dialog) {
    PluginState& state = GetPluginState();
    state.batchEdit = 0;
    std::u16string name = win::GetDlgItemText(dialog, IDC_EDIT_OUTPUT_NAME, kTextUnits);
    HWND nameField = win::GetDlgItem(dialog, IDC_EDIT_OUTPUT_NAME);
    if (!name.empty() && (name.front() == u' ' || name.back() == u' ')) {
        Box(dialog, IDS_NAME_SPACES);
        name = TrimBlanks(name);
        win::SetWindowText(nameField, name);
        int length = static_cast<int>(name.size());
        win::SetEditSelection(nameField, length, length);
    }
    if (name.empty()) {
        Box(dialog, IDS_NAME_EMPTY);
        win::SetFocus(nameField);
        return;
    }
    GetDialogUi().ApplyCameraSettings(dialog);
    win::SendMessage(win::GetParent(dialog), WM_USER + 1, 0, 0);
    win::EndDialog(dialog, 1);
}

void OnInitDialog(HWND dialog) {
    PluginState& state = GetPluginState();
    DialogUi& ui = GetDialogUi();
    for (const auto& [padlock, closed] : kPadlockStates) {
        state.nameDialogControls.emplace(padlock, closed);
    }
    ui.FillCameraSettings(dialog);
    std::u16string marker = ResourceText(IDS_LANGUAGE_MARKER);
    bool alternativeLayout = marker == u"1";
    bool batch = state.batchEdit == 1;
    // The places below are pixels at 96 dpi; the template around them grows with the display.
    const double scale = ui.GetDisplayScale();
    auto scaled = [scale](int pixels) { return static_cast<int>(std::lround(pixels * scale)); };
    auto moveOk = [&](int x, int y) {
        ui.MoveControl(dialog, IDC_CAMERA_OK, scaled(x), scaled(y));
    };
    if (!batch) {
        Enable(dialog, IDC_EDIT_OUTPUT_NAME, true);
        ui.ShowControl(dialog, IDC_LABEL_OUTPUT_NAME, SW_SHOW);
        ui.ShowControl(dialog, IDC_EDIT_OUTPUT_NAME, SW_SHOW);
        if (alternativeLayout) {
            moveOk(56, 225);
        }
        ui.ShowControl(dialog, IDC_BATCH_NOTE, SW_HIDE);
        ui.ShowControl(dialog, IDC_BATCH_NOTE2, SW_HIDE);
    } else {
        for (int control : {IDC_EDIT_WIDTH, IDC_EDIT_HEIGHT, IDC_COMBO_SPHERICAL, IDC_EDIT_FRAME,
                            IDC_COMBO_FORMAT, IDC_EDIT_OUTPUT_NAME, IDC_BATCH_NOTE, IDC_BATCH_NOTE2,
                            IDC_CHECK_LOCK_RATIO}) {
            Enable(dialog, control, false);
        }
        ui.ShowControl(dialog, IDC_LABEL_OUTPUT_NAME, SW_HIDE);
        ui.ShowControl(dialog, IDC_EDIT_OUTPUT_NAME, SW_HIDE);
        if (alternativeLayout) {
            moveOk(56, 200);
        } else {
            moveOk(82, 250);
        }
    }
    if (alternativeLayout) {
        win::SetWindowPos(win::GetDlgItem(dialog, IDC_SETTINGS_PANEL), HWND_BOTTOM, 0, 0,
                          scaled(261), scaled(260), SWP_NOMOVE);
    }
    for (const auto& [padlock, closed] : state.nameDialogControls) {
        HWND window = win::GetDlgItem(dialog, padlock);
        if (!batch) {
            win::ShowWindow(window, SW_HIDE);
            continue;
        }
        if (closed != 0) {
            win::ShowWindow(window, SW_SHOWNORMAL);
        }
        win::SetWindowLongPtr(window, GWL_STYLE,
                              win::GetWindowLongPtr(window, GWL_STYLE) | SS_NOTIFY);
    }
}

void PaintBatchNote(HWND dialog, int control) {
    HWND note = win::GetDlgItem(dialog, control);
    win::PaintContext paint;
    HDC dc = win::BeginPaint(note, paint);
    if (dc == nullptr) {
        return;
    }
    std::u16string text = win::GetWindowText(note, kTextUnits);
    win::SetTextColor(dc, RGB(193, 193, 193));
    win::SetBkColor(dc, RGB(68, 68, 68));
    HFONT font = win::CreateFont(8, FW_NORMAL, FF_SWISS, u"MS Sans Serif");
    HFONT previous = win::SelectFont(dc, font);
    RECT rect;
    win::GetClientRect(note, rect);
    win::DrawText(dc, text, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    win::SelectFont(dc, previous);
    win::DeleteObject(font);
    win::EndPaint(note, paint);
}

void OnPaint(HWND dialog) {
    for (const auto& [padlock, closed] : GetPluginState().nameDialogControls) {
        HWND window = win::GetDlgItem(dialog, padlock);
        win::PaintContext paint;
        HDC dc = win::BeginPaint(window, paint);
        AlphaImage image;
        LoadPngResource(image, closed != 0 ? IDB_PADLOCK_CLOSED : IDB_PADLOCK_OPEN, u"PNG");
        if (dc != nullptr && image.Bitmap() != nullptr) {
            win::AlphaBlendBitmap(dc, 0, 0, image.Bitmap(), image.Width(), image.Height());
        }
        win::EndPaint(window, paint);
    }
    PaintBatchNote(dialog, IDC_BATCH_NOTE);
    PaintBatchNote(dialog, IDC_BATCH_NOTE2);
}

// WM_COMMAND from a control of 1014 to 1079; false for identifiers without a handler.
bool OnCommand(HWND dialog, int control, UINT code) {
    GetDialogUi().LoadCurrentCamera();
    switch (control) {
        case IDC_CAMERA_OK:
            OnOk(dialog);
            return true;
        case IDC_EDIT_WIDTH:
        case IDC_EDIT_HEIGHT:
            if (code == EN_CHANGE) {
                OnSizeChanged(dialog, control == IDC_EDIT_WIDTH);
            }
            return true;
        case IDC_EDIT_RATIO:
            if (code == EN_CHANGE) {
                OnRatioChanged(dialog);
            }
            return true;
        case IDC_CHECK_LOCK_RATIO:
            OnLockBox(dialog);
            return true;
        case IDC_EDIT_OUTPUT_NAME:
            if (code == EN_CHANGE) {
                GetDialogUi().CheckCameraName(dialog);
            }
            return true;
        default:
            break;
    }
    for (const PadlockGroup& group : kPadlockGroups) {
        if (control == group.closed) {
            OnClosedPadlock(dialog, group);
            return true;
        }
        if (control == group.open) {
            OnOpenPadlock(dialog, group);
            return true;
        }
    }
    return false;
}

}  // namespace

// --- the dialog's operations of DialogUi ----------------------------------------------------

CameraInfo DialogUi::LoadCurrentCamera() {
    if (editList.empty()) {
        return CameraInfo{};
    }
    return GetPluginState().cameras[editList.front()];
}

void DialogUi::FillCameraSettings(HWND dialog) {
    CameraInfo camera = LoadCurrentCamera();
    {
        UpdateGuard guard(*this);
        SetIntText(win::GetDlgItem(dialog, IDC_EDIT_WIDTH), camera.width);
        SetIntText(win::GetDlgItem(dialog, IDC_EDIT_HEIGHT), camera.height);
        if (camera.height != 0) {
            RatioSpinner spinner(SetupFloatSpinner(
                dialog, IDC_SPIN_RATIO, IDC_EDIT_RATIO, kMinimumRatio, kMaximumRatio,
                static_cast<float>(camera.width) / static_cast<float>(camera.height), kRatioStep));
            win::CheckDlgButton(dialog, IDC_CHECK_LOCK_RATIO, BST_CHECKED);
            if (spinner) {
                spinner->Disable();
            }
        }
    }
    SetIntText(win::GetDlgItem(dialog, IDC_EDIT_FRAME), camera.frameToRender);
    win::SetDlgItemText(dialog, IDC_EDIT_OUTPUT_NAME, camera.outputName);
    HWND formats = win::GetDlgItem(dialog, IDC_COMBO_FORMAT);
    for (size_t position = 0; position < kFormatStrings.size(); ++position) {
        win::InsertComboString(formats, static_cast<int>(position),
                               ResourceText(kFormatStrings[position]));
    }
    SelectFormat(dialog, camera.imageFormat);
    HWND spherical = win::GetDlgItem(dialog, IDC_COMBO_SPHERICAL);
    win::InsertComboString(spherical, 0, ResourceText(IDS_SPHERICAL_NO));
    win::InsertComboString(spherical, 1, ResourceText(IDS_SPHERICAL_YES));
    win::SetComboSelection(spherical, camera.isSpherical ? 1 : 0);
}

void DialogUi::ApplyCameraSettings(HWND dialog) {
    std::u16string widthText = win::GetDlgItemText(dialog, IDC_EDIT_WIDTH, kTextUnits);
    std::u16string heightText = win::GetDlgItemText(dialog, IDC_EDIT_HEIGHT, kTextUnits);
    std::u16string frameText = win::GetDlgItemText(dialog, IDC_EDIT_FRAME, kTextUnits);
    std::u16string formatText = win::GetDlgItemText(dialog, IDC_COMBO_FORMAT, kTextUnits);
    std::u16string nameText = win::GetDlgItemText(dialog, IDC_EDIT_OUTPUT_NAME, kTextUnits);
    int sphericalChoice = win::GetComboSelection(win::GetDlgItem(dialog, IDC_COMBO_SPHERICAL));
    bool sizeEnabled = IsEnabled(dialog, IDC_EDIT_WIDTH);
    bool formatEnabled = IsEnabled(dialog, IDC_COMBO_FORMAT);
    bool nameEnabled = IsEnabled(dialog, IDC_EDIT_OUTPUT_NAME);
    bool frameEnabled = IsEnabled(dialog, IDC_EDIT_FRAME);
    bool sphericalEnabled = IsEnabled(dialog, IDC_COMBO_SPHERICAL);
    CameraMap& cameras = GetPluginState().cameras;
    for (const std::u16string& name : editList) {
        CameraInfo& camera = cameras[name];
        if (sizeEnabled) {
            camera.width = CrtWtoi(widthText);
            camera.height = CrtWtoi(heightText);
        }
        if (formatEnabled) {
            camera.imageFormat = formatText;
        }
        if (nameEnabled) {
            camera.outputName = nameText;
        }
        if (frameEnabled) {
            camera.frameToRender = CrtWtoi(frameText);
        }
        if (sphericalEnabled) {
            camera.isSpherical = sphericalChoice == 1;
        }
    }
}

void DialogUi::CheckCameraName(HWND dialog) {
    HWND field = win::GetDlgItem(dialog, IDC_EDIT_OUTPUT_NAME);
    std::u16string name = win::GetWindowText(field, kTextUnits);
    if (name.size() > 100) {
        logger.Write("You are setting camera name that its length longer than 100!", "WARN");
        Box(dialog, IDS_NAME_TOO_LONG);
        return;
    }
    if (name.find_first_of(kInvalidNameCharacters) == std::u16string::npos) {
        return;
    }
    logger.Write("You are setting camera name that contain invalid characters.", "WARN");
    Box(dialog, IDS_NAME_INVALID_CHARS);
    std::u16string cleaned = EraseChars(name, kInvalidNameCharacters);
    logger.Write("Remove invalid characters successfully.", "INFO");
    win::SetWindowText(field, cleaned);
    int length = static_cast<int>(cleaned.size());
    win::SetEditSelection(field, length, length);
}

// --- the dialog procedure -------------------------------------------------------------------

namespace {

INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog);
            return TRUE;
        case WM_PAINT:
            OnPaint(dialog);
            return FALSE;
        case WM_COMMAND: {
            int control = LOWORD(wParam);
            if (control < IDC_CAMERA_OK || control > IDC_LOCK_FORMAT_OPEN) {
                return FALSE;
            }
            return OnCommand(dialog, control, HIWORD(wParam)) ? TRUE : FALSE;
        }
        case WM_CLOSE:
            GetPluginState().batchEdit = 0;
            win::EndDialog(dialog, 0);
            return TRUE;
        case WM_DESTROY:
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK CameraSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                          LPARAM /*lParam*/) {
    return GuardedCall("CameraSettingsDialogProc", INT_PTR{FALSE},
                       [=] { return OnMessage(dialog, message, wParam); });
}

INT_PTR ShowCameraSettingsDialog(HWND owner, LPARAM creationParam) {
    return win::DialogBoxParam(static_cast<HINSTANCE>(ResourceModule()), IDD_CAMERA_SETTINGS, owner,
                               CameraSettingsDialogProc, creationParam);
}
