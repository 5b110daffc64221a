// Headless side of the window functions: text, state, position and z-order, window data,
// focus, child windows and the system menu.
#include <algorithm>
#include <utility>

#include "platform/headless/window_system.h"
#include "platform/win/thread_language.h"
#include "platform/win/window.h"

namespace win {

using headless::ControlKind;
using headless::Window;
using headless::WithWindow;

namespace {

// A text written into a window, with the notifications an edit sends.
void WriteText(Window& window, const std::u16string& text) {
    window.text = text;
    if (window.kind == ControlKind::Edit) {
        window.selectionStart = 0;
        window.selectionEnd = 0;
        headless::NotifyCommand(window, EN_UPDATE);
        headless::NotifyCommand(window, EN_CHANGE);
    }
}

std::u16string ReadText(const Window& window) {
    if (window.kind == ControlKind::ComboBox) {
        return window.selection >= 0 && window.selection < static_cast<int>(window.items.size())
                   ? window.items[static_cast<size_t>(window.selection)]
                   : std::u16string();
    }
    return window.text;
}

}  // namespace

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return headless::OnWindowThread(window, 0, [&](Window& target) -> LRESULT {
        if (message == WM_SETTEXT) {
            WriteText(target, reinterpret_cast<const char16_t*>(lParam));
            return TRUE;
        }
        if (target.kind == ControlKind::Dialog) {
            return headless::CallDialogProc(target, message, wParam, lParam);
        }
        if (target.kind == ControlKind::Edit && message == WM_KEYDOWN && wParam == VK_END) {
            target.selectionStart = target.selectionEnd = static_cast<int>(target.text.size());
        }
        return 0;
    });
}

BOOL IsWindow(HWND window) {
    return WithWindow<BOOL>(window, FALSE, [](Window&) { return TRUE; });
}

HWND GetDlgItem(HWND dialog, int controlId) {
    return WithWindow<HWND>(dialog, nullptr, [&](Window& target) -> HWND {
        Window* child = headless::ChildById(target, controlId);
        return child != nullptr ? child->handle : nullptr;
    });
}

int GetDlgCtrlID(HWND window) {
    return WithWindow<int>(window, 0, [](Window& target) { return target.id; });
}

HWND GetParent(HWND window) {
    return WithWindow<HWND>(window, nullptr, [](Window& target) {
        return target.kind == ControlKind::Dialog ? target.owner : target.parent;
    });
}

HWND GetWindow(HWND window, UINT relation) {
    return WithWindow<HWND>(window, nullptr, [&](Window& target) -> HWND {
        if (relation == GW_CHILD) {
            return target.children.empty() ? nullptr : target.children.front();
        }
        if (relation != GW_HWNDNEXT || target.parent == nullptr) {
            return nullptr;
        }
        Window* parent = headless::OwnWindow(target.parent);
        if (parent == nullptr) {
            return nullptr;
        }
        auto self = std::find(parent->children.begin(), parent->children.end(), target.handle);
        return self == parent->children.end() || self + 1 == parent->children.end() ? nullptr
                                                                                    : *(self + 1);
    });
}

BOOL SetWindowText(HWND window, const std::u16string& text) {
    return WithWindow<BOOL>(window, FALSE, [&](Window& target) {
        WriteText(target, text);
        return TRUE;
    });
}

std::u16string GetWindowText(HWND window, int bufferUnits) {
    return WithWindow<std::u16string>(window, std::u16string(), [&](Window& target) {
        std::u16string text = ReadText(target);
        size_t limit = bufferUnits > 0 ? static_cast<size_t>(bufferUnits - 1) : 0;
        return text.substr(0, std::min(text.size(), limit));
    });
}

int GetWindowTextLength(HWND window) {
    return WithWindow<int>(
        window, 0, [](Window& target) { return static_cast<int>(ReadText(target).size()); });
}

