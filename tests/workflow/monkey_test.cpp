// A user who does anything at all: random clicks, typing (CJK, surrogates, long and numeric
// texts), ticks, selections, double clicks, picks, steps, padlocks and answers, over the main
// and camera settings dialogs. After every action the dialogs must still answer and keep their
// rules: sizes within 32768, the distributed count and the Corona time as their fields allow,
// and the cameras untouched by the camera settings until OK.
//
// The run is repeatable: ZEP_MONKEY_SEED picks the seed (1 by default) and ZEP_MONKEY_ACTIONS
// the number of actions (3000 by default); a long run by hand sets a large count.
#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <tuple>

#include "platform/headless/driver.h"
#include "platform/headless/events.h"
#include "platform/headless/state_dump.h"
#include "platform/win/controls.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "tests/workflow/main_dialog_fixture.h"
#include "text/conversions.h"
#include "text/crt_numbers.h"
#include "workflow/submission_events.h"

namespace {

using win::headless::UserActions;

long Setting(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atol(value) : fallback;
}

class Monkey {
public:
    explicit Monkey(unsigned seed) : random_(seed) {}

    long actions = 0;
    long budget = 0;
    std::vector<std::string> broken;   // invariants that did not hold, with the action
    std::map<std::string, long> done;  // actions by kind, and those the dialog refused

    // The next action queued first (an action may open a dialog whose loop takes it), then
    // one random action on the innermost dialog and the checks.
    void Step() {
        HWND dialog = win::headless::ActiveDialog();
        if (dialog == nullptr) {
            return;
        }
        QueueNext();
        if (actions >= budget || !broken.empty()) {
            win::SendMessage(dialog, WM_CLOSE, 0, 0);
            return;
        }
        ++actions;
        int id = win::headless::DialogTemplateId(dialog);
        if (id == IDD_CAMERA_SETTINGS && !camerasAtOpening_) {
            camerasAtOpening_ = GetPluginState().cameras;
        }
        win::SetMessageBoxPolicy(Chance(2) ? win::MessageBoxPolicy::AnswerYesOk
                                           : win::MessageBoxPolicy::AnswerNoCancel);
        lastAction_ = Act(dialog, id);
        ++done[lastAction_.substr(lastAction_.rfind(' ') + 1) +
               (lastError_.empty() ? "" : " (refused)")];
        // OK, by Enter, by its button or as a bare command, applies the edits and ends the
        // dialog: the cameras may change then, and only then.
        bool mayApply = id == IDD_CAMERA_SETTINGS &&
                        (lastAction_.find(" enter") != std::string::npos ||
                         lastAction_.find("control " + std::to_string(IDC_CAMERA_OK) + " ") !=
                             std::string::npos);
        Check(mayApply);
    }

    void QueueNext() {
        win::headless::QueueInput([this] { Step(); });
    }

private:
    bool Chance(int outOf) { return std::uniform_int_distribution<int>(1, outOf)(random_) == 1; }
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    std::u16string RandomText() {
        static const std::vector<std::u16string> kPieces = {
            u"0",           u"1",           u"5",          u"10",       u"-",      u"-5",
            u"0-",          u".",           u"1.5",        u"239.9999", u"40000",  u"32768",
            u"99999999999", u"abc",         u" ",          u"Cam01",    u"  Cam ", u"a/b*c%d`e",
            u"场景",        u"摄像机_卧室", u"\U0001F600", u"\xD800",   u"\xDC00", u"\x3000",
            u"0.001",       u"2048",        u"1e5",        u"nan",      u"+7"};
        if (Chance(20)) {
            return std::u16string(300, Chance(2) ? u'x' : u'字');
        }
        std::u16string text;
        for (int count = Pick(4); count >= 0; --count) {
            text += kPieces[static_cast<size_t>(Pick(static_cast<int>(kPieces.size())))];
        }
        return text;
    }

