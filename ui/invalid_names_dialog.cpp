#include "ui/invalid_names_dialog.h"

#include <vector>

#include "log/guarded_call.h"
#include "platform/win/controls.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "ui/dialog_ui.h"

namespace {

void OnInitDialog(HWND dialog) {
    win::SetWindowText(dialog, ResourceText(IDS_INVALID_NAMES_CAPTION));
    win::SetDlgItemText(dialog, IDC_INVALID_NAMES_TEXT, ResourceText(IDS_INVALID_NAMES_TEXT));
    win::SetDlgItemText(dialog, IDC_INVALID_NAMES_OK, ResourceText(IDS_INVALID_NAMES_OK));
    std::vector<std::u16string> names = GetDialogUi().problemList;
    HWND list = win::GetDlgItem(dialog, IDC_INVALID_NAMES_LIST);
    for (const std::u16string& name : names) {
        win::AddListBoxString(list, name);
    }
    // Centred in the work area; its left and top edges do not count.
    RECT workArea;
    RECT window;
    win::GetWorkArea(workArea);
    win::GetWindowRect(dialog, window);
    int x = (workArea.right - (window.right - window.left)) / 2;
    int y = (workArea.bottom - (window.bottom - window.top)) / 2;
    win::SetWindowPos(dialog, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_INVALID_NAMES_OK || LOWORD(wParam) == IDCANCEL) {
                win::EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK InvalidNamesDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                        LPARAM /*lParam*/) {
    return GuardedCall("InvalidNamesDialogProc", INT_PTR{FALSE},
                       [=] { return OnMessage(dialog, message, wParam); });
}

INT_PTR ShowInvalidNamesDialog(HWND owner) {
    return win::DialogBoxParam(static_cast<HINSTANCE>(ResourceModule()), IDD_INVALID_NAMES, owner,
                               InvalidNamesDialogProc, 0);
}