BOOL SetDlgItemText(HWND dialog, int controlId, const std::u16string& text) {
    return SetWindowText(GetDlgItem(dialog, controlId), text);
}

std::u16string GetDlgItemText(HWND dialog, int controlId, int bufferUnits) {
    return GetWindowText(GetDlgItem(dialog, controlId), bufferUnits);
}

BOOL EnableWindow(HWND window, BOOL enable) {
    return WithWindow<BOOL>(window, FALSE, [&](Window& target) {
        BOOL wasDisabled = target.enabled ? FALSE : TRUE;
        target.enabled = enable != FALSE;
        return wasDisabled;
    });
}

BOOL IsWindowEnabled(HWND window) {
    return WithWindow<BOOL>(window, FALSE,
                            [](Window& target) { return target.enabled ? TRUE : FALSE; });
}

BOOL ShowWindow(HWND window, int command) {
    return WithWindow<BOOL>(window, FALSE, [&](Window& target) {
        BOOL wasVisible = target.visible ? TRUE : FALSE;
        target.visible = command != SW_HIDE;
        if (target.visible != (wasVisible != FALSE)) {
            headless::InvalidateDialog(target);
        }
        return wasVisible;
    });
}

BOOL IsWindowVisible(HWND window) {
    return WithWindow<BOOL>(window, FALSE, [](Window& target) {
        if (!target.visible) {
            return FALSE;
        }
        Window* dialog = headless::DialogOf(target);
        return dialog == nullptr || dialog->visible ? TRUE : FALSE;
    });
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    return WithWindow<BOOL>(window, FALSE, [&](Window& target) {
        int oldWidth = target.rect.right - target.rect.left;
        int oldHeight = target.rect.bottom - target.rect.top;
        if ((flags & SWP_NOMOVE) == 0) {
            target.rect.left = x;
            target.rect.top = y;
        }
        int newWidth = (flags & SWP_NOSIZE) == 0 ? width : oldWidth;
        int newHeight = (flags & SWP_NOSIZE) == 0 ? height : oldHeight;
        target.rect.right = target.rect.left + newWidth;
        target.rect.bottom = target.rect.top + newHeight;
        if ((flags & SWP_NOZORDER) == 0 && target.parent != nullptr) {
            if (Window* parent = headless::OwnWindow(target.parent)) {
                std::vector<HWND>& siblings = parent->children;
                siblings.erase(std::remove(siblings.begin(), siblings.end(), target.handle),
                               siblings.end());
                if (insertAfter == HWND_BOTTOM) {
                    siblings.push_back(target.handle);
                } else {
                    siblings.insert(siblings.begin(), target.handle);
                }
            }
        }
        headless::InvalidateDialog(target);
        return TRUE;
    });
}

BOOL GetWindowRect(HWND window, RECT& rect) {
    return WithWindow<BOOL>(window, FALSE, [&](Window& target) {
        rect = target.rect;
        if (target.kind != ControlKind::Dialog) {
            // A child's rectangle in screen pixels: its dialog's client origin plus its place.
            if (Window* dialog = headless::DialogOf(target)) {
                RECT client;
                GetClientRect(dialog->handle, client);
                int border = (dialog->rect.right - dialog->rect.left - client.right) / 2;
                int top = dialog->rect.bottom - dialog->rect.top - client.bottom - border;
                rect.left += dialog->rect.left + border;
                rect.right += dialog->rect.left + border;
                rect.top += dialog->rect.top + top;
                rect.bottom += dialog->rect.top + top;
            }
        }
        return TRUE;
    });
}

BOOL GetClientRect(HWND window, RECT& rect) {
    return WithWindow<BOOL>(window, FALSE, [&](Window& target) {
        int width = target.rect.right - target.rect.left;
        int height = target.rect.bottom - target.rect.top;
        if (target.kind == ControlKind::Dialog) {
            int border = static_cast<int>(3 * target.dpiScale + 0.5);
            int caption = (target.style & WS_CAPTION) == WS_CAPTION
                              ? static_cast<int>(23 * target.dpiScale + 0.5)
                              : 0;
            width -= 2 * border;
            height -= 2 * border + caption;
        }
        rect = RECT{0, 0, width, height};
        return TRUE;
    });
}