    // A control of one of the kinds, usually one a user can reach; sometimes any control.
    int ControlOf(const win::headless::DialogState& state,
                  std::initializer_list<const char*> kinds) {
        std::vector<int> ids;
        bool anyState = Chance(10);
        for (const win::headless::ControlState& control : state.controls) {
            // Submitting packs and waits a second each time; it has tests of its own.
            if (control.id > 0 && control.id != IDC_SUBMIT &&
                std::find(kinds.begin(), kinds.end(), control.kind) != kinds.end() &&
                (anyState || (control.visible && control.enabled))) {
                ids.push_back(control.id);
            }
        }
        return ids.empty() ? 0 : ids[static_cast<size_t>(Pick(static_cast<int>(ids.size())))];
    }

    std::string Act(HWND dialog, int dialogId) {
        win::headless::DialogState state;
        win::headless::DumpDialog(dialog, state);
        int control = ControlOf(state, {"button", "checkbox", "radio", "static", "edit", "combobox",
                                        "listview", "updown", "spinner"});
        std::string& error = lastError_;
        error.clear();
        auto what = [dialogId](int id) {
            return "dialog " + std::to_string(dialogId) + " control " + std::to_string(id);
        };
        const int rows = win::GetListViewItemCount(win::GetDlgItem(dialog, IDC_CAMERA_LIST));
        switch (Pick(dialogId == IDD_MAIN ? 10 : 8)) {
            case 0:
            case 1:
                control = ControlOf(state, {"button", "checkbox", "radio", "static"});
                UserActions::Click(dialog, control, error);
                return what(control) + " click";
            case 2:
            case 3:
                control = ControlOf(state, {"edit"});
                UserActions::Type(dialog, control, RandomText(), error);
                return what(control) + " type";
            case 4:
                control = ControlOf(state, {"updown", "spinner"});
                UserActions::Spin(dialog, control, Chance(10) ? Pick(2001) - 1000 : Pick(11) - 5,
                                  error);
                return what(control) + " spin";
            case 5:
                control = ControlOf(state, {"combobox"});
                UserActions::PickComboItem(
                    dialog, control,
                    Chance(10)
                        ? Pick(20) - 1
                        : Pick(std::max(1, win::GetComboCount(win::GetDlgItem(dialog, control)))),
                    error);
                return what(control) + " pick";
            case 6:
                if (Chance(40)) {
                    UserActions::Close(dialog, error);
                    return what(0) + " close";
                }
                UserActions::PressEnter(dialog, error);
                return what(0) + " enter";
            case 7:
                control = Chance(2) ? IDOK : control;
                UserActions::Command(dialog, control, error);
                return what(control) + " command";
            case 8: {
                int row = rows > 0 ? Pick(rows) : 0;
                if (Chance(3)) {
                    UserActions::TickRow(dialog, IDC_CAMERA_LIST, row, Chance(2), error);
                } else if (Chance(2)) {
                    UserActions::SelectRows(dialog, IDC_CAMERA_LIST,
                                            {row, rows > 0 ? Pick(rows) : 0}, error);
                } else {
                    UserActions::HoverRow(dialog, IDC_CAMERA_LIST, row, error);
                }
                return what(IDC_CAMERA_LIST) + " row";
            }
            default:
                UserActions::DoubleClickRow(dialog, IDC_CAMERA_LIST,
                                            rows > 0 && Chance(4) ? Pick(rows) : -1, error);
                return what(IDC_CAMERA_LIST) + " double-click";
        }
    }

