// Windows side of the window functions and modal dialogs. Win32 calls, plus the small frame
// procedure every modal dialog of the seam runs behind (see modal_frames.h).
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <mutex>
#include <vector>

#include "platform/headless/driver.h"
#include "platform/headless/input_queue.h"
#include "platform/win/thread_language.h"
#include "platform/win/window.h"
#include "platform/win32/modal_frames.h"
#include "platform/win32/wide_text.h"

namespace win {

namespace {

constexpr wchar_t kFrameProperty[] = L"zep.modal.frame";
// The manifest resource that asks for common controls 6 (ISOLATIONAWARE_MANIFEST_RESOURCE_ID).
constexpr WORD kManifestResource = 2;

struct Frame {
    DLGPROC proc = nullptr;
    LPARAM initParam = 0;
    int templateId = 0;
    HWND window = nullptr;
};

thread_local std::vector<HWND> t_modalDialogs;

// The activation context of the module's manifest, made once per module; null when the module
// has none.
HANDLE ActivationContext(HINSTANCE module) {
    static std::mutex mutex;
    static std::map<HINSTANCE, HANDLE> contexts;
    std::lock_guard<std::mutex> lock(mutex);
    auto found = contexts.find(module);
    if (found != contexts.end()) {
        return found->second;
    }
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(module, path, MAX_PATH);
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path;
    request.hModule = module;
    request.lpResourceName = MAKEINTRESOURCEW(kManifestResource);
    HANDLE context = ::CreateActCtxW(&request);
    if (context == INVALID_HANDLE_VALUE) {
        context = nullptr;
    }
    contexts.emplace(module, context);
    return context;
}

// Re-arms the dialog's input timer, or its starvation timer when no input is queued.
void ArmTimers(HWND dialog) {
    if (headless::HasQueuedInput()) {
        ::SetTimer(dialog, win32::kInputTimer, USER_TIMER_MINIMUM, nullptr);
    } else {
        ::SetTimer(dialog, win32::kStarvationTimer,
                   static_cast<UINT>(headless::StarvationPatience().count()), nullptr);
    }
}

// Whether the dialog still has to appear or paint: the dialog manager shows a dialog at its
// loop's first idle moment, and a person acts only on what is drawn. A dialog that stays hidden
// takes its input after a while all the same.
bool StillAppearing(HWND dialog) {
    constexpr int kMostWaits = 50;
    thread_local int t_waits = 0;
    const bool painting = (HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT) != 0;
    if ((painting || !::IsWindowVisible(dialog)) && t_waits < kMostWaits) {
        ++t_waits;
        return true;
    }
    t_waits = 0;
    return false;
}

void TakeInput(HWND dialog) {
    ::KillTimer(dialog, win32::kInputTimer);
    if (dialog != win32::InnermostDialog()) {
        return;  // a nested dialog takes the input
    }
    if (StillAppearing(dialog)) {
        ::SetTimer(dialog, win32::kInputTimer, USER_TIMER_MINIMUM, nullptr);
        return;
    }
    headless::RunOneInput();
    if (::IsWindow(dialog) && dialog == win32::InnermostDialog()) {
        ArmTimers(dialog);
    }
}

void CheckStarvation(HWND dialog) {
    ::KillTimer(dialog, win32::kStarvationTimer);
    if (dialog == win32::InnermostDialog() && !headless::HasQueuedInput()) {
        headless::ReportStarvation(dialog);
    }
}

INT_PTR FrameMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* frame = reinterpret_cast<Frame*>(lParam);
        ::SetPropW(dialog, kFrameProperty, frame);
        frame->window = dialog;
        t_modalDialogs.push_back(dialog);
        headless::WindowEvent opened;
        opened.type = headless::WindowEvent::Type::DialogOpened;
        opened.dialog = dialog;
        opened.dialogId = frame->templateId;
        win32::EmitWindowEvent(opened);
        INT_PTR result = frame->proc(dialog, message, wParam, frame->initParam);
        if (::IsWindow(dialog)) {
            ArmTimers(dialog);
        }
        return result;
    }
    auto* frame = static_cast<Frame*>(::GetPropW(dialog, kFrameProperty));
    if (frame == nullptr) {
        return FALSE;
    }
    if (message == win32::kEndDialogMessage) {
        ::EndDialog(dialog, static_cast<INT_PTR>(wParam));
        return TRUE;
    }
    if (message == WM_TIMER && wParam == win32::kInputTimer) {
        TakeInput(dialog);
        return TRUE;
    }
    if (message == WM_TIMER && wParam == win32::kStarvationTimer) {
        CheckStarvation(dialog);
        return TRUE;
    }
    if (!headless::HasQueuedInput() && dialog == win32::InnermostDialog()) {
        ::SetTimer(dialog, win32::kStarvationTimer,
                   static_cast<UINT>(headless::StarvationPatience().count()), nullptr);
    }
    INT_PTR result = frame->proc(dialog, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::RemovePropW(dialog, kFrameProperty);
        std::erase(t_modalDialogs, dialog);
    }
    return result;
}

