// dialog-dump: opens the plug-in's dialogs on the headless window system with sample data and
// prints what a user would see, for reviewing layouts and texts without Windows.
#include <CLI/CLI.hpp>

#include <json/writer.h>
#include <cstdlib>
#include <iostream>

#include "platform/headless/driver.h"
#include "platform/headless/environment.h"
#include "platform/headless/state_dump.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "scene/plugin_state.h"
#include "ui/camera_settings_dialog.h"
#include "ui/dialog_ui.h"
#include "ui/invalid_names_dialog.h"
#include "ui/progress_dialog.h"

namespace {

struct Options {
    std::string language = "en";
    int dpi = 96;
    bool json = false;
    std::vector<std::string> dialogs{"main", "camera", "batch", "progress", "names"};
};

// The main dialog's template before any controller fills it.
INT_PTR CALLBACK BareDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

void SampleCameras() {
    CameraMap& cameras = GetPluginState().cameras;
    auto add = [&cameras](const std::u16string& name, int width, int height,
                          const std::u16string& format) {
        CameraInfo& camera = cameras[name];
        camera.width = width;
        camera.height = height;
        camera.imageFormat = format;
        camera.outputName = name;
    };
    add(u"Cam_Living", 1920, 1080, u"PNG");
    add(u"Cam_Kitchen", 1600, 1200, u"TIF");
    add(u"Cam_Bedroom", 1000, 500, u"EXR");
}

// Opens one dialog, takes its picture once it is up, and closes it.
Json::Value Dump(const std::string& which, bool json) {
    win::headless::DialogState state;
    win::headless::Driver()
        .Do([&state](HWND dialog) { win::headless::DumpDialog(dialog, state); })
        .Do([](HWND dialog) { win::EndDialog(dialog, 0); });
    HINSTANCE module = static_cast<HINSTANCE>(ResourceModule());
    DialogUi& ui = GetDialogUi();
    if (which == "main") {
        win::DialogBoxParam(module, IDD_MAIN, nullptr, BareDialogProc, 0);
    } else if (which == "camera" || which == "batch") {
        SampleCameras();
        ui.editList = {u"Cam_Living"};
        if (which == "batch") {
            ui.editList = {u"Cam_Living", u"Cam_Kitchen", u"Cam_Bedroom"};
        }
        GetPluginState().batchEdit = which == "batch" ? 1 : 0;
        ShowCameraSettingsDialog(nullptr, 0);
    } else if (which == "progress") {
        win::DialogBoxParam(module, IDD_PROGRESS, nullptr, ProgressDialogProc, 0);
    } else if (which == "names") {
        ui.problemList = {u"Cam:01", u" Cam_Lead", u"Cam_Trail."};
        ShowInvalidNamesDialog(nullptr);
    }
    if (!json) {
        std::cout << win::headless::DialogStateText(state) << "\n";
    }
    return win::headless::DialogStateJson(state);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Prints the plug-in's dialogs as the headless window system lays them out"};
    Options options;
    app.add_option("--language", options.language, "en, zh-CN or ids")
        ->check(CLI::IsMember({"en", "zh-CN", "ids"}));
    app.add_option("--dpi", options.dpi, "dots per inch of the screen");
    app.add_flag("--json", options.json, "print one JSON array of the dialogs");
    app.add_option("DIALOG", options.dialogs, "main, camera, batch, progress or names")
        ->check(CLI::IsMember({"main", "camera", "batch", "progress", "names"}));
    CLI11_PARSE(app, argc, argv);

    setenv("ZEP_LANGUAGE", options.language.c_str(), 1);
    static int module = 0;
    SetResourceModule(&module);
    win::headless::SetScreenDpi(options.dpi);
    Json::Value all(Json::arrayValue);
    for (const std::string& dialog : options.dialogs) {
        all.append(Dump(dialog, options.json));
    }
    if (options.json) {
        Json::StreamWriterBuilder builder;
        builder["indentation"] = "  ";
        builder["emitUTF8"] = true;
        std::cout << Json::writeString(builder, all) << "\n";
    }
    return 0;
}
