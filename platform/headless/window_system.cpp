// The core of the headless window system: the window registry, the threads that own windows,
// their mailboxes, modal loops, timers and paints, and dialogs made from templates.
#include "platform/headless/window_system.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <unordered_map>

#include "platform/headless/driver.h"
#include "platform/headless/environment.h"
#include "platform/headless/events.h"
#include "platform/headless/input_queue.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

namespace win::headless {

namespace {

struct ThreadState;

// A call carried out on another thread. The caller waits until `done`.
struct Task {
    std::function<void()> run;
    bool done = false;
    ThreadState* waiter = nullptr;
};

struct ThreadState {
    std::deque<Task*> mailbox;
    std::condition_variable wake;
    int dialogsRunning = 0;        // under the registry lock
    std::vector<HWND> modalStack;  // only the thread itself touches it
    HWND focus = nullptr;          // likewise
};

struct WindowEntry {
    std::thread::id thread;
    int templateId = 0;
    std::unique_ptr<Window> window;
};

struct Registry {
    std::mutex mutex;
    uintptr_t nextHandle = 0x10000;
    std::unordered_map<HWND, WindowEntry> windows;
    std::unordered_map<std::thread::id, ThreadState*> threads;
    int dpi = 96;
    RECT workArea{0, 0, 1920, 1040};
    bool manualClock = false;
    int64_t manualNow = 0;
    DialogTemplateProvider provider = nullptr;
    std::vector<CustomControlClass> customClasses;
    std::mutex observerMutex;
    std::function<void(const WindowEvent&)> observer;
};

// Never destroyed: worker threads may still look windows up while the process exits.
Registry& Reg() {
    static Registry* registry = new Registry;
    return *registry;
}

// The calling thread's state, registered while the thread lives.
class ThreadStateHolder {
public:
    ThreadStateHolder() {
        std::lock_guard<std::mutex> lock(Reg().mutex);
        Reg().threads[std::this_thread::get_id()] = &state_;
    }
    ~ThreadStateHolder() {
        std::lock_guard<std::mutex> lock(Reg().mutex);
        Reg().threads.erase(std::this_thread::get_id());
        // Nothing can be posted here any more: the thread's windows are gone.
        for (Task* task : state_.mailbox) {
            task->done = true;
            task->waiter->wake.notify_all();
        }
    }
    ThreadState& State() { return state_; }

private:
    ThreadState state_;
};

ThreadState& Self() {
    thread_local ThreadStateHolder holder;
    return holder.State();
}

// Runs a task taken from the mailbox and tells its caller.
void Serve(Task* task) {
    task->run();
    std::lock_guard<std::mutex> lock(Reg().mutex);
    task->done = true;
    task->waiter->wake.notify_all();
}

// Serves one call from the calling thread's mailbox; false when there was none.
bool ServeOneTask() {
    ThreadState& self = Self();
    Task* task = nullptr;
    {
        std::lock_guard<std::mutex> lock(Reg().mutex);
        if (self.mailbox.empty()) {
            return false;
        }
        task = self.mailbox.front();
        self.mailbox.pop_front();
    }
    Serve(task);
    return true;
}

// Posts `run` to `target` and waits for it, serving the caller's own mailbox meanwhile. The
// registry lock is held on entry and on return.
void PostAndWait(std::unique_lock<std::mutex>& lock, ThreadState& target,
                 std::function<void()> run) {
    ThreadState& self = Self();
    Task task;
    task.run = std::move(run);
    task.waiter = &self;
    target.mailbox.push_back(&task);
    target.wake.notify_all();
    while (!task.done) {
        if (!self.mailbox.empty()) {
            Task* incoming = self.mailbox.front();
            self.mailbox.pop_front();
            lock.unlock();
            Serve(incoming);
            lock.lock();
            continue;
        }
        self.wake.wait(lock);
    }
}

ControlKind KindOf(const ControlTemplate& control) {
    std::u16string name(control.className);
    for (char16_t& c : name) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    if (name == u"BUTTON") {
        switch (control.style & 0xF) {
            case 2:
            case 3:
            case 5:
            case 6:
                return ControlKind::CheckBox;
            case 4:
            case 9:
                return ControlKind::RadioButton;
            case 7:
                return ControlKind::GroupBox;
            default:
                return ControlKind::PushButton;
        }
    }
    if (name == u"EDIT") {
        return ControlKind::Edit;
    }
    if (name == u"STATIC") {
        return ControlKind::Static;
    }
    if (name == u"LISTBOX") {
        return ControlKind::ListBox;
    }
    if (name == u"COMBOBOX") {
        return ControlKind::ComboBox;
    }
    if (name == u"SYSLISTVIEW32") {
        return ControlKind::ListView;
    }
    if (name == u"MSCTLS_UPDOWN32") {
        return ControlKind::UpDown;
    }
    return ControlKind::Custom;
}

constexpr DWORD kDsCenter = 0x0800;
constexpr DWORD kUdsAutoBuddy = 0x0010;

// The frame around a dialog's client area at 96 dots per inch.
constexpr int kBorderPixels = 3;
constexpr int kCaptionPixels = 23;

int Scaled(int pixels, int dpi) {
    return (pixels * dpi + 48) / 96;
}

Window& CreateDialogFromTemplate(const DialogTemplate& dialogTemplate, HWND owner, DLGPROC proc) {
    int dpi = ScreenDpi();
    Window& dialog = CreateWindowObject(nullptr, ControlKind::Dialog);
    dialog.templateId = dialogTemplate.id;
    dialog.className = u"#32770";
    dialog.text = std::u16string(dialogTemplate.caption);
    dialog.style = dialogTemplate.style;
    dialog.exStyle = dialogTemplate.exStyle;
    dialog.proc = proc;
    dialog.owner = owner;
    dialog.visible = false;
    dialog.dpiScale = dpi / 96.0;
    {
        std::lock_guard<std::mutex> lock(Reg().mutex);
        Reg().windows[dialog.handle].templateId = dialogTemplate.id;
    }

    int border = Scaled(kBorderPixels, dpi);
    int caption = (dialog.style & WS_CAPTION) == WS_CAPTION ? Scaled(kCaptionPixels, dpi) : 0;
    int width = DialogUnitsToPixelsX(dialogTemplate.cx, dpi) + 2 * border;
    int height = DialogUnitsToPixelsY(dialogTemplate.cy, dpi) + 2 * border + caption;
    RECT origin{0, 0, 0, 0};
    if (owner != nullptr) {
        win::GetWindowRect(owner, origin);
    }
    int x = origin.left + DialogUnitsToPixelsX(dialogTemplate.x, dpi);
    int y = origin.top + DialogUnitsToPixelsY(dialogTemplate.y, dpi);
    if ((dialog.style & kDsCenter) != 0) {
        RECT area;
        win::GetWorkArea(area);
        x = area.left + (area.right - area.left - width) / 2;
        y = area.top + (area.bottom - area.top - height) / 2;
    }
    dialog.rect = RECT{x, y, x + width, y + height};

    Window* previous = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        Window& child = CreateWindowObject(dialog.handle, KindOf(control));
        child.id = control.id;
        child.className = std::u16string(control.className);
        child.text = std::u16string(control.text);
        child.style = control.style;
        child.exStyle = control.exStyle;
        child.visible = (control.style & WS_VISIBLE) != 0;
        child.enabled = (control.style & WS_DISABLED) == 0;
        int left = DialogUnitsToPixelsX(control.x, dpi);
        int top = DialogUnitsToPixelsY(control.y, dpi);
        child.rect = RECT{left, top, left + DialogUnitsToPixelsX(control.cx, dpi),
                          top + DialogUnitsToPixelsY(control.cy, dpi)};
        if (child.kind == ControlKind::UpDown && (control.style & kUdsAutoBuddy) != 0 &&
            previous != nullptr) {
            child.buddy = previous->handle;
        }
        if (child.kind == ControlKind::Custom) {
            child.custom = FindCustomControlClass(child.className);
        }
        previous = &child;
    }
    return dialog;
}

void Emit(const WindowEvent& event) {
    Registry& reg = Reg();
    std::lock_guard<std::mutex> lock(reg.observerMutex);
    if (reg.observer) {
        reg.observer(event);
    }
}

// Sends WM_PAINT to a visible dialog of the thread that waits for one.
bool PaintOnePendingDialog() {
    for (HWND handle : std::vector<HWND>(Self().modalStack)) {
        Window* dialog = OwnWindow(handle);
        if (dialog != nullptr && dialog->paintPending && dialog->visible) {
            dialog->paintPending = false;
            CallDialogProc(*dialog, WM_PAINT, 0, 0);
            return true;
        }
    }
    return false;
}

// Sends WM_TIMER for one timer of the thread's dialogs that has fallen due.
bool FireOneDueTimer() {
    int64_t now = NowMs();
    for (HWND handle : std::vector<HWND>(Self().modalStack)) {
        Window* dialog = OwnWindow(handle);
        if (dialog == nullptr) {
            continue;
        }
        for (auto& [timerId, timer] : dialog->timers) {
            if (timer.due <= now) {
                timer.due = now + timer.elapseMs;
                CallDialogProc(*dialog, WM_TIMER, timerId, 0);
                return true;
            }
        }
    }
    return false;
}

void FireAllDueTimers() {
    while (FireOneDueTimer()) {
    }
}

// The earliest due time of the thread's timers; INT64_MAX when none runs.
int64_t NextTimerDue() {
    int64_t next = INT64_MAX;
    for (HWND handle : std::vector<HWND>(Self().modalStack)) {
        Window* dialog = OwnWindow(handle);
        if (dialog == nullptr) {
            continue;
        }
        for (const auto& entry : dialog->timers) {
            next = std::min(next, entry.second.due);
        }
    }
    return next;
}

// Waits until the mailbox has a call or a timer falls due. A loop that starves for input waits
// at most the starvation wait; false when that passed with nothing to do.
bool WaitForWork(bool starving) {
    ThreadState& self = Self();
    int64_t nextDue = NextTimerDue();
    int64_t now = NowMs();
    using Clock = std::chrono::steady_clock;
    std::unique_lock<std::mutex> lock(Reg().mutex);
    if (!self.mailbox.empty()) {
        return true;
    }
    bool timerRuns = nextDue != INT64_MAX && !Reg().manualClock;
    Clock::time_point timerDue = Clock::now();
    if (timerRuns) {
        timerDue += std::chrono::milliseconds(std::max<int64_t>(0, nextDue - now));
    }
    if (starving) {
        Clock::time_point giveUp = Clock::now() + StarvationPatience();
        if (timerRuns && timerDue < giveUp) {
            self.wake.wait_until(lock, timerDue);
            return true;
        }
        bool woken = self.wake.wait_until(lock, giveUp) == std::cv_status::no_timeout;
        return woken || !self.mailbox.empty();
    }
    if (timerRuns) {
        self.wake.wait_until(lock, timerDue);
    } else {
        self.wake.wait(lock);
    }
    return true;
}

void RunModalLoop(Window& dialog) {
    HWND handle = dialog.handle;
    while (true) {
        if (ServeOneTask()) {
            continue;
        }
        Window* live = OwnWindow(handle);
        if (live == nullptr || live->ended) {
            return;
        }
        if (PaintOnePendingDialog() || FireOneDueTimer()) {
            continue;
        }
        bool innermost = !Self().modalStack.empty() && Self().modalStack.back() == handle;
        if (innermost && RunOneInput()) {
            continue;
        }
        bool starving = innermost && !HasQueuedInput();
        if (!WaitForWork(starving)) {
            ReportStarvation(handle);
        }
    }
}

}  // namespace

