// The main dialog through the driver: opening and its checks, the layout of the Corona row,
// remembered settings, the rules between options, the camera table's clicks and the start of a
// submission.
#include <gmock/gmock.h>

#include <atomic>
#include <fstream>
#include <map>

#include "client/client_link.h"
#include "host/simulated_host.h"
#include "platform/headless/environment.h"
#include "platform/headless/gdi_objects.h"
#include "platform/headless/state_dump.h"
#include "platform/win/controls.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "text/conversions.h"
#ifndef _WIN32
#include "tests/resources/dialog_test_support.h"
#endif
#include "tests/support/loopback.h"
#include "tests/support/plugin_language.h"
#include "tests/workflow/main_dialog_fixture.h"
#include "workflow/submission_events.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The lowest accepted version is compared as text; an unsaved scene is not checked.
TEST_F(MainDialogTest, OpeningStopsWithItsMessageWhenTheClientOrTheSceneIsNotRight) {
    struct Case {
        const char* lowerVersion;  // null: no lowerversion key at all
        std::string sceneFile;
        std::vector<std::string> boxes;  // none: the dialog opens
    };
    for (const Case& row : std::vector<Case>{
             {nullptr, "shot1.max", {"{81}/{49}/OK"}},
             {"1.3.8", "shot1.max", {"{58}/{49}/OK"}},
             {"1.4", "shot1.max", {"{58}/{49}/OK"}},
             {"1.3.70", "shot1.max", {"{58}/{49}/OK"}},
             {"1.3.7", "shot .max", {"{79}/{49}/OK"}},
             {"1.3.7", "shot..max", {"{79}/{49}/OK"}},
             {"1.3.7", "sh`ot.max", {"{79}/{49}/OK"}},
             {"1.3.7", "сцена.max", {"{79}/{49}/OK"}},
             {"1.3.7", "shot1.max", {}},
             {"1.3", "场景（一）【终稿】.max", {}},
             {"1.10.0", "", {}},
         }) {
        SetUp();
        std::remove((DataFolder() + "/script/pmx_plugin.ini").c_str());
        if (row.lowerVersion != nullptr) {
            SetSetting("lowerversion", row.lowerVersion);
        }
        SetScene(row.sceneFile);
        bool ready = false;
        user.Do([&ready](HWND dialog) { ready = Visible(dialog, IDC_SUBMIT); }).Close();
        EXPECT_EQ(Open(Analysis({"Cam"})), 0) << row.sceneFile;
        EXPECT_EQ(Boxes(), row.boxes) << row.lowerVersion << " " << row.sceneFile;
        EXPECT_EQ(ready, row.boxes.empty()) << row.lowerVersion << " " << row.sceneFile;
        win::headless::ClearQueuedInput();
    }
}

TEST_F(MainDialogTest, AnalysisAndReaderStopsEndTheDialog) {
    maxsim::SetScriptRunner([](const std::u16string&, FPValue*) { return FALSE; });
    EXPECT_EQ(Open(Analysis({"Cam"})), 0);
    EXPECT_THAT(Boxes(), ElementsAre("{37}/{49}/OK"));

    SetUp();
    win::QueueMessageBoxAnswer(win::kIdNo);
    EXPECT_EQ(Open(Analysis({})), 0);
    EXPECT_THAT(Boxes(), ElementsAre("{59}/{49}/No"));

    SetUp();
    user.Close();
    EXPECT_EQ(Open(Analysis({})), 0);  // Yes: the dialog opens without cameras
    EXPECT_THAT(Boxes(), ElementsAre("{59}/{49}/Yes"));

    SetUp();
    Json::Value duplicates = Analysis({"A"});
    duplicates["dupl_cameras"][0]["name"] = "A";
    duplicates["dupl_cameras"][1]["name"] = "A ";
    EXPECT_EQ(Open(duplicates), 0);
    EXPECT_THAT(Boxes(), ElementsAre(::testing::StartsWith("{89}")));

    SetUp();
    user.Close();  // closes the invalid-names dialog
    EXPECT_EQ(Open(Analysis({"Cam:1", "Good"})), -2);
    EXPECT_THAT(opened, ElementsAre(IDD_MAIN, IDD_INVALID_NAMES));
}