// Nothing may leave a dialog procedure into the system's dialog manager. The procedures behind
// the frame log their own failures; the frame's own work (its bookkeeping, the events, the
// queued input) is below the plug-in's log and fails without a line.
INT_PTR CALLBACK FrameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return FrameMessage(dialog, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

namespace win32 {

HWND InnermostDialog() {
    return t_modalDialogs.empty() ? nullptr : t_modalDialogs.back();
}

void WakeInnermostDialog() {
    if (HWND dialog = InnermostDialog()) {
        ::SetTimer(dialog, kInputTimer, USER_TIMER_MINIMUM, nullptr);
    }
}

}  // namespace win32

namespace headless {

int DialogTemplateId(HWND window) {
    auto* frame = static_cast<Frame*>(::GetPropW(window, kFrameProperty));
    return frame != nullptr ? frame->templateId : 0;
}

}  // namespace headless

INT_PTR DialogBoxParam(HINSTANCE module, int templateId, HWND owner, DLGPROC proc,
                       LPARAM initParam) {
    HANDLE context = ActivationContext(module);
    ULONG_PTR cookie = 0;
    const bool activated = context != nullptr && ::ActivateActCtx(context, &cookie) != FALSE;
    INITCOMMONCONTROLSEX classes{sizeof(classes),
                                 ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
    Frame frame{proc, initParam, templateId};
    INT_PTR result = ::DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), owner, FrameProc,
                                       reinterpret_cast<LPARAM>(&frame));
    if (activated) {
        ::DeactivateActCtx(0, cookie);
    }
    if (result != -1) {
        headless::WindowEvent ended;
        ended.type = headless::WindowEvent::Type::DialogEnded;
        ended.dialog = frame.window;
        ended.dialogId = templateId;
        ended.result = result;
        win32::EmitWindowEvent(ended);
    }
    return result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    if (::GetWindowThreadProcessId(dialog, nullptr) != ::GetCurrentThreadId()) {
        return ::PostMessageW(dialog, win32::kEndDialogMessage, static_cast<WPARAM>(result), 0);
    }
    return ::EndDialog(dialog, result);
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(window, message, wParam, lParam);
}

BOOL IsWindow(HWND window) {
    return ::IsWindow(window);
}

HWND GetDlgItem(HWND dialog, int controlId) {
    return ::GetDlgItem(dialog, controlId);
}

int GetDlgCtrlID(HWND window) {
    return ::GetDlgCtrlID(window);
}

HWND GetParent(HWND window) {
    return ::GetParent(window);
}

HWND GetWindow(HWND window, UINT relation) {
    return ::GetWindow(window, relation);
}

BOOL SetWindowText(HWND window, const std::u16string& text) {
    return ::SetWindowTextW(window, Wide(text));
}

std::u16string GetWindowText(HWND window, int bufferUnits) {
    if (bufferUnits <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(bufferUnits), L'\0');
    ::GetWindowTextW(window, buffer.data(), bufferUnits);
    return FromBuffer(buffer);
}

int GetWindowTextLength(HWND window) {
    return ::GetWindowTextLengthW(window);
}

BOOL SetDlgItemText(HWND dialog, int controlId, const std::u16string& text) {
    return ::SetDlgItemTextW(dialog, controlId, Wide(text));
}

std::u16string GetDlgItemText(HWND dialog, int controlId, int bufferUnits) {
    if (bufferUnits <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(bufferUnits), L'\0');
    ::GetDlgItemTextW(dialog, controlId, buffer.data(), bufferUnits);
    return FromBuffer(buffer);
}

BOOL EnableWindow(HWND window, BOOL enable) {
    return ::EnableWindow(window, enable);
}

BOOL IsWindowEnabled(HWND window) {
    return ::IsWindowEnabled(window);
}

BOOL ShowWindow(HWND window, int command) {
    return ::ShowWindow(window, command);
}

BOOL IsWindowVisible(HWND window) {
    return ::IsWindowVisible(window);
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    return ::SetWindowPos(window, insertAfter, x, y, width, height, flags);
}

BOOL GetWindowRect(HWND window, RECT& rect) {
    return ::GetWindowRect(window, &rect);
}

BOOL GetClientRect(HWND window, RECT& rect) {
    return ::GetClientRect(window, &rect);
}

BOOL ScreenToClient(HWND window, POINT& point) {
    return ::ScreenToClient(window, &point);
}

LONG_PTR GetWindowLongPtr(HWND window, int index) {
    return ::GetWindowLongPtrW(window, index);
}

LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value) {
    return ::SetWindowLongPtrW(window, index, value);
}

HWND SetFocus(HWND window) {
    return ::SetFocus(window);
}

HWND GetFocus() {
    return ::GetFocus();
}

UINT_PTR SetTimer(HWND window, UINT_PTR timerId, UINT elapseMs) {
    return ::SetTimer(window, timerId, elapseMs, nullptr);
}

BOOL KillTimer(HWND window, UINT_PTR timerId) {
    return ::KillTimer(window, timerId);
}

HMENU GetSystemMenu(HWND window, BOOL revert) {
    return ::GetSystemMenu(window, revert);
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    return ::RemoveMenu(menu, position, flags);
}

}  // namespace win

namespace win {

ThreadLanguage GetThreadLanguage() {
    return ThreadLanguage{::GetThreadUILanguage(), ::GetThreadLocale()};
}

void SetThreadLanguage(const ThreadLanguage& language) {
    ::SetThreadUILanguage(language.uiLanguage);
    ::SetThreadLocale(language.locale);
}

}  // namespace win
