// Nothing the plug-in throws reaches whoever called it. An allocation made to fail inside each
// kind of entry the host or the system calls (a class descriptor call, the notification
// callback, the action callback, a dialog procedure, the submission worker's thread) ends that
// call with the value that means "failed" there and one ERROR line in the pmx_data log, and the
// host goes on using the plug-in.
#include <gmock/gmock.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "guplib.h"
#include "host/simulated_host.h"
#include "plugin/plugin_exports.h"
#include "plugin/plugin_ids.h"
#include "plugin/zep_action_table.h"
#include "plugin/zep_rendering.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "tests/support/plugin_language.h"
#include "tests/workflow/main_dialog_fixture.h"
#include "workflow/submission_events.h"

// The program's allocator: the next allocation of a thread that armed itself throws. It reaches
// the plug-in's code, which this program links; the host's and the window system's libraries
// use it only where the platform shares one allocator among modules (Linux).
namespace {

thread_local bool t_failNextAllocation = false;
std::atomic<int> g_failedAllocations{0};

void FailNextAllocation() {
    t_failNextAllocation = true;
}

}  // namespace

void* operator new(std::size_t size) {
    if (t_failNextAllocation) {
        t_failNextAllocation = false;
        ++g_failedAllocations;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size != 0 ? size : 1)) {
        return block;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return ::operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return ::operator new(size, tag);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::SizeIs;

class HostEntriesTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        logSeen_ = DataLog().size();
    }

    // Runs `call` with the calling thread's next allocation made to fail; that allocation must
    // happen.
    template <class Call>
    auto WithFailingAllocation(Call call) {
        const int failed = g_failedAllocations.load();
        FailNextAllocation();
        auto result = call();
        t_failNextAllocation = false;
        EXPECT_EQ(g_failedAllocations.load(), failed + 1) << "no allocation was made";
        return result;
    }

    // The failures the entries stopped since the last call, as the log tells them.
    std::vector<std::string> StoppedFailures() {
        std::string log = DataLog();
        std::istringstream added(log.substr(logSeen_));
        logSeen_ = log.size();
        std::vector<std::string> lines;
        for (std::string line; std::getline(added, line);) {
            if (line.find("[ERROR]") != std::string::npos &&
                line.find("stopped on an unexpected failure") != std::string::npos) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    size_t logSeen_ = 0;
};

TEST_F(HostEntriesTest, TheHostsCallsEndWithTheirFailedValuesAndTheHostGoesOn) {
    // English texts, long enough to be allocated.
    testing_support::UsePluginLanguage("en");

    ClassDesc* descriptor = LibClassDesc(0);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(WithFailingAllocation([&] { return descriptor->Create(FALSE); }), nullptr);
    EXPECT_THAT(StoppedFailures(),
                ElementsAre(HasSubstr("[ERROR] ZEP_Rendering_2022ClassDesc::Create stopped on an "
                                      "unexpected failure: std::bad_alloc.")));
    auto* plugin = static_cast<GUP*>(descriptor->Create(FALSE));
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->Start(), 0u);

    WithFailingAllocation([&] {
        OnSystemStartup(plugin, nullptr);
        return 0;
    });
    EXPECT_THAT(StoppedFailures(), ElementsAre(HasSubstr("OnSystemStartup stopped")));
    OnSystemStartup(plugin, nullptr);
    int pluginMenus = 0;
    for (const maxsim::MenuEntry& entry : maxsim::MainMenuBar()) {
        pluginMenus += entry.text == ResourceText(IDS_MENU_TITLE) && entry.entries.size() == 3;
    }
    EXPECT_EQ(pluginMenus, 1);

    ZEP_ActionCallback callback;
    EXPECT_EQ(WithFailingAllocation([&] { return callback.ExecuteAction(kAboutCommand); }), FALSE);
    EXPECT_THAT(StoppedFailures(),
                ElementsAre(HasSubstr("ZEP_ActionCallback::ExecuteAction stopped")));
    EXPECT_THAT(win::TakeMessageBoxes(), SizeIs(0));
    EXPECT_EQ(callback.ExecuteAction(kAboutCommand), TRUE);
    EXPECT_THAT(win::TakeMessageBoxes(), SizeIs(1));

    plugin->Stop();
    plugin->DeleteThis();
}

// The main dialog's opening fails after the analysis; the user closes the dialog, opens it
// again and submits. The first submission's worker fails as it asks for a request id: the
// dialog comes back unfrozen, the progress window closes, and the next submission runs.
TEST_F(HostEntriesTest, TheDialogAndTheWorkerEndTheirFailuresAndTheUserGoesOn) {
    const int failed = g_failedAllocations.load();
    maxsim::SetScriptRunner([](const std::u16string& script, FPValue* value) {
        BOOL ran = AnalysisScript(script, value);
        FailNextAllocation();
        return ran;
    });
    user.Close();
    EXPECT_EQ(Open(Analysis({"A"})), 0);
    t_failNextAllocation = false;
    EXPECT_EQ(g_failedAllocations.load(), failed + 1);
    EXPECT_THAT(StoppedFailures(), ElementsAre(HasSubstr("MainDialogProc stopped")));

    maxsim::SetScriptRunner(AnalysisScript);
    std::atomic<bool> failWorker{true};
    SetSubmissionStepHandler([&failWorker](const char* step) {
        if (std::string_view(step) == "request id" && failWorker.exchange(false)) {
            FailNextAllocation();
        }
    });
    std::vector<std::string> stops;
    SetSubmissionFinishedHandler(
        [&stops](const SubmissionOutcome& outcome) { stops.push_back(outcome.report.stoppedAt); });
    user.TickRow(IDC_CAMERA_LIST, 0, true)
        .Click(IDC_SUBMIT)
        .Wait([] { return SubmissionSettled(); })
        .Do([](HWND dialog) {
            EXPECT_TRUE(Enabled(dialog, IDC_SUBMIT));
            EXPECT_TRUE(Enabled(dialog, IDC_CAMERA_LIST));
            EXPECT_EQ(GetPluginState().submitRunState.load(), 11);
            EXPECT_EQ(GetPluginState().progressRunState.load(), 11);
        })
        .Click(IDC_SUBMIT)
        .Wait([] { return SubmissionSettled(); })
        .Close();
    EXPECT_EQ(Open(Analysis({"A"})), 0);
    SetSubmissionStepHandler(nullptr);
    SetSubmissionFinishedHandler(nullptr);
    EXPECT_EQ(g_failedAllocations.load(), failed + 2);
    EXPECT_THAT(StoppedFailures(), ElementsAre(HasSubstr("SubmitWorker stopped")));
    ASSERT_THAT(stops, SizeIs(2));
    EXPECT_EQ(stops[0], "unexpected failure");
    // Only the second submission reached the client, which does not listen on port 1.
    EXPECT_THAT(Boxes(), ElementsAre("{43}/{49}/OK"));
}

}  // namespace