#ifndef _WIN32
// Linux only: it sets the screen's resolution and compares with the templates generated for the
// headless window system.
// The Corona row is moved for the display scale and the language: to the places these rows
// give, at 96 dpi where the template draws it, and at every scale inside the dialog and its
// frame, which follow it. The camera table's columns grow with the display, so that every
// heading keeps its text and the header's margins (12 px at 96 dpi).
TEST_F(MainDialogTest, TheCoronaRowAndTheTableHeadingsAreLaidOutForTheScaleAndTheLanguage) {
    using namespace dialog_test;
    const int row[] = {IDC_LABEL_PASSES,      IDC_EDIT_ITERATIONS,   IDC_SPIN_ITERATIONS,
                       IDC_LABEL_PASSES_UNIT, IDC_LABEL_NOISE,       IDC_EDIT_NOISE_LEVEL,
                       IDC_SPIN_NOISE_LEVEL,  IDC_LABEL_NOISE_UNIT,  IDC_LABEL_TIME,
                       IDC_EDIT_DURATION,     IDC_SPIN_DURATION,     IDC_LABEL_TIME_UNIT,
                       IDC_LABEL_GAMMA,       IDC_EDIT_OUTPUT_GAMMA, IDC_SPIN_OUTPUT_GAMMA};
    // language, dpi: label row, field row, passes label x, gamma field x
    const std::map<std::pair<std::string, int>, std::vector<int>> places = {
        {{"en", 96}, {355, 351, 38, 690}},
        {{"en", 144}, {598, 592, 57, 1035}},
        {{"zh-CN", 96}, {375, 371, 48, 655}},
        {{"zh-CN", 144}, {618, 612, 72, 982}}};
    for (const std::string language : {"en", "zh-CN"}) {
        for (int dpi : {96, 120, 144, 168, 192}) {
            SCOPED_TRACE(language + " " + std::to_string(dpi));
            SetUp();
            testing_support::UsePluginLanguage(language.c_str());
            win::headless::SetScreenDpi(dpi);
            Json::Value analysis = Analysis({"Cam"});
            MakeCorona(analysis, "25", "0", "0");
            std::map<int, RECT> at;
            RECT client{};
            size_t columns = 0;
            user.Do([&](HWND dialog) {
                    win::headless::DialogState state;
                    win::headless::DumpDialog(dialog, state);
                    for (const win::headless::ControlState& control : state.controls) {
                        at[control.id] = control.rect;
                        for (const auto& [heading, width] : control.columns) {
                            ++columns;
                            EXPECT_LE(win::headless::TextWidthPixels(heading, dpi) + 12 * dpi / 96,
                                      width)
                                << ToUtf8(heading);
                        }
                    }
                    win::GetClientRect(dialog, client);
                    EXPECT_EQ(Text(dialog, IDC_EDIT_ITERATIONS), u"25");
                    EXPECT_FALSE(Visible(dialog, IDC_CHECK_GI));
                    EXPECT_FALSE(Visible(dialog, IDC_RENDERER_NOTE));
                })
                .Close();
            Open(analysis);
            win::headless::SetScreenDpi(96);
            EXPECT_EQ(columns, 7u);
            const DialogTemplate& main =
                Dialog(language == "zh-CN" ? kLanguages[1] : kLanguages[0], IDD_MAIN);
            for (int id : row) {
                EXPECT_TRUE(Inside(at[id], client) && Inside(at[id], at[IDC_CORONA_GROUP])) << id;
                if (dpi == 96) {
                    EXPECT_NEAR(at[id].left, PixelRect(Control(main, id)).left, 1) << id;
                    EXPECT_NEAR(at[id].top, PixelRect(Control(main, id)).top, 1) << id;
                }
            }
            // The frame ends just below the row, as the template draws it at 96 dpi.
            EXPECT_LE(at[IDC_CORONA_GROUP].bottom - at[IDC_EDIT_ITERATIONS].bottom, 12 * dpi / 96);
            auto place = places.find({language, dpi});
            if (place != places.end()) {
                EXPECT_EQ(
                    place->second,
                    (std::vector<int>{at[IDC_LABEL_PASSES].top, at[IDC_EDIT_ITERATIONS].top,
                                      at[IDC_LABEL_PASSES].left, at[IDC_EDIT_OUTPUT_GAMMA].left}));
            }
        }
    }
}
#endif