    void Check(bool mayApply) {
        HWND dialog = win::headless::ActiveDialog();
        int id = win::headless::DialogTemplateId(dialog);
        auto field = [dialog](int control) { return win::GetDlgItemText(dialog, control, 260); };
        if (id == IDD_CAMERA_SETTINGS) {
            for (int control : {IDC_EDIT_WIDTH, IDC_EDIT_HEIGHT}) {
                if (static_cast<unsigned>(CrtWtoi(field(control))) > 32768u) {
                    Broken("size over the limit in " + std::to_string(control));
                }
            }
            if (camerasAtOpening_ && !SameCameras(*camerasAtOpening_, GetPluginState().cameras)) {
                if (mayApply) {
                    camerasAtOpening_ = GetPluginState().cameras;
                } else {
                    Broken("cameras changed before OK");
                }
            }
        } else {
            camerasAtOpening_.reset();
        }
        if (id == IDD_MAIN) {
            std::u16string count = field(IDC_EDIT_DISTRIBUTED);
            int value = CrtWtoi(count);
            if (!count.empty() && (value < 2 || value > 10 || count != Decimal(value))) {
                Broken("distributed count reads \"" + Narrow(count) + "\"");
            }
            std::u16string hours = field(IDC_EDIT_DURATION);
            if (!DecimalWithinRule(hours)) {
                Broken("Corona time reads \"" + Narrow(hours) + "\"");
            }
        }
    }

    static bool DecimalWithinRule(const std::u16string& text) {
        size_t point = text.find(u'.');
        for (size_t i = 0; i < text.size(); ++i) {
            if (i != point && (text[i] < u'0' || text[i] > u'9')) {
                return false;
            }
        }
        if (point != std::u16string::npos && text.size() - point - 1 > 3) {
            return false;
        }
        double value = CrtWtof(text);
        return value >= 0.0 && value <= 239.0;
    }

    static bool SameCameras(const CameraMap& before, const CameraMap& now) {
        auto fields = [](const CameraMap::value_type& entry) {
            const CameraInfo& c = entry.second;
            return std::tie(entry.first, c.width, c.height, c.frameToRender, c.imageFormat,
                            c.outputName, c.isSpherical, c.selected);
        };
        return std::ranges::equal(before, now, {}, fields, fields);
    }

    static std::u16string Decimal(int value) { return FromUtf8(std::to_string(value)); }
    static std::string Narrow(const std::u16string& text) { return ToUtf8(text.substr(0, 40)); }

    void Broken(const std::string& what) {
        broken.push_back("after action " + std::to_string(actions) + " (" + lastAction_ +
                         "): " + what);
    }

    std::mt19937 random_;
    std::optional<CameraMap> camerasAtOpening_;
    std::string lastAction_;
    std::string lastError_;
};

TEST_F(MainDialogTest, AMonkeyBreaksNoRuleOfTheDialogs) {
    Monkey monkey(static_cast<unsigned>(Setting("ZEP_MONKEY_SEED", 1)));
    monkey.budget = Setting("ZEP_MONKEY_ACTIONS", 3000);
    Json::Value corona = Analysis({"Cam_A", "Cam B", "相机_C", "D"});
    MakeCorona(corona, "0", "3600000", "0");
    Json::Value vray = Analysis({"A", "B", "C"});
    Json::Value refusedNames = Analysis({"Cam:1", "Good"});
    const Json::Value* analyses[] = {&corona, &vray, &corona, &vray, &refusedNames};
    // Dialogs the monkey closed are opened again until its actions are spent.
    for (int opening = 0; monkey.actions < monkey.budget && monkey.broken.empty(); ++opening) {
        long before = monkey.actions;
        monkey.QueueNext();
        Open(*analyses[opening % 5]);
        win::headless::ClearQueuedInput();
        if (monkey.actions == before) {
            std::vector<std::string> boxes = Boxes();
            ADD_FAILURE() << "the dialog did not open for the monkey (opening " << opening << ", "
                          << boxes.size() << " boxes: " << (boxes.empty() ? "" : boxes[0]) << ")";
            break;
        }
    }
    EXPECT_TRUE(win::headless::WaitUntil([] { return SubmissionSettled(); }));
    EXPECT_THAT(monkey.broken, ::testing::IsEmpty());
    for (const auto& [kind, count] : monkey.done) {
        std::cout << "  " << kind << ": " << count << "\n";
    }
    EXPECT_EQ(monkey.actions, monkey.budget);
}

}  // namespace
