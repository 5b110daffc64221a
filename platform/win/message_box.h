#pragma once
// Message boxes of the window system. On Windows they are MessageBoxExW; on Linux (headless)
// every box is recorded and answered at once: by the next queued answer, else by a policy that
// tests and tools set.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/window_types.h"

namespace win {

// Button sets and answers, with their Win32 values.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbOkCancel = 0x1;
inline constexpr unsigned kMbYesNoCancel = 0x3;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

int MessageBoxEx(HWND owner, const std::u16string& text, const std::u16string& caption,
                 unsigned type, uint16_t languageId);

// Headless side: how boxes are answered, and what was shown.
enum class MessageBoxPolicy {
    AnswerYesOk,     // IDYES for a Yes/No box, IDOK otherwise
    AnswerNoCancel,  // IDNO for a Yes/No box, IDCANCEL for OK/Cancel, IDOK for an OK box
};

struct RecordedMessageBox {
    HWND owner = nullptr;
    std::u16string text;
    std::u16string caption;
    unsigned type = 0;
    uint16_t language = 0;
    int answer = 0;
};

void SetMessageBoxPolicy(MessageBoxPolicy policy);
// The answer (IDOK, IDCANCEL, IDYES, IDNO) of the next box, before the policy; answers queue
// up in order.
void QueueMessageBoxAnswer(int answer);
void ClearMessageBoxAnswers();
// The boxes shown since the last call, oldest first; the record is emptied.
std::vector<RecordedMessageBox> TakeMessageBoxes();

}  // namespace win
