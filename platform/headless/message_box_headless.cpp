// Headless side of the window system's message boxes: no window, no wait. Each box takes the
// next queued answer, else the policy's, and is recorded for tests and tools and told to the
// event observer. Boxes come from worker threads too, so the record, the answers and the
// policy share one mutex.
#include <deque>
#include <mutex>
#include <utility>

#include "platform/headless/events.h"
#include "platform/headless/window_system.h"
#include "platform/win/message_box.h"

namespace win {

namespace {

// The button-set bits of a MessageBox type (MB_TYPEMASK).
constexpr unsigned kButtonSetMask = 0xF;

struct MessageBoxState {
    std::mutex mutex;
    MessageBoxPolicy policy = MessageBoxPolicy::AnswerYesOk;
    std::deque<int> answers;
    std::vector<RecordedMessageBox> shown;
};

MessageBoxState& State() {
    static MessageBoxState* state = new MessageBoxState;
    return *state;
}

bool IsYesNo(unsigned type) {
    unsigned buttons = type & kButtonSetMask;
    return buttons == kMbYesNo || buttons == kMbYesNoCancel;
}

int PolicyAnswer(MessageBoxPolicy policy, unsigned type) {
    unsigned buttons = type & kButtonSetMask;
    if (policy == MessageBoxPolicy::AnswerYesOk) {
        return IsYesNo(type) ? kIdYes : kIdOk;
    }
    if (IsYesNo(type)) {
        return kIdNo;
    }
    return buttons == kMbOk ? kIdOk : kIdCancel;
}

// A queued answer pressed on a box that lacks its button: Yes stands for OK and No for Cancel
// (and the other way round); an OK box can only be answered OK.
int FitAnswer(int answer, unsigned type) {
    unsigned buttons = type & kButtonSetMask;
    if (buttons == kMbOk) {
        return kIdOk;
    }
    if (IsYesNo(type)) {
        if (answer == kIdOk) {
            return kIdYes;
        }
        if (answer == kIdCancel && buttons == kMbYesNo) {
            return kIdNo;
        }
        return answer;
    }
    if (answer == kIdYes) {
        return kIdOk;
    }
    return answer == kIdNo ? kIdCancel : answer;
}

}  // namespace

int MessageBoxEx(HWND owner, const std::u16string& text, const std::u16string& caption,
                 unsigned type, uint16_t languageId) {
    MessageBoxState& state = State();
    RecordedMessageBox box;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        box.owner = owner;
        box.text = text;
        box.caption = caption;
        box.type = type;
        box.language = languageId;
        if (state.answers.empty()) {
            box.answer = PolicyAnswer(state.policy, type);
        } else {
            box.answer = FitAnswer(state.answers.front(), type);
            state.answers.pop_front();
        }
        state.shown.push_back(box);
    }
    headless::WindowEvent event;
    event.type = headless::WindowEvent::Type::MessageBox;
    event.dialog = owner;
    event.dialogId = headless::DialogTemplateId(owner);
    event.box = box;
    headless::EmitEvent(event);
    return box.answer;
}

void SetMessageBoxPolicy(MessageBoxPolicy policy) {
    MessageBoxState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.policy = policy;
}

void QueueMessageBoxAnswer(int answer) {
    MessageBoxState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.answers.push_back(answer);
}

void ClearMessageBoxAnswers() {
    MessageBoxState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.answers.clear();
}

std::vector<RecordedMessageBox> TakeMessageBoxes() {
    MessageBoxState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    return std::exchange(state.shown, {});
}

}  // namespace win
