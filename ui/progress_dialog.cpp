#include "ui/progress_dialog.h"

#include "log/guarded_call.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "scene/plugin_state.h"

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMs = 30;
constexpr int32_t kProgressEnded = 11;

INT_PTR OnMessage(HWND dialog, UINT message) {
    PluginState& state = GetPluginState();
    switch (message) {
        case WM_INITDIALOG:
            win::SetTimer(dialog, kPollTimer, kPollMs);
            win::RemoveMenu(win::GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND);
            return TRUE;
        case WM_TIMER:
            win::ShowWindow(dialog, state.hideProgress.load() ? SW_HIDE : SW_SHOWNORMAL);
            if (state.closeProgress.load()) {
                win::EndDialog(dialog, 0);
            }
            return TRUE;
        case WM_CLOSE:
            win::EndDialog(dialog, 0);
            return TRUE;
        case WM_DESTROY:
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM /*wParam*/,
                                    LPARAM /*lParam*/) {
    return GuardedCall("ProgressDialogProc", INT_PTR{FALSE},
                       [=] { return OnMessage(dialog, message); });
}

void RunProgressDialog(HWND owner, const std::u16string& /*caption*/,
                       const std::u16string& /*secondCaption*/,
                       const std::u16string& /*languageMarker*/) {
    GuardedCall("RunProgressDialog", [owner] {
        win::DialogBoxParam(static_cast<HINSTANCE>(ResourceModule()), IDD_PROGRESS, owner,
                            ProgressDialogProc, 0);
    });
    GetPluginState().progressRunState.store(kProgressEnded);
}
