#pragma once
// Looking up the generated dialog templates and turning dialog units into pixels the way the
// headless window system does at 96 dpi: 6 pixels per 4 horizontal units and 13 pixels per 8
// vertical units.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "resources/dialog_templates.h"
#include "resources/resource.h"

namespace dialog_test {

using resources::StringLanguage;
using win::headless::ControlTemplate;
using win::headless::DialogTemplate;

inline constexpr StringLanguage kLanguages[] = {StringLanguage::kEnglish,
                                                StringLanguage::kSimplifiedChinese};

inline std::string Name(StringLanguage language) {
    return language == StringLanguage::kSimplifiedChinese ? "zh-CN" : "en";
}

// A missing dialog or control fails the test and reads as an empty one.
inline const DialogTemplate& Dialog(StringLanguage language, int id) {
    static const DialogTemplate kEmpty{};
    const DialogTemplate* dialog = resources::FindDialogTemplate(language, id);
    EXPECT_NE(dialog, nullptr) << "no dialog " << id << " in " << Name(language);
    return dialog != nullptr ? *dialog : kEmpty;
}

inline const ControlTemplate* Find(const DialogTemplate& dialog, int id) {
    const auto found = std::ranges::find(dialog.controls, id, &ControlTemplate::id);
    return found != dialog.controls.end() ? &*found : nullptr;
}

inline const ControlTemplate& Control(const DialogTemplate& dialog, int id) {
    static const ControlTemplate kEmpty{};
    const ControlTemplate* control = Find(dialog, id);
    EXPECT_NE(control, nullptr) << "no control " << id << " in dialog " << dialog.id;
    return control != nullptr ? *control : kEmpty;
}

inline int PixelsX(int units) {
    return static_cast<int>(std::lround(units * 6.0 / 4.0));
}

inline int PixelsY(int units) {
    return static_cast<int>(std::lround(units * 13.0 / 8.0));
}

// A closed combo box is one text line tall; its template height is the dropped-down list's.
inline int ClosedHeight(const ControlTemplate& control) {
    return control.className == u"COMBOBOX" && control.cy > 14 ? 14 : control.cy;
}

inline RECT PixelRect(const ControlTemplate& control) {
    const int left = PixelsX(control.x);
    const int top = PixelsY(control.y);
    return RECT{left, top, left + PixelsX(control.cx), top + PixelsY(ClosedHeight(control))};
}

inline bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace dialog_test
