#pragma once
// The vocabulary of the window system seam. Dialog code is written with the names Win32 gives
// the handles, message parameters, messages, notification codes, styles and notification
// records, unqualified, exactly as against <windows.h>. On Windows they come from the system
// headers themselves; elsewhere this header declares the same names with the same values and
// record layouts. The seam's functions live in namespace win.

#include <cstdint>

#ifdef _WIN32
#include <windows.h>

#include <commctrl.h>
// The os seam has functions of these names; the macros of <windows.h> would rename them.
#undef CopyFile
#undef DeleteFile
#undef GetPrivateProfileString
#undef WritePrivateProfileString
#else

struct HWND__;
struct HDC__;
struct HBITMAP__;
struct HFONT__;
struct HMENU__;
struct HINSTANCE__;
using HWND = HWND__*;
using HDC = HDC__*;
using HBITMAP = HBITMAP__*;
using HFONT = HFONT__*;
using HMENU = HMENU__*;
using HINSTANCE = HINSTANCE__*;

using UINT = unsigned int;
using DWORD = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using INT_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using DWORD_PTR = uintptr_t;
using LONG_PTR = intptr_t;
using BOOL = int;
using COLORREF = DWORD;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
#define CALLBACK

struct POINT {
    int32_t x;
    int32_t y;
};
struct SIZE {
    int32_t cx;
    int32_t cy;
};
struct RECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

constexpr uint16_t LOWORD(uintptr_t value) {
    return static_cast<uint16_t>(value & 0xFFFF);
}
constexpr uint16_t HIWORD(uintptr_t value) {
    return static_cast<uint16_t>((value >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(uint16_t low, uint16_t high) {
    return static_cast<WPARAM>(static_cast<uint32_t>(low) | (static_cast<uint32_t>(high) << 16));
}
constexpr LPARAM MAKELPARAM(uint16_t low, uint16_t high) {
    return static_cast<LPARAM>(static_cast<uint32_t>(low) | (static_cast<uint32_t>(high) << 16));
}
constexpr COLORREF RGB(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<COLORREF>(red | (green << 8) | (blue << 16));
}
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT index) {
    return index << 12;
}

// Messages.
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_NOTIFY = 0x004E;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_VSCROLL = 0x0115;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

inline constexpr WPARAM VK_RETURN = 0x0D;
inline constexpr WPARAM VK_END = 0x23;
inline constexpr int SB_THUMBPOSITION = 4;

// Command identifiers of the dialog manager.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// WM_COMMAND notification codes.
inline constexpr UINT BN_CLICKED = 0;
inline constexpr UINT STN_CLICKED = 0;
inline constexpr UINT EN_CHANGE = 0x0300;
inline constexpr UINT EN_UPDATE = 0x0400;
inline constexpr UINT CBN_SELCHANGE = 1;
inline constexpr UINT LBN_SELCHANGE = 1;

// WM_NOTIFY codes (negative numbers, as UINT).
inline constexpr UINT NM_CLICK = static_cast<UINT>(-2);
inline constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
inline constexpr UINT LVN_ITEMCHANGING = static_cast<UINT>(-100);
inline constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);
inline constexpr UINT LVN_HOTTRACK = static_cast<UINT>(-121);
inline constexpr UINT UDN_DELTAPOS = static_cast<UINT>(-722);

// Window styles and window data.
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_HSCROLL = 0x00100000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD SS_NOTIFY = 0x0100;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWLP_USERDATA = -21;
inline constexpr int DWLP_MSGRESULT = 0;
inline constexpr int DWLP_USER = 16;

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

// SetWindowPos.
inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;

// GetWindow.
inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_CHILD = 5;

// Check states.
inline constexpr UINT BST_UNCHECKED = 0;
inline constexpr UINT BST_CHECKED = 1;
inline constexpr UINT BST_INDETERMINATE = 2;

// List view.
inline constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
inline constexpr DWORD LVS_EX_CHECKBOXES = 0x0004;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;
inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_CENTER = 2;
inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
inline constexpr UINT LVIF_STATE = 0x0008;
inline constexpr UINT LVNI_ALL = 0x0000;
inline constexpr UINT LVNI_FOCUSED = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;

// List box and combo box results.
inline constexpr int LB_ERR = -1;
inline constexpr int CB_ERR = -1;

// System menu.
inline constexpr UINT SC_CLOSE = 0xF060;
inline constexpr UINT MF_BYCOMMAND = 0x0000;

// Device capabilities.
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

// Fonts and text drawing.
inline constexpr int FW_NORMAL = 400;
inline constexpr int FF_SWISS = 0x20;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_SINGLELINE = 0x0020;

// Notification records.
struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};

struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
    UINT uKeyFlags;
};

struct NMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};

#endif  // _WIN32
