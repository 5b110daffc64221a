// The camera table, the warnings list and the scene name of the main dialog.
#include <cmath>
#include <string>

#include "platform/win/controls.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "text/conversions.h"
#include "ui/dialog_ui.h"

namespace {

constexpr int kTextUnits = 260;

struct CameraColumn {
    int width;
    int headerString;
};

constexpr CameraColumn kColumns[] = {
    {200, IDS_HEADER_CAMERA},      {70, IDS_HEADER_WIDTH},     {70, IDS_HEADER_HEIGHT},
    {60, IDS_HEADER_FRAME},        {60, IDS_HEADER_SPHERICAL}, {60, IDS_HEADER_FORMAT},
    {200, IDS_HEADER_OUTPUT_NAME},
};

std::u16string Decimal(int value) {
    std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

}  // namespace

bool DialogUi::CreateCameraTableHead(HWND listView) {
    if (listView == nullptr) {
        logger.Write("No handle result in creating camera table head failed.", "ERROR");
        return false;
    }
    // The widths are pixels at 96 dpi; the headings' font grows with the display.
    const double scale = GetDisplayScale();
    int column = 0;
    for (const CameraColumn& heading : kColumns) {
        win::InsertListViewColumn(listView, column++, LVCFMT_CENTER,
                                  static_cast<int>(std::lround(heading.width * scale)),
                                  ResourceText(heading.headerString));
    }
    logger.Write("Create camera table head successfully.", "INFO");
    return true;
}

bool DialogUi::FillCameraRows(HWND listView, CameraMap& cameras, bool withCheckBoxes) {
    int row = 0;
    for (const auto& [name, camera] : cameras) {
        win::InsertListViewItem(listView, row, name);
        if (withCheckBoxes) {
            win::SetListViewItemState(listView, row, INDEXTOSTATEIMAGEMASK(camera.selected ? 2 : 1),
                                      LVIS_STATEIMAGEMASK);
        }
        win::SetListViewItemText(listView, row, 1, Decimal(camera.width));
        win::SetListViewItemText(listView, row, 2, Decimal(camera.height));
        win::SetListViewItemText(listView, row, 3, Decimal(camera.frameToRender));
        win::SetListViewItemText(listView, row, 5, camera.imageFormat);
        win::SetListViewItemText(listView, row, 6, camera.outputName);
        win::SetListViewItemText(
            listView, row, 4,
            ResourceText(camera.isSpherical ? IDS_SPHERICAL_YES : IDS_SPHERICAL_NO));
        ++row;
    }
    return true;
}

bool DialogUi::CreateCameraTable(HWND listView, CameraMap& cameras) {
    if (listView == nullptr || cameras.empty()) {
        logger.Write("No cameras or Create camera table failed!", "WARN");
        return false;
    }
    FillCameraRows(listView, cameras, false);
    logger.Write("Create camera table successfully.", "INFO");
    return true;
}

bool DialogUi::UpdateCameraTable(HWND listView, CameraMap& cameras) {
    if (listView == nullptr || cameras.empty()) {
        logger.Write("No cameras or Create camera table failed!", "WARN");
        return false;
    }
    win::DeleteAllListViewItems(listView);
    FillCameraRows(listView, cameras, true);
    logger.Write("Update camera table successfully.", "INFO");
    return true;
}

bool DialogUi::InvertCameraSelection(HWND dialog, CameraMap& cameras) {
    HWND listView = win::GetDlgItem(dialog, IDC_CAMERA_LIST);
    int count = static_cast<int>(cameras.size());
    for (int row = 0; row < count; ++row) {
        UINT stateImage = win::GetListViewItemState(listView, row, LVIS_STATEIMAGEMASK) >> 12;
        std::u16string name = win::GetListViewItemText(listView, row, 0, kTextUnits);
        cameras[name].selected = stateImage == 1;
    }
    UpdateCameraTable(listView, cameras);
    return true;
}

bool DialogUi::SelectAllCameras(HWND dialog, CameraMap& cameras) {
    for (auto& entry : cameras) {
        entry.second.selected = true;
    }
    UpdateCameraTable(win::GetDlgItem(dialog, IDC_CAMERA_LIST), cameras);
    return true;
}

bool DialogUi::ShowWarnings(HWND listBox, const std::vector<std::u16string>& warnings) {
    win::ResetListBox(listBox);
    if (warnings.empty()) {
        logger.Write("There is no warnning in this scene.", "INFO");
        return false;
    }
    HDC dc = win::GetDC(listBox);
    for (const std::u16string& warning : warnings) {
        SIZE extent{0, 0};
        win::GetTextExtentPoint32(dc, warning, extent);
        if (extent.cx > win::GetListBoxHorizontalExtent(listBox)) {
            win::SetListBoxHorizontalExtent(listBox, extent.cx);
        }
        win::AddListBoxString(listBox, warning);
    }
    win::ReleaseDC(listBox, dc);
    logger.Write("Get warnning infomation of current scene successfully.", "INFO");
    return true;
}

bool DialogUi::ShowSceneName(HWND field, const std::string& sceneNameUtf8) {
    if (sceneNameUtf8.empty()) {
        logger.Write("The scene name is empty!", "WARN");
        return false;
    }
    size_t length = sceneNameUtf8.size();
    std::string shown = length >= 4 ? sceneNameUtf8.substr(0, length - 4) : sceneNameUtf8;
    win::SetWindowText(field, FromUtf8(shown));
    logger.Write("Set scene name successfully.", "INFO");
    return true;
}
