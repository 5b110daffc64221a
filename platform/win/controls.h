#pragma once
// The standard controls the dialogs use, through the messages Win32 defines for them. Each
// function sends the message its comment names and returns what Win32 returns. Programmatic
// changes notify the parent exactly as Win32 does: a text written into an edit sends EN_UPDATE
// and EN_CHANGE; check states, selections and positions set by message send nothing.

#include <string>

#include "platform/win/window_types.h"

namespace win {

// Buttons: BM_SETCHECK / BM_GETCHECK, CheckDlgButton, IsDlgButtonChecked, CheckRadioButton.
void SetButtonCheck(HWND button, UINT state);
UINT GetButtonCheck(HWND button);
BOOL CheckDlgButton(HWND dialog, int controlId, UINT state);
UINT IsDlgButtonChecked(HWND dialog, int controlId);
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);

// Edits: EM_SETSEL, EM_GETSEL.
void SetEditSelection(HWND edit, int start, int end);
void GetEditSelection(HWND edit, int& start, int& end);

// List view: LVM_SETEXTENDEDLISTVIEWSTYLE, LVM_INSERTCOLUMNW, LVM_GETCOLUMNWIDTH,
// LVM_INSERTITEMW, LVM_SETITEMTEXTW (sub-items through LVM_SETITEMW), LVM_GETITEMTEXTW,
// LVM_SETITEMSTATE, LVM_GETITEMSTATE, LVM_DELETEALLITEMS, LVM_GETITEMCOUNT, LVM_GETNEXTITEM,
// LVM_GETSELECTEDCOUNT.
DWORD SetListViewExtendedStyle(HWND listView, DWORD mask, DWORD styles);
DWORD GetListViewExtendedStyle(HWND listView);
int InsertListViewColumn(HWND listView, int column, int format, int width,
                         const std::u16string& text);
int InsertListViewItem(HWND listView, int item, const std::u16string& text);
BOOL SetListViewItemText(HWND listView, int item, int subItem, const std::u16string& text);
std::u16string GetListViewItemText(HWND listView, int item, int subItem, int bufferUnits);
BOOL SetListViewItemState(HWND listView, int item, UINT state, UINT mask);
UINT GetListViewItemState(HWND listView, int item, UINT mask);
BOOL DeleteAllListViewItems(HWND listView);
int GetListViewItemCount(HWND listView);
int GetNextListViewItem(HWND listView, int start, UINT flags);
UINT GetListViewSelectedCount(HWND listView);

// List box: LB_RESETCONTENT, LB_ADDSTRING, LB_GETCOUNT, LB_GETTEXT, LB_GETHORIZONTALEXTENT,
// LB_SETHORIZONTALEXTENT.
void ResetListBox(HWND listBox);
int AddListBoxString(HWND listBox, const std::u16string& text);
int GetListBoxCount(HWND listBox);
std::u16string GetListBoxText(HWND listBox, int index);
int GetListBoxHorizontalExtent(HWND listBox);
void SetListBoxHorizontalExtent(HWND listBox, int extent);

// Combo box: CB_INSERTSTRING, CB_ADDSTRING, CB_FINDSTRINGEXACT (case-insensitive, from the
// item after `start`, wrapping), CB_SETCURSEL, CB_GETCURSEL, CB_GETCOUNT, CB_GETLBTEXT,
// CB_RESETCONTENT. A drop-down list's window text is its selected item's text.
int InsertComboString(HWND comboBox, int index, const std::u16string& text);
int AddComboString(HWND comboBox, const std::u16string& text);
int FindComboStringExact(HWND comboBox, int start, const std::u16string& text);
int SetComboSelection(HWND comboBox, int index);
int GetComboSelection(HWND comboBox);
int GetComboCount(HWND comboBox);
std::u16string GetComboItemText(HWND comboBox, int index);
void ResetCombo(HWND comboBox);

// Up-down: UDM_SETRANGE (16-bit), UDM_SETRANGE32, UDM_GETRANGE32, UDM_SETPOS (16-bit),
// UDM_SETPOS32, UDM_GETPOS32. An up-down with UDS_SETBUDDYINT writes its position into its
// buddy, the control before it in the template.
void SetUpDownRange(HWND upDown, int16_t minimum, int16_t maximum);
void SetUpDownRange32(HWND upDown, int minimum, int maximum);
void GetUpDownRange32(HWND upDown, int& minimum, int& maximum);
int SetUpDownPos(HWND upDown, int16_t position);
int SetUpDownPos32(HWND upDown, int position);
int GetUpDownPos32(HWND upDown);

}  // namespace win
