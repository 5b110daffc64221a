// The headless window system has no pixels to take a picture of.
#include "tools/max-sim/dialog_picture.h"

namespace maxsim {

bool SaveDialogPicture(HWND /*dialog*/, const std::string& /*path*/, std::string& error) {
    error = "pictures need a window system that draws (the Windows build)";
    return false;
}

}  // namespace maxsim
