// The contract dialog as the headless window system's template tables hold it.
#include "platform/headless/dialog_template.h"
#include "tests/win/contract_dialog.h"

namespace {

using win::headless::ControlTemplate;
using win::headless::DialogTemplate;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

const ControlTemplate kControls[] = {
    {kEdit, u"EDIT", u"", kChild | WS_BORDER | WS_TABSTOP | 0x80, 0, 7, 7, 80, 14},
    {kBuddyEdit, u"EDIT", u"", kChild | WS_BORDER | 0x80, 0, 7, 25, 40, 14},
    {kUpDown, u"msctls_updown32", u"", kChild | 0x02 | 0x10 | 0x20 | 0x80, 0, 47, 25, 11, 14},
    {kCheckBox, u"BUTTON", u"Check", kChild | WS_TABSTOP | 0x3, 0, 7, 43, 60, 10},
    {kRadioFirst, u"BUTTON", u"One", kChild | WS_GROUP | 0x9, 0, 7, 57, 40, 10},
    {105, u"BUTTON", u"Two", kChild | 0x9, 0, 50, 57, 40, 10},
    {kRadioLast, u"BUTTON", u"Three", kChild | 0x9, 0, 93, 57, 40, 10},
    {kListView, u"SysListView32", u"", kChild | WS_BORDER | 0x1 | 0x8, 0, 7, 71, 186, 40},
    {kListBox, u"LISTBOX", u"", kChild | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, 95, 7, 98, 30},
    {kCombo, u"COMBOBOX", u"", kChild | WS_VSCROLL | 0x3, 0, 95, 40, 60, 60},
    {kNotifyingStatic, u"STATIC", u"Static", kChild | SS_NOTIFY, 0, 7, 115, 40, 8},
    {kButton, u"BUTTON", u"Button", kChild | WS_TABSTOP, 0, 143, 115, 50, 14},
    {kPlainUpDown, u"msctls_updown32", u"", kChild | 0x20, 0, 160, 40, 11, 14},
};

// DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 200 x 135 units.
const DialogTemplate kDialog(kContractDialog, 0x80C80080, 0, 0, 0, 200, 135, u"Contract",
                             u"MS Shell Dlg", 8, kControls);

const DialogTemplate* Provide(HINSTANCE /*module*/, int id) {
    return id == kContractDialog ? &kDialog : nullptr;
}

}  // namespace

HINSTANCE TestDialogModule() {
    win::headless::SetDialogTemplateProvider(Provide);
    static int module = 0;
    return reinterpret_cast<HINSTANCE>(&module);
}
