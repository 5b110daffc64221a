#pragma once
// What happens on the headless screen, in order, for tools that report a session: dialogs
// opening and ending, and message boxes. The observer is called on the thread where the event
// happens, one call at a time.

#include <functional>

#include "platform/win/message_box.h"
#include "platform/win/window_types.h"

namespace win::headless {

struct WindowEvent {
    enum class Type { DialogOpened, DialogEnded, MessageBox };
    Type type = Type::DialogOpened;
    HWND dialog = nullptr;
    int dialogId = 0;  // template of the dialog (or of the box's owner; 0 for none)
    INT_PTR result = 0;
    RecordedMessageBox box;
};

void SetEventObserver(std::function<void(const WindowEvent&)> observer);

// The template a dialog was made from; 0 for another window or none. Any thread.
int DialogTemplateId(HWND window);

}  // namespace win::headless
