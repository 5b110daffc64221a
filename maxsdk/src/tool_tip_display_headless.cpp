// Headless tool tips: the text is shown in the control's state dump.
#include "platform/headless/custom_controls.h"
#include "tool_tip_display.h"

void ShowToolTipText(HWND control, const std::u16string& text) {
    win::headless::SetToolTipText(control, text);
}