BOOL ScreenToClient(HWND window, POINT& point) {
    RECT screen;
    RECT client;
    if (GetWindowRect(window, screen) == FALSE || GetClientRect(window, client) == FALSE) {
        return FALSE;
    }
    // The client area sits at the bottom of the frame, with equal borders left and right.
    int border = (screen.right - screen.left - client.right) / 2;
    point.x -= screen.left + border;
    point.y -= screen.bottom - border - client.bottom;
    return TRUE;
}

LONG_PTR GetWindowLongPtr(HWND window, int index) {
    return WithWindow<LONG_PTR>(window, 0, [&](Window& target) -> LONG_PTR {
        switch (index) {
            case GWL_STYLE:
                return static_cast<LONG_PTR>(target.style);
            case GWL_EXSTYLE:
                return static_cast<LONG_PTR>(target.exStyle);
            case GWLP_USERDATA:
                return target.userData;
            case DWLP_MSGRESULT:
                return target.msgResult;
            case DWLP_USER:
                return target.dialogUser;
            default:
                return 0;
        }
    });
}

LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value) {
    return WithWindow<LONG_PTR>(window, 0, [&](Window& target) -> LONG_PTR {
        LONG_PTR old = 0;
        switch (index) {
            case GWL_STYLE:
                old = static_cast<LONG_PTR>(target.style);
                target.style = static_cast<DWORD>(value);
                break;
            case GWL_EXSTYLE:
                old = static_cast<LONG_PTR>(target.exStyle);
                target.exStyle = static_cast<DWORD>(value);
                break;
            case GWLP_USERDATA:
                old = std::exchange(target.userData, value);
                break;
            case DWLP_MSGRESULT:
                old = std::exchange(target.msgResult, value);
                break;
            case DWLP_USER:
                old = std::exchange(target.dialogUser, value);
                break;
            default:
                break;
        }
        return old;
    });
}

HWND SetFocus(HWND window) {
    return WithWindow<HWND>(window, nullptr, [](Window& target) {
        HWND previous = headless::ThreadFocus();
        headless::SetThreadFocus(target.handle);
        return previous;
    });
}

HWND GetFocus() {
    HWND focus = headless::ThreadFocus();
    return IsWindow(focus) != FALSE ? focus : nullptr;
}

// A dialog's system menu is the dialog itself under another type.
HMENU GetSystemMenu(HWND window, BOOL /*revert*/) {
    return WithWindow<HMENU>(window, nullptr, [](Window& target) -> HMENU {
        if (target.kind != ControlKind::Dialog || (target.style & WS_SYSMENU) == 0) {
            return nullptr;
        }
        return reinterpret_cast<HMENU>(target.handle);
    });
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    return WithWindow<BOOL>(reinterpret_cast<HWND>(menu), FALSE, [&](Window& target) {
        if (target.kind != ControlKind::Dialog || flags != MF_BYCOMMAND || position != SC_CLOSE ||
            !target.closeCommand) {
            return FALSE;
        }
        target.closeCommand = false;
        return TRUE;
    });
}

}  // namespace win

namespace win::headless {

void SetToolTipText(HWND control, const std::u16string& text) {
    WithWindow<int>(control, 0, [&](Window& target) {
        target.toolTip = text;
        return 0;
    });
}

}  // namespace win::headless

namespace win {

// The headless window system reads its language from the process (ZEP_LANGUAGE).
ThreadLanguage GetThreadLanguage() {
    return {};
}

void SetThreadLanguage(const ThreadLanguage& /*language*/) {}

}  // namespace win