// --- the registry ---------------------------------------------------------------------------

Window* OwnWindow(HWND handle) {
    std::lock_guard<std::mutex> lock(Reg().mutex);
    auto found = Reg().windows.find(handle);
    if (found == Reg().windows.end() || found->second.thread != std::this_thread::get_id()) {
        return nullptr;
    }
    return found->second.window.get();
}

LRESULT OnWindowThread(HWND handle, LRESULT failure,
                       const std::function<LRESULT(Window&)>& action) {
    Self();
    std::unique_lock<std::mutex> lock(Reg().mutex);
    auto found = Reg().windows.find(handle);
    if (found == Reg().windows.end()) {
        return failure;
    }
    if (found->second.thread == std::this_thread::get_id()) {
        Window* window = found->second.window.get();
        lock.unlock();
        return action(*window);
    }
    auto owner = Reg().threads.find(found->second.thread);
    if (owner == Reg().threads.end()) {
        return failure;
    }
    LRESULT result = failure;
    PostAndWait(lock, *owner->second, [&] {
        Window* window = OwnWindow(handle);
        if (window != nullptr) {
            result = action(*window);
        }
    });
    return result;
}

Window& CreateWindowObject(HWND parent, ControlKind kind) {
    Self();
    auto window = std::make_unique<Window>();
    Window& created = *window;
    created.kind = kind;
    created.thread = std::this_thread::get_id();
    created.parent = parent;
    {
        std::lock_guard<std::mutex> lock(Reg().mutex);
        created.handle = reinterpret_cast<HWND>(Reg().nextHandle);
        Reg().nextHandle += 0x10;
        WindowEntry& entry = Reg().windows[created.handle];
        entry.thread = created.thread;
        entry.window = std::move(window);
    }
    if (parent != nullptr) {
        if (Window* parentWindow = OwnWindow(parent)) {
            parentWindow->children.push_back(created.handle);
        }
    }
    return created;
}

