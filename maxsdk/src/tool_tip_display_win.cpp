// Windows tool tips: one tooltip control per dialog, a tool per control.
#include <windows.h>

#include <commctrl.h>

#include "tool_tip_display.h"

void ShowToolTipText(HWND control, const std::u16string& text) {
    HWND dialog = ::GetParent(control);
    if (dialog == nullptr) {
        return;
    }
    constexpr wchar_t kTipProperty[] = L"zep.tooltip";
    auto tip = static_cast<HWND>(::GetPropW(dialog, kTipProperty));
    if (tip == nullptr) {
        tip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                dialog, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        if (tip == nullptr) {
            return;
        }
        ::SetPropW(dialog, kTipProperty, tip);
    }
    std::u16string copy = text;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = reinterpret_cast<LPWSTR>(copy.data());
    ::SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!text.empty()) {
        ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}
