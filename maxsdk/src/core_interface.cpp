// The simulated host's core interface: its main window, the open scene and saving it, the
// action and menu managers, and the MAXScript entry point. Every call is recorded with its
// thread; the state is kept under a lock, since a faulty plug-in may call from any thread.
#include <mutex>

#include "host/simulated_host.h"
#include "host_parts.h"
#include "maxapi.h"
#include "maxscript/maxscript.h"
#include "sdk_text.h"
#include "systemutilities.h"

namespace {

class SimulatedCore : public Interface {
public:
    HWND GetMAXHWnd() const override {
        RecordHostCall("Interface::GetMAXHWnd");
        std::lock_guard<std::mutex> lock(mutex_);
        return window_;
    }
    MSTR& GetCurFileName() override {
        RecordHostCall("Interface::GetCurFileName");
        std::lock_guard<std::mutex> lock(mutex_);
        return fileName_;
    }
    MSTR& GetCurFilePath() override {
        RecordHostCall("Interface::GetCurFilePath");
        std::lock_guard<std::mutex> lock(mutex_);
        return filePath_;
    }
    int SaveToFile(const MCHAR* fileName, BOOL /*clearNeedSaveFlag*/, BOOL useNewFile) override {
        RecordHostCall("Interface::SaveToFile");
        maxsim::SceneSaver saver;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            saver = saver_;
        }
        std::u16string path = FromSdkText(fileName);
        if (!saver || path.empty() || !saver(path)) {
            return FALSE;
        }
        if (useNewFile != FALSE) {
            SetScene(path);
        }
        return TRUE;
    }
    IActionManager* GetActionManager() override;
    IMenuManager* GetMenuManager() override;

    BOOL RunScript(const std::u16string& script, FPValue* result) {
        maxsim::ScriptRunner runner;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            runner = runner_;
        }
        return runner ? runner(script, result) : FALSE;
    }

    void Reset() {
        std::lock_guard<std::mutex> lock(mutex_);
        window_ = nullptr;
        fileName_ = MSTR();
        filePath_ = MSTR();
        runner_ = nullptr;
        saver_ = nullptr;
    }
    void SetWindow(HWND window) {
        std::lock_guard<std::mutex> lock(mutex_);
        window_ = window;
    }
    void SetScene(const std::u16string& path) {
        std::lock_guard<std::mutex> lock(mutex_);
        size_t separator = path.find_last_of(u"/\\");
        filePath_ = SdkText(path);
        fileName_ = SdkText(separator == std::u16string::npos ? path : path.substr(separator + 1));
    }
    std::u16string ScenePath() {
        std::lock_guard<std::mutex> lock(mutex_);
        return FromSdkText(filePath_.data());
    }
    void SetRunner(maxsim::ScriptRunner runner) {
        std::lock_guard<std::mutex> lock(mutex_);
        runner_ = std::move(runner);
    }
    void SetSaver(maxsim::SceneSaver saver) {
        std::lock_guard<std::mutex> lock(mutex_);
        saver_ = std::move(saver);
    }

private:
    mutable std::mutex mutex_;
    HWND window_ = nullptr;
    MSTR fileName_;
    MSTR filePath_;
    maxsim::ScriptRunner runner_;
    maxsim::SceneSaver saver_;
};

SimulatedCore& Core() {
    static SimulatedCore* core = new SimulatedCore;
    return *core;
}

}  // namespace

IActionManager* SimulatedCore::GetActionManager() {
    RecordHostCall("Interface::GetActionManager");
    return &HostActionManager();
}

IMenuManager* SimulatedCore::GetMenuManager() {
    RecordHostCall("Interface::GetMenuManager");
    return &HostMenuManager();
}

Interface* GetCOREInterface() {
    RecordHostCall("GetCOREInterface");
    return &Core();
}

BOOL ExecuteMAXScriptScript(const MCHAR* script, MAXScript::ScriptSource /*source*/,
                            BOOL /*quietErrors*/, FPValue* result, BOOL /*logQuietErrors*/) {
    RecordHostCall("ExecuteMAXScriptScript");
    return Core().RunScript(FromSdkText(script), result);
}

namespace MaxSDK::Util {

// The host's language decides nothing here (ZEP_LANGUAGE does on Linux, the thread's language on
// Windows); the call is only recorded.
void UseLanguagePackLocale() {
    RecordHostCall("MaxSDK::Util::UseLanguagePackLocale");
}

}  // namespace MaxSDK::Util

namespace maxsim {

void ResetHost() {
    TakeUiThread();
    HostInternalScope internal;
    Core().Reset();
    ResetNotifications();
    // The host's menus show the host's table's items, so the table comes first.
    ResetActions();
    ResetMenus();
}

void SetMainWindow(HWND window) {
    Core().SetWindow(window);
}

void SetCurrentScene(const std::u16string& fullPath) {
    Core().SetScene(fullPath);
}

std::u16string CurrentScenePath() {
    return Core().ScenePath();
}

void SetScriptRunner(ScriptRunner runner) {
    Core().SetRunner(std::move(runner));
}

void SetSceneSaver(SceneSaver saver) {
    Core().SetSaver(std::move(saver));
}

bool AnalysisResultPath(const std::u16string& script, std::u16string& path) {
    constexpr std::u16string_view kCall = u"gMax.analysis \"";
    size_t start = script.find(kCall);
    if (start == std::u16string::npos) {
        return false;
    }
    start += kCall.size();
    size_t end = script.find(u'"', start);
    if (end == std::u16string::npos) {
        return false;
    }
    path = script.substr(start, end - start);
    return true;
}

}  // namespace maxsim
