// The spinner on Windows: a window class of the host that dialog templates name. A click on
// its upper half steps it up, on its lower half down; it draws two arrow buttons.
#include <windows.h>

#include "custcont.h"
#include "spinner_class.h"

namespace {

LRESULT CALLBACK SpinnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN: {
            RECT client{};
            ::GetClientRect(window, &client);
            const int y = static_cast<short>(HIWORD(lParam));
            StepSpinner(window, y < (client.bottom - client.top) / 2 ? 1 : -1);
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = ::BeginPaint(window, &paint);
            RECT client{};
            ::GetClientRect(window, &client);
            RECT upper = client;
            upper.bottom = (client.top + client.bottom) / 2;
            RECT lower = client;
            lower.top = upper.bottom;
            ::DrawFrameControl(dc, &upper, DFC_SCROLL,
                               DFCS_SCROLLUP | (::IsWindowEnabled(window) ? 0 : DFCS_INACTIVE));
            ::DrawFrameControl(dc, &lower, DFC_SCROLL,
                               DFCS_SCROLLDOWN | (::IsWindowEnabled(window) ? 0 : DFCS_INACTIVE));
            ::EndPaint(window, &paint);
            return 0;
        }
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

// The host's window classes exist before any dialog names them, as in 3ds Max.
const bool kRegisteredAtLoad = (RegisterSpinnerClass(), true);

void RegisterSpinnerClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = SpinnerProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.lpszClassName = reinterpret_cast<const wchar_t*>(kSpinnerWindowClass);
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}
