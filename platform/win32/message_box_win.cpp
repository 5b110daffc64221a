// Windows side of the window system's message boxes. Win32 calls only.
#include <windows.h>

#include "platform/win/message_box.h"

namespace win {

namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace

int MessageBoxEx(HWND owner, const std::u16string& text, const std::u16string& caption,
                 unsigned type, uint16_t languageId) {
    return ::MessageBoxExW(static_cast<HWND>(owner), Wide(text), Wide(caption), type, languageId);
}

// The policy and the record belong to the headless window system; a real box is answered by
// the user and leaves no record.
void SetMessageBoxPolicy(MessageBoxPolicy /*policy*/) {}

std::vector<RecordedMessageBox> TakeMessageBoxes() {
    return {};
}

}  // namespace win
