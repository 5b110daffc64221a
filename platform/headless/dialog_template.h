#pragma once
// Dialog templates as the headless window system creates dialogs from them: the resource
// script's DIALOGEX blocks, turned into tables at build time. Positions and sizes stay in dialog
// units; the window system maps them to pixels when it creates a dialog, with the base units of
// the dialogs' 8-point font: 6 pixels per 4 horizontal units and 13 pixels per 8 vertical units
// at 96 dots per inch, in proportion at other resolutions.

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/win/window_types.h"

namespace win::headless {

struct ControlTemplate {
    int id;
    std::u16string_view className;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX",
                                    // "SysListView32", "msctls_updown32" or a custom class
    std::u16string_view text;
    DWORD style;  // as the resource compiler writes it, WS_CHILD and WS_VISIBLE included
    DWORD exStyle;
    int16_t x;
    int16_t y;
    int16_t cx;
    int16_t cy;
};

struct DialogTemplate {
    int id;
    DWORD style;
    DWORD exStyle;
    int16_t x;
    int16_t y;
    int16_t cx;  // client area
    int16_t cy;
    std::u16string_view caption;
    std::u16string_view fontFace;
    int fontPointSize;
    std::span<const ControlTemplate> controls;
};

// Where DialogBoxParam finds template `id` of `module`; null for a missing one.
using DialogTemplateProvider = const DialogTemplate* (*)(HINSTANCE module, int id);
void SetDialogTemplateProvider(DialogTemplateProvider provider);

}  // namespace win::headless
