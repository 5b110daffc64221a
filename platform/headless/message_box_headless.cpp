// Headless side of the window system's message boxes: no window, no wait. Each box is answered
// at once by the policy and recorded for tests and tools. Boxes come from worker threads too,
// so the record and the policy share one mutex.
#include <mutex>
#include <utility>

#include "platform/win/message_box.h"

namespace win {

namespace {

// The button-set bits of a MessageBox type (MB_TYPEMASK).
constexpr unsigned kButtonSetMask = 0xF;

struct MessageBoxState {
    std::mutex mutex;
    MessageBoxPolicy policy = MessageBoxPolicy::AnswerYesOk;
    std::vector<RecordedMessageBox> shown;
};

MessageBoxState& State() {
    static MessageBoxState state;
    return state;
}

int Answer(MessageBoxPolicy policy, unsigned type) {
    unsigned buttons = type & kButtonSetMask;
    bool yesNo = buttons == kMbYesNo || buttons == kMbYesNoCancel;
    if (policy == MessageBoxPolicy::AnswerYesOk) {
        return yesNo ? kIdYes : kIdOk;
    }
    if (yesNo) {
        return kIdNo;
    }
    return buttons == kMbOk ? kIdOk : kIdCancel;
}

}  // namespace

int MessageBoxEx(WindowHandle owner, const std::u16string& text, const std::u16string& caption,
                 unsigned type, uint16_t languageId) {
    MessageBoxState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    RecordedMessageBox box;
    box.owner = owner;
    box.text = text;
    box.caption = caption;
    box.type = type;
    box.language = languageId;
    box.answer = Answer(state.policy, type);
    state.shown.push_back(box);
    return box.answer;
}

void SetMessageBoxPolicy(MessageBoxPolicy policy) {
    MessageBoxState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.policy = policy;
}

std::vector<RecordedMessageBox> TakeMessageBoxes() {
    MessageBoxState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    return std::exchange(state.shown, {});
}

}  // namespace win