TEST_F(MainDialogTest, RememberedSettingsComeBackByTheirRules) {
    SetSetting("RENDER_CHANNEL_AO", "1");
    SetSetting("CHECK_GI", "1");
    SetSetting("RENDER_CHANNEL_COLOR", "0");
    SetSetting("GI_SIZE", "2");
    SetSetting("EDIT_AO_RADIUS", "250.5");
    SetSetting("EDIT_OUTPUT_GAMMA", "0");
    SetSetting("EDIT_ITERATIONS_A", "99");
    SetSetting("EDIT_DURATION2", "1.5");
    SetSetting("THREEBLOCK", "1");
    Json::Value analysis = Analysis({"A", "B"});
    MakeCorona(analysis, "10", "0", "0");
    analysis["is_region"] = "true";
    user.Do([](HWND dialog) {
            EXPECT_TRUE(Checked(dialog, IDC_CHECK_AO));
            EXPECT_TRUE(Enabled(dialog, IDC_EDIT_AO_RADIUS));
            EXPECT_EQ(Text(dialog, IDC_EDIT_AO_RADIUS), u"250.5");
            EXPECT_EQ(Text(dialog, IDC_EDIT_OUTPUT_GAMMA), u"2.2");  // a remembered "0" is not
            EXPECT_EQ(Text(dialog, IDC_EDIT_ITERATIONS), u"10");     // the scene's limit wins
            EXPECT_EQ(Text(dialog, IDC_EDIT_DURATION), u"1.5");      // the scene has none
            EXPECT_EQ(win::GetComboSelection(win::GetDlgItem(dialog, IDC_COMBO_GI_SIZE)), 2);
            // Three blocks in a region scene fall back to none, as a click would.
            EXPECT_TRUE(Checked(dialog, IDC_RADIO_NOBLOCK));
            EXPECT_FALSE(Checked(dialog, IDC_RADIO_THREEBLOCK));
            EXPECT_FALSE(Enabled(dialog, IDC_EDIT_DISTRIBUTED));
        })
        .Close();
    Open(analysis);
    EXPECT_THAT(Boxes(), ElementsAre("{76}/{49}/OK"));
    EXPECT_EQ(GetPluginState().blockMode, 1);
}

TEST_F(MainDialogTest, BlockRenderingFallsBackOrWarnsAsTheSceneRequires) {
    struct Case {
        const char* passes;  // null: not a Corona scene
        const char* region;
        int radio;
        int32_t blockMode;
        std::vector<std::string> boxes;
    };
    for (const Case& row : std::vector<Case>{
             {nullptr, "true", IDC_RADIO_SIXBLOCK, 1, {"{76}/{49}/OK"}},
             {"0", "false", IDC_RADIO_THREEBLOCK, 1, {"{91}/{68}/OK"}},
             {"5", "false", IDC_RADIO_THREEBLOCK, 10, {"{87}/{68}/OK", "{92}/{68}/OK"}},
             {nullptr, "false", IDC_RADIO_SIXBLOCK, 64, {"{86}/{68}/OK", "{92}/{68}/OK"}},
             {nullptr, "false", IDC_RADIO_THREEBLOCK, 10, {"{92}/{68}/OK"}},
             {nullptr, "false", IDC_RADIO_DCSBLOCK, 1010, {}},
         }) {
        SetUp();
        Json::Value analysis = Analysis({"A"});
        analysis["is_region"] = row.region;
        if (row.passes != nullptr) {
            MakeCorona(analysis, row.passes, "0", "0");
        }
        bool materialAfter = true;
        user.Click(IDC_CHECK_MATERIAL)
            .Click(row.radio)
            .Do([&materialAfter](HWND dialog) {
                materialAfter = Checked(dialog, IDC_CHECK_MATERIAL);
            })
            .Close();
        Open(analysis);
        EXPECT_EQ(GetPluginState().blockMode, row.blockMode) << row.radio;
        EXPECT_EQ(Boxes(), row.boxes) << row.radio;
        bool blocks = row.blockMode == 10 || row.blockMode == 64;
        EXPECT_EQ(materialAfter, !blocks) << row.radio;
    }
}

TEST_F(MainDialogTest, FieldsClampStepAndTheDistributedCountStaysWithinTwoToTen) {
    user.Click(IDC_RADIO_DCSBLOCK)
        .Type(IDC_EDIT_DISTRIBUTED, u"15")
        .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_EDIT_DISTRIBUTED), u"10"); })
        .Spin(IDC_SPIN_DISTRIBUTED, -3)
        .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_EDIT_DISTRIBUTED), u"7"); })
        .Type(IDC_EDIT_DISTRIBUTED, u"-")
        .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_EDIT_DISTRIBUTED), u"2"); })
        .Spin(IDC_SPIN_OUTPUT_GAMMA, 30)
        .Type(IDC_EDIT_DURATION, u"1.23456")
        .Do([](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_EDIT_OUTPUT_GAMMA), u"5.0");
            EXPECT_EQ(Text(dialog, IDC_EDIT_DURATION), u"1.234");
        })
        .Type(IDC_EDIT_DURATION, u"300")
        .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_EDIT_DURATION), u"239.00"); })
        .Close();
    Json::Value analysis = Analysis({"A"});
    MakeCorona(analysis, "0", "3600000", "0");
    Open(analysis);
    EXPECT_EQ(GetPluginState().distributedCount, 2);
}

