#pragma once
// Window classes that a dialog template names and the standard controls do not cover (the
// host's custom controls). A class tells the headless window system what its windows are
// called in the state dump and what a user's actions on them do.

#include <functional>
#include <string>

#include "platform/win/window_types.h"

namespace win::headless {

struct CustomControlClass {
    std::u16string className;  // as the template names it, compared without case
    std::string kind;          // the name the state dump gives its windows
    // The user steps the control by `delta` (its arrows); false when it cannot take that.
    std::function<bool(HWND control, int delta)> spin;
};

void RegisterCustomControlClass(CustomControlClass controlClass);
// Null for a class nobody registered.
const CustomControlClass* FindCustomControlClass(const std::u16string& className);

}  // namespace win::headless

namespace win::headless {

// The tip a host tool-tip object attaches to a control, shown in the state dump.
void SetToolTipText(HWND control, const std::u16string& text);

}  // namespace win::headless
