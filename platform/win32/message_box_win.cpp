// Windows side of the window system's message boxes: MessageBoxExW. Tests and tools that act
// as the user answer the boxes of a thread through a CBT hook: when a box of the thread is
// activated, the next queued answer (else the policy's) is posted to it as the press of that
// button. Without answers or a policy, boxes wait for a person. Boxes shown are recorded.
#include <windows.h>

#include <deque>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/win/message_box.h"
#include "platform/win32/modal_frames.h"
#include "platform/win32/wide_text.h"

namespace win {

namespace {

struct Answers {
    std::mutex mutex;
    std::optional<MessageBoxPolicy> policy;
    std::deque<int> queued;
    std::vector<RecordedMessageBox> shown;
};

Answers& State() {
    static Answers* answers = new Answers;
    return *answers;
}

thread_local HHOOK t_hook = nullptr;

bool HasButton(HWND box, int id) {
    return ::GetDlgItem(box, id) != nullptr;
}

// The queued answer, fitted to the box's buttons as the headless boxes fit it, else the
// policy's; 0 when the box is left to a person.
int AnswerFor(HWND box) {
    Answers& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    const bool yesNo = HasButton(box, kIdYes);
    if (!state.queued.empty()) {
        int answer = state.queued.front();
        state.queued.pop_front();
        if (HasButton(box, answer)) {
            return answer;
        }
        if (yesNo) {
            return answer == kIdOk ? kIdYes : (HasButton(box, kIdCancel) ? kIdCancel : kIdNo);
        }
        return answer == kIdYes && HasButton(box, kIdOk) ? kIdOk
               : HasButton(box, kIdCancel)               ? kIdCancel
                                                         : kIdOk;
    }
    if (!state.policy) {
        return 0;
    }
    if (*state.policy == MessageBoxPolicy::AnswerYesOk) {
        return yesNo ? kIdYes : kIdOk;
    }
    if (yesNo) {
        return kIdNo;
    }
    return HasButton(box, kIdCancel) ? kIdCancel : kIdOk;
}

bool IsMessageBox(HWND window) {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    // A box is a system dialog with the static text of a message box (id 0xFFFF), and none of
    // the seam's own dialogs.
    return ::lstrcmpW(name, L"#32770") == 0 && ::GetDlgItem(window, 0xFFFF) != nullptr &&
           window != win32::InnermostDialog();
}

LRESULT CALLBACK OnActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        try {
            HWND window = reinterpret_cast<HWND>(wParam);
            if (IsMessageBox(window)) {
                if (int answer = AnswerFor(window)) {
                    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(::GetDlgItem(window, answer)));
                }
            }
        } catch (...) {
            // Nothing may leave a hook into the system; the box waits for a person.
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void HookThisThread() {
    if (t_hook == nullptr) {
        t_hook = ::SetWindowsHookExW(WH_CBT, OnActivation, nullptr, ::GetCurrentThreadId());
    }
}

}  // namespace

// Every box is also recorded and told to the event observer, as on the headless screen, for
// the tools that report a session.
int MessageBoxEx(HWND owner, const std::u16string& text, const std::u16string& caption,
                 unsigned type, uint16_t languageId) {
    RecordedMessageBox box{owner, text, caption, type, languageId, 0};
    bool answered = false;
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        answered = State().policy.has_value() || !State().queued.empty();
    }
    if (answered) {
        HookThisThread();  // boxes of worker threads are answered too
    }
    box.answer = ::MessageBoxExW(owner, Wide(text), Wide(caption), type, languageId);
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        State().shown.push_back(box);
    }
    headless::WindowEvent event;
    event.type = headless::WindowEvent::Type::MessageBox;
    event.dialog = owner;
    event.dialogId = headless::DialogTemplateId(owner);
    event.box = box;
    win32::EmitWindowEvent(event);
    return box.answer;
}

void SetMessageBoxPolicy(MessageBoxPolicy policy) {
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        State().policy = policy;
    }
    HookThisThread();
}

void QueueMessageBoxAnswer(int answer) {
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        State().queued.push_back(answer);
    }
    HookThisThread();
}

void ClearMessageBoxAnswers() {
    std::lock_guard<std::mutex> lock(State().mutex);
    State().queued.clear();
}

std::vector<RecordedMessageBox> TakeMessageBoxes() {
    std::lock_guard<std::mutex> lock(State().mutex);
    return std::exchange(State().shown, {});
}

}  // namespace win