void DestroyWindowTree(HWND handle) {
    Window* window = OwnWindow(handle);
    if (window == nullptr) {
        return;
    }
    std::vector<HWND> children = window->children;
    for (HWND child : children) {
        DestroyWindowTree(child);
    }
    if (Self().focus == handle) {
        Self().focus = nullptr;
    }
    std::unique_ptr<Window> doomed;
    {
        std::lock_guard<std::mutex> lock(Reg().mutex);
        auto found = Reg().windows.find(handle);
        doomed = std::move(found->second.window);
        Reg().windows.erase(found);
    }
    // Calls posted before the window went are answered now, as failures.
    while (ServeOneTask()) {
    }
}

Window* DialogOf(Window& window) {
    if (window.kind == ControlKind::Dialog) {
        return &window;
    }
    return window.parent != nullptr ? OwnWindow(window.parent) : nullptr;
}

Window* ChildById(Window& dialog, int id) {
    for (HWND child : dialog.children) {
        Window* window = OwnWindow(child);
        if (window != nullptr && window->id == id) {
            return window;
        }
    }
    return nullptr;
}

INT_PTR CallDialogProc(Window& dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (dialog.proc == nullptr) {
        return 0;
    }
    HWND handle = dialog.handle;
    INT_PTR handled = dialog.proc(handle, message, wParam, lParam);
    Window* live = OwnWindow(handle);
    if (live == nullptr) {
        return 0;
    }
    if (message == WM_NOTIFY) {
        return handled != 0 ? live->msgResult : 0;
    }
    if (message == WM_CLOSE && handled == 0) {
        // The dialog manager turns an unhandled close into Cancel.
        Window* cancel = ChildById(*live, IDCANCEL);
        CallDialogProc(*live, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(cancel != nullptr ? cancel->handle : nullptr));
    }
    return handled;
}