TEST_F(MainDialogTest, TheTableOpensCameraSettingsAndIgnoresClicksBelowItsRows) {
    testing_support::UsePluginLanguage("en");
    // "Edit Selected" starts disabled; analysing again keeps the dialog open and leaves no row
    // selected for it.
    user.Do([](HWND dialog) { EXPECT_FALSE(Enabled(dialog, IDC_EDIT_CAMERAS)); })
        .SelectRows(IDC_CAMERA_LIST, {0, 1})
        .Click(IDC_ANALYSE_AGAIN)
        .Do([](HWND dialog) { EXPECT_FALSE(Enabled(dialog, IDC_EDIT_CAMERAS)); })
        .DoubleClickRow(IDC_CAMERA_LIST, -1)
        .Command(IDOK)  // the Enter key does nothing
        .SelectRows(IDC_CAMERA_LIST, {0, 2})
        .Do([](HWND dialog) { EXPECT_TRUE(Enabled(dialog, IDC_EDIT_CAMERAS)); })
        .TickRow(IDC_CAMERA_LIST, 1, true)
        .Click(IDC_EDIT_CAMERAS)
        // Batch mode: every group locked, no output name; an opened padlock frees its group.
        .Do([](HWND settings) {
            for (int control : {IDC_EDIT_WIDTH, IDC_EDIT_HEIGHT, IDC_EDIT_FRAME, IDC_COMBO_FORMAT,
                                IDC_COMBO_SPHERICAL, IDC_CHECK_LOCK_RATIO}) {
                EXPECT_FALSE(Enabled(settings, control)) << control;
            }
            EXPECT_FALSE(Visible(settings, IDC_EDIT_OUTPUT_NAME));
            EXPECT_FALSE(Visible(settings, IDC_LOCK_FORMAT_OPEN));
        })
        .Click(IDC_LOCK_FORMAT_CLOSED)
        .Do([](HWND settings) {
            EXPECT_FALSE(Visible(settings, IDC_LOCK_FORMAT_CLOSED));
            EXPECT_TRUE(Visible(settings, IDC_LOCK_FORMAT_OPEN));
        })
        .PickComboItem(IDC_COMBO_FORMAT, 12)
        .Click(IDC_CAMERA_OK)
        // Every rebuild of the table leaves no row selected, and nothing for "Edit Selected".
        .Do([](HWND dialog) { EXPECT_FALSE(Enabled(dialog, IDC_EDIT_CAMERAS)); })
        .SelectRows(IDC_CAMERA_LIST, {0, 1})
        .Click(IDC_INVERT_SELECTION)
        .Do([](HWND dialog) { EXPECT_FALSE(Enabled(dialog, IDC_EDIT_CAMERAS)); })
        .SelectRows(IDC_CAMERA_LIST, {0, 1})
        .Click(IDC_SELECT_ALL)
        .Do([](HWND dialog) { EXPECT_FALSE(Enabled(dialog, IDC_EDIT_CAMERAS)); })
        .DoubleClickRow(IDC_CAMERA_LIST, 1)
        .Type(IDC_EDIT_WIDTH, u"640")
        .Click(IDC_CAMERA_OK)
        .Close();
    Open(Analysis({"A", "B", "C"}));
    EXPECT_THAT(opened, ElementsAre(IDD_MAIN, IDD_CAMERA_SETTINGS, IDD_CAMERA_SETTINGS));
    const CameraMap& cameras = GetPluginState().cameras;
    EXPECT_EQ(cameras.at(u"A").imageFormat, u"TIFF");
    EXPECT_EQ(cameras.at(u"B").imageFormat, u"PNG");
    EXPECT_EQ(cameras.at(u"C").imageFormat, u"TIFF");
    EXPECT_EQ(cameras.at(u"B").width, 640);
    // The locked groups and the output names of the batch stay as they were.
    EXPECT_EQ(
        std::tie(cameras.at(u"A").width, cameras.at(u"C").height, cameras.at(u"C").outputName),
        std::make_tuple(1920, 1080, std::u16string(u"C")));
    EXPECT_TRUE(cameras.at(u"B").selected);
    // TIFF output adds its note to the warnings, once.
    const std::vector<std::u16string>& warnings = GetPluginState().warnings;
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), ResourceText(IDS_TIFF_OUTPUT)), 1);
}

