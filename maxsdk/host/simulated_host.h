#pragma once
// The simulated 3ds Max behind the SDK stand-in: what a tool or a test sets up before the
// plug-in runs (the main window, the open scene, how scripts run and scenes are saved), and
// what it reads back afterwards (the main menu bar, the module the language pack was chosen
// for). Not part of the SDK; the plug-in never includes it.

#include <functional>
#include <string>
#include <vector>

#include "platform/win/window_types.h"

class FPValue;

namespace maxsim {

// Runs a MAXScript text as ExecuteMAXScriptScript would; answers its result (1 ran, 0 failed).
using ScriptRunner = std::function<BOOL(const std::u16string& script, FPValue* result)>;
// Writes the open scene to `path`; true when the file was written.
using SceneSaver = std::function<bool(const std::u16string& path)>;

// A fresh host, whose user-interface thread is the calling one: no scene, no window, scripts that
// fail and saves that fail; no notification registered; the action manager with the host's own
// table only; the menu manager with the main menu bar (context 1) holding the host's own menus
// ("File", "Edit", "Rendering", "Help"). Everything plug-ins handed to the host (tables, callbacks,
// menus) is deleted, so a module must still be loaded when the host is reset.
void ResetHost();

void SetMainWindow(HWND window);

// The open scene's full path; its file name is what follows the last slash or backslash. An
// empty path is an unsaved scene.
void SetCurrentScene(const std::u16string& fullPath);
std::u16string CurrentScenePath();

void SetScriptRunner(ScriptRunner runner);
void SetSceneSaver(SceneSaver saver);

// The result path of the analysis call in a script the plug-in sends (`gMax.analysis "PATH" ""`),
// for runners that stand in for the analysis script; false when the script makes no such call.
bool AnalysisResultPath(const std::u16string& script, std::u16string& path);

// The main menu bar as a user sees it: each entry of a menu is a command (its id and menu
// text), a separator, or a sub-menu (its title and entries).
struct MenuEntry {
    enum class Kind { Command, Separator, SubMenu };
    Kind kind = Kind::Command;
    int command = 0;
    std::u16string text;  // the command's menu text, or the sub-menu's title
    std::vector<MenuEntry> entries;
};
std::vector<MenuEntry> MainMenuBar();

// One call the plug-in made into the host: the SDK function's name and whether it came on the
// host's user-interface thread. The SDK requires every such call to come on that thread.
struct HostCall {
    std::string name;
    bool uiThread = true;
};
using HostCallObserver = std::function<void(const HostCall& call)>;
// Tells `observer` of every call as it is made, on the calling thread; null stops it.
void SetHostCallObserver(HostCallObserver observer);
// Every call that came from another thread since the program started (a reset keeps them).
std::vector<HostCall> OffThreadHostCalls();

// While one exists on a thread, the SDK calls made there are the host's own (a tool looking up
// an action, reading its menus) and are not recorded. Calls into the plug-in must not be made
// inside one, or the plug-in's calls back would go unrecorded too.
class HostOwnCalls {
public:
    HostOwnCalls();
    ~HostOwnCalls();
    HostOwnCalls(const HostOwnCalls&) = delete;
    HostOwnCalls& operator=(const HostOwnCalls&) = delete;
};

// Strings of a plug-in module on Linux. The host reads a module's texts (action names, for
// example) through the module handle, which is the module's base address: it finds the shared
// object loaded there and calls the function it exports under this name, which copies string
// `id` (at most `bufferUnits` - 1 units and a terminating zero) and returns its length, or 0
// when the module has no such string. The host offers buffers of kModuleStringUnits units.
inline constexpr char kModuleStringExport[] = "ZepLoadString";
// String `id` of a module as the host reads it through the module's handle (on Windows from the
// module's string table in the thread's language); empty when it has none.
std::u16string ModuleText(HINSTANCE module, int id);
inline constexpr int kModuleStringUnits = 256;
using ModuleStringLookup = int (*)(int id, char16_t* buffer, int bufferUnits);

}  // namespace maxsim
