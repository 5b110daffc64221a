#pragma once
// The main dialog over the simulated host: a data folder as the farm client installs it, an
// open scene, an analysis script that writes the test's analysis, and a driver for the user.

#include <gtest/gtest.h>
#include <json/value.h>

#include <string>
#include <vector>

#include "platform/headless/driver.h"
#include "platform/win/message_box.h"
#include "scene/plugin_state.h"
#include "tests/ui/control_state.h"  // Text, Enabled, Visible, Checked

class FPValue;

class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // An analysis with the cameras named (1920 x 1080 each), a V-Ray scene.
    static Json::Value Analysis(const std::vector<std::string>& cameras);
    // Makes the analysis a Corona scene with these limits (passes, milliseconds, noise).
    static void MakeCorona(Json::Value& analysis, const char* passes, const char* milliseconds,
                           const char* noise);

    // Opens the main dialog on `analysis` and returns its result once the queued input has
    // ended it.
    INT_PTR Open(const Json::Value& analysis);

    // The host's interpreter as the fixture sets it: the analysis command writes the analysis
    // given to Open to its result path; every other script runs and succeeds.
    static BOOL AnalysisScript(const std::u16string& script, FPValue* value);

    static void SetSetting(const std::string& key, const std::string& value);
    static std::string DataFolder();
    // The pmx_data log as it is now.
    static std::string DataLog();
    // The open scene: a file of that name in the scenes folder ("" for an unsaved scene).
    static void SetScene(const std::string& fileName);

    // The message boxes shown since the last call as "text/caption/answer"; in the "ids"
    // language the tests run in, "{79}/{49}/OK".
    static std::vector<std::string> Boxes();

    win::headless::Driver user;
    std::vector<int> opened;  // the dialogs that opened, in order
};
