#include "resources/message_box.h"

namespace {

constexpr unsigned short kLanguageEnglishUs = 1033;
constexpr unsigned short kLanguageOther = 1;

}  // namespace

unsigned short MessageBoxLanguage(const std::u16string& languageMarker) {
    return languageMarker == u"0" ? kLanguageEnglishUs : kLanguageOther;
}

int PluginMessageBox(HWND owner, const std::u16string& text,
                     const std::u16string& caption, unsigned type,
                     const std::u16string& languageMarker) {
    return win::MessageBoxEx(owner, text, caption, type, MessageBoxLanguage(languageMarker));
}