void NotifyCommand(Window& control, UINT code) {
    Window* dialog = DialogOf(control);
    if (dialog == nullptr || dialog == &control) {
        return;
    }
    CallDialogProc(*dialog, WM_COMMAND,
                   MAKEWPARAM(static_cast<uint16_t>(control.id), static_cast<uint16_t>(code)),
                   reinterpret_cast<LPARAM>(control.handle));
}

LRESULT NotifyParent(Window& control, NMHDR& header) {
    Window* dialog = DialogOf(control);
    if (dialog == nullptr || dialog == &control) {
        return 0;
    }
    header.hwndFrom = control.handle;
    header.idFrom = static_cast<UINT_PTR>(control.id);
    return CallDialogProc(*dialog, WM_NOTIFY, static_cast<WPARAM>(control.id),
                          reinterpret_cast<LPARAM>(&header));
}

void InvalidateDialog(Window& window) {
    if (Window* dialog = DialogOf(window)) {
        dialog->paintPending = true;
    }
}

int64_t NowMs() {
    {
        std::lock_guard<std::mutex> lock(Reg().mutex);
        if (Reg().manualClock) {
            return Reg().manualNow;
        }
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

const std::vector<HWND>& ModalStack() {
    return Self().modalStack;
}

// MulDiv rounding: 6 pixels per 4 units and 13 per 8 at 96 dots per inch.
int DialogUnitsToPixelsX(int units, int dpi) {
    return static_cast<int>((static_cast<int64_t>(units) * 6 * dpi + 192) / 384);
}

int DialogUnitsToPixelsY(int units, int dpi) {
    return static_cast<int>((static_cast<int64_t>(units) * 13 * dpi + 384) / 768);
}

int ScreenDpi() {
    std::lock_guard<std::mutex> lock(Reg().mutex);
    return Reg().dpi;
}

void PumpUntil(const std::function<bool()>& done) {
    while (!done()) {
        if (ServeOneTask() || PaintOnePendingDialog() || FireOneDueTimer()) {
            continue;
        }
        ThreadState& self = Self();
        std::unique_lock<std::mutex> lock(Reg().mutex);
        if (self.mailbox.empty()) {
            // Other threads' progress is seen by polling; calls and clock moves wake us early.
            self.wake.wait_for(lock, std::chrono::milliseconds(2));
        }
    }
}

HWND ThreadFocus() {
    return Self().focus;
}

void SetThreadFocus(HWND window) {
    Self().focus = window;
}

// --- the environment ------------------------------------------------------------------------

void SetScreenDpi(int dpi) {
    std::lock_guard<std::mutex> lock(Reg().mutex);
    Reg().dpi = dpi;
}

void SetWorkArea(const RECT& workArea) {
    std::lock_guard<std::mutex> lock(Reg().mutex);
    Reg().workArea = workArea;
}

RECT ScreenWorkArea() {
    std::lock_guard<std::mutex> lock(Reg().mutex);
    return Reg().workArea;
}

void UseManualClock(bool manual) {
    int64_t now = NowMs();
    std::lock_guard<std::mutex> lock(Reg().mutex);
    if (manual && !Reg().manualClock) {
        Reg().manualNow = now;
    }
    Reg().manualClock = manual;
}

void AdvanceClock(int64_t milliseconds) {
    ThreadState* self = &Self();
    std::unique_lock<std::mutex> lock(Reg().mutex);
    Reg().manualNow += milliseconds;
    std::vector<std::thread::id> others;
    for (auto& entry : Reg().threads) {
        if (entry.second != self && entry.second->dialogsRunning > 0) {
            others.push_back(entry.first);
        }
    }
    // Each thread that runs a dialog fires what fell due before it answers.
    for (std::thread::id other : others) {
        auto found = Reg().threads.find(other);
        if (found != Reg().threads.end() && found->second->dialogsRunning > 0) {
            PostAndWait(lock, *found->second, FireAllDueTimers);
        }
    }
    lock.unlock();
    FireAllDueTimers();
}

void SetDialogTemplateProvider(DialogTemplateProvider provider) {
    std::lock_guard<std::mutex> lock(Reg().mutex);
    Reg().provider = provider;
}

void RegisterCustomControlClass(CustomControlClass controlClass) {
    std::lock_guard<std::mutex> lock(Reg().mutex);
    for (CustomControlClass& known : Reg().customClasses) {
        if (known.className == controlClass.className) {
            known = std::move(controlClass);
            return;
        }
    }
    Reg().customClasses.push_back(std::move(controlClass));
}

const CustomControlClass* FindCustomControlClass(const std::u16string& className) {
    auto fold = [](std::u16string text) {
        for (char16_t& c : text) {
            if (c >= u'A' && c <= u'Z') {
                c = static_cast<char16_t>(c - u'A' + u'a');
            }
        }
        return text;
    };
    std::lock_guard<std::mutex> lock(Reg().mutex);
    for (const CustomControlClass& known : Reg().customClasses) {
        if (fold(known.className) == fold(className)) {
            return &known;
        }
    }
    return nullptr;
}

void SetEventObserver(std::function<void(const WindowEvent&)> observer) {
    std::lock_guard<std::mutex> lock(Reg().observerMutex);
    Reg().observer = std::move(observer);
}

int DialogTemplateId(HWND window) {
    std::lock_guard<std::mutex> lock(Reg().mutex);
    auto found = Reg().windows.find(window);
    return found == Reg().windows.end() ? 0 : found->second.templateId;
}

void EmitEvent(const WindowEvent& event) {
    Emit(event);
}

}  // namespace win::headless

// --- modal dialogs --------------------------------------------------------------------------

namespace win {

using headless::CallDialogProc;
using headless::OwnWindow;
using headless::Window;

INT_PTR DialogBoxParam(HINSTANCE module, int templateId, HWND owner, DLGPROC proc,
                       LPARAM initParam) {
    headless::DialogTemplateProvider provider = nullptr;
    {
        std::lock_guard<std::mutex> lock(headless::Reg().mutex);
        provider = headless::Reg().provider;
    }
    const headless::DialogTemplate* dialogTemplate =
        provider != nullptr ? provider(module, templateId) : nullptr;
    if (dialogTemplate == nullptr) {
        return -1;
    }
    Window& dialog = headless::CreateDialogFromTemplate(*dialogTemplate, owner, proc);
    HWND handle = dialog.handle;
    headless::WindowEvent opened;
    opened.type = headless::WindowEvent::Type::DialogOpened;
    opened.dialog = handle;
    opened.dialogId = templateId;
    headless::Emit(opened);

    bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner) != FALSE;
    if (ownerWasEnabled) {
        EnableWindow(owner, FALSE);
    }
    headless::Self().modalStack.push_back(handle);
    {
        std::lock_guard<std::mutex> lock(headless::Reg().mutex);
        ++headless::Self().dialogsRunning;
    }
    HWND firstChild = GetWindow(handle, GW_CHILD);
    if (CallDialogProc(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstChild), initParam) !=
        0) {
        headless::SetThreadFocus(firstChild);
    }
    if (Window* live = OwnWindow(handle); live != nullptr && !live->ended) {
        live->visible = true;
        live->paintPending = true;
        headless::RunModalLoop(*live);
    }
    INT_PTR result = 0;
    if (Window* live = OwnWindow(handle)) {
        result = live->result;
        if (ownerWasEnabled) {
            EnableWindow(owner, TRUE);
        }
        live->visible = false;
        CallDialogProc(*live, WM_DESTROY, 0, 0);
    }
    headless::WindowEvent ended;
    ended.type = headless::WindowEvent::Type::DialogEnded;
    ended.dialog = handle;
    ended.dialogId = templateId;
    ended.result = result;
    headless::Emit(ended);
    headless::DestroyWindowTree(handle);
    std::vector<HWND>& stack = headless::Self().modalStack;
    stack.erase(std::remove(stack.begin(), stack.end(), handle), stack.end());
    {
        std::lock_guard<std::mutex> lock(headless::Reg().mutex);
        --headless::Self().dialogsRunning;
    }
    return result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    return headless::WithWindow<BOOL>(dialog, FALSE, [&](Window& window) -> BOOL {
        if (window.kind != headless::ControlKind::Dialog) {
            return FALSE;
        }
        window.ended = true;
        window.result = result;
        return TRUE;
    });
}

UINT_PTR SetTimer(HWND window, UINT_PTR timerId, UINT elapseMs) {
    return headless::WithWindow<UINT_PTR>(window, 0, [&](Window& target) -> UINT_PTR {
        target.timers[timerId] = headless::Timer{elapseMs, headless::NowMs() + elapseMs};
        return timerId;
    });
}

BOOL KillTimer(HWND window, UINT_PTR timerId) {
    return headless::WithWindow<BOOL>(window, FALSE, [&](Window& target) -> BOOL {
        return target.timers.erase(timerId) > 0 ? TRUE : FALSE;
    });
}

}  // namespace win
