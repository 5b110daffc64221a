#pragma once
// A picture of a dialog as it is on the screen, saved as a PNG file: what the gallery of the
// dialogs is made of. Only a real window system draws; the headless one has no pixels.

#include <string>

#include "platform/win/window_types.h"

namespace maxsim {

// Saves the dialog, frame and title bar included, to `path` (UTF-8). False, with a sentence in
// `error`, when it cannot.
bool SaveDialogPicture(HWND dialog, const std::string& path, std::string& error);

}  // namespace maxsim
