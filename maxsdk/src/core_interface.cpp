// The simulated host's core interface: its main window, the open scene and saving it, the
// action and menu managers, and the MAXScript entry point. The submission worker calls in from
// its own thread, so the state is kept under a lock.
#include <atomic>
#include <mutex>

#include "host/simulated_host.h"
#include "host_parts.h"
#include "maxapi.h"
#include "maxscript/maxscript.h"

namespace {

class SimulatedCore : public Interface {
public:
    HWND GetMAXHWnd() override {
        std::lock_guard<std::mutex> lock(mutex_);
        return window_;
    }
    const MSTR& GetCurFileName() override {
        std::lock_guard<std::mutex> lock(mutex_);
        return fileName_;
    }
    const MSTR& GetCurFilePath() override {
        std::lock_guard<std::mutex> lock(mutex_);
        return filePath_;
    }
    BOOL SaveToFile(const MCHAR* fileName, BOOL /*clearNeedSaveFlag*/, BOOL useNewFile) override {
        maxsim::SceneSaver saver;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            saver = saver_;
        }
        std::u16string path = fileName != nullptr ? fileName : u"";
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
        filePath_ = path.c_str();
        fileName_ = (separator == std::u16string::npos ? path : path.substr(separator + 1)).c_str();
    }
    std::u16string ScenePath() {
        std::lock_guard<std::mutex> lock(mutex_);
        return filePath_.data();
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
    std::mutex mutex_;
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

std::atomic<HINSTANCE> g_languagePackModule{nullptr};

}  // namespace

IActionManager* SimulatedCore::GetActionManager() {
    return &HostActionManager();
}

IMenuManager* SimulatedCore::GetMenuManager() {
    return &HostMenuManager();
}

Interface* GetCOREInterface() {
    return &Core();
}

BOOL ExecuteMAXScriptScript(const MCHAR* script, MAXScript::ScriptSource /*source*/,
                            BOOL /*quietErrors*/, FPValue* result, BOOL /*logQuietErrors*/) {
    return Core().RunScript(script != nullptr ? script : u"", result);
}

namespace MaxSDK::Util {

// The host's language decides nothing on Linux (ZEP_LANGUAGE does); the call is only recorded.
void UseLanguagePackLocale(HINSTANCE module) {
    g_languagePackModule = module;
}

}  // namespace MaxSDK::Util

namespace maxsim {

void ResetHost() {
    Core().Reset();
    ResetNotifications();
    // The host's menus show the host's table's items, so the table comes first.
    ResetActions();
    ResetMenus();
    g_languagePackModule = nullptr;
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

HINSTANCE LanguagePackModule() {
    return g_languagePackModule;
}

}  // namespace maxsim
