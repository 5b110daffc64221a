#pragma once
// Dialog tests on the headless window system with the module's own templates and strings. The
// whole program shares one temporary data folder (the dialog layer's log opens once per
// process); each test starts from an empty plug-in state.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/headless/driver.h"
#include "platform/win/message_box.h"
#include "scene/plugin_state.h"
#include "tests/ui/control_state.h"

class UiTest : public ::testing::Test {
protected:
    void SetUp() override;

    // The module handle the dialogs are made from.
    static HINSTANCE Module();
    // Runs `body` inside an open dialog `templateId` whose procedure does nothing but end on
    // Cancel, then cancels it.
    static void InDialog(int templateId, const std::function<void(HWND)>& body);
    // The pmx_ui log lines written since the last call.
    static std::vector<std::string> NewUiLogLines();
    // The texts of the message boxes shown since the last call.
    static std::vector<std::u16string> BoxTexts();

    static CameraInfo Camera(int width, int height, const std::u16string& outputName,
                             const std::u16string& format = u"PNG");
};