// The cleaning scripts run on the host's thread, the dialog's, while the worker waits for them:
// the first one looks at the dialog and presses Submit again in the middle of the submission.
// The client does not listen on port 1; then one takes the connection and never answers, and
// the link gives up as on a failed connection. Each time the dialog is the user's again, with
// the one box of the stop. Without the clean box no cleaning script runs.
TEST_F(MainDialogTest, ASubmissionFreezesTheDialogAndASecondOneStartsNothing) {
    uint16_t port = 0;
    const testing_support::SocketHandle silent = testing_support::ListenOnLoopback(port);
    SetClientLinkTimeout(300);
    std::atomic<int> cleaningRuns{0};
    HWND main = nullptr;
    maxsim::SetScriptRunner([&](const std::u16string& script, FPValue* value) -> BOOL {
        if (script.find(u"ZepAntivirusAdsl") != std::u16string::npos) {
            ++cleaningRuns;
            EXPECT_FALSE(Enabled(main, IDC_SUBMIT));
            EXPECT_FALSE(Enabled(main, IDC_CAMERA_LIST));
            EXPECT_EQ(GetPluginState().submitRunState.load(), 0);
            std::string error;
            EXPECT_TRUE(win::headless::UserActions::Command(main, IDC_SUBMIT, error)) << error;
        }
        return AnalysisScript(script, value);
    });
    const auto settled = [](HWND dialog) {
        EXPECT_TRUE(Enabled(dialog, IDC_SUBMIT));
        EXPECT_FALSE(Enabled(dialog, IDC_EDIT_AO_RADIUS));  // disabled before, so after
        EXPECT_EQ(GetPluginState().submitRunState.load(), 11);
    };
    size_t firstLogEnd = 0;
    user.Do([&](HWND dialog) { main = dialog; })
        .TickRow(IDC_CAMERA_LIST, 0, true)
        .Click(IDC_CLEAN_SCENE)
        .Click(IDC_SUBMIT)
        .Wait([] { return SubmissionSettled(); })
        .Do(settled)
        .Do([&](HWND) {
            firstLogEnd = DataLog().size();
            SetSetting("port", std::to_string(port));
        })
        .Click(IDC_CLEAN_SCENE)
        .Click(IDC_SUBMIT)
        .Wait([] { return SubmissionSettled(); })
        .Do(settled)
        .Close();
    const std::string logBefore = DataLog();
    Open(Analysis({"A"}));
    SetClientLinkTimeout(0);
    SetSetting("port", "1");
    testing_support::CloseSocket(silent);
    EXPECT_EQ(cleaningRuns.load(), 1);
    EXPECT_THAT(Boxes(), ElementsAre("{43}/{49}/OK", "{43}/{49}/OK"));
    // The cleaning scripts leave their lines in order, whatever they did.
    const std::string log = DataLog();
    size_t adsl = log.find("[WARN] Check ADSL virus for scene", logBefore.size());
    size_t alc = log.find("[WARN] Check ALC virus for scene", logBefore.size());
    size_t crp = log.find("[WARN] Check CRP virus for scene", logBefore.size());
    EXPECT_LT(adsl, alc);
    EXPECT_LT(alc, crp);
    EXPECT_LT(crp, firstLogEnd);
    EXPECT_EQ(log.find("virus", firstLogEnd), std::string::npos);
    std::ifstream http(DataFolder() + "/log1.3.7/pmx_http.log");
    EXPECT_THAT(std::string(std::istreambuf_iterator<char>(http), {}),
                HasSubstr("[ERROR] connect error, Error Code is: 10060"));
}

// A scene that cannot be saved starts no submission; one that was never saved asks the user to
// save it first.
TEST_F(MainDialogTest, ASceneThatIsNotSavedStartsNoSubmissionAndSaysWhy) {
    struct Case {
        std::string sceneFile;
        std::vector<std::string> boxes;
        const char* logLine;
    };
    for (const Case& row : std::vector<Case>{
             {"shot1.max", {}, "[WARN] The host did not save the scene to "},
             {"", {"{105}/{49}/OK"}, "[WARN] The scene has never been saved; it must be saved"},
         }) {
        SetUp();
        SetScene(row.sceneFile);
        maxsim::SetSceneSaver([](const std::u16string&) { return false; });
        user.Click(IDC_SUBMIT)
            .Do([](HWND) {
                EXPECT_EQ(GetPluginState().submitRunState.load(), 11);
                EXPECT_EQ(GetPluginState().progressRunState.load(), -1);
            })
            .Close();
        GetPluginState().progressRunState = -1;
        GetPluginState().submitRunState = -1;
        Open(Analysis({"A"}));
        EXPECT_EQ(Boxes(), row.boxes) << row.sceneFile;
        EXPECT_THAT(DataLog(), HasSubstr(row.logLine)) << row.sceneFile;
    }
}

}  // namespace
