// Win32 and GDI+ calls only: the dialog drawn into a bitmap with PrintWindow, written with
// GDI+'s PNG encoder.
#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <filesystem>
#include <vector>

#include "platform/headless/driver.h"
#include "tools/max-sim/dialog_picture.h"

namespace maxsim {

namespace {

bool PngEncoder(CLSID& encoder) {
    UINT count = 0;
    UINT size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) {
        return false;
    }
    std::vector<unsigned char> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) {
        return false;
    }
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].FormatID == Gdiplus::ImageFormatPNG) {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

bool SaveDialogPicture(HWND dialog, const std::string& path, std::string& error) {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        error = "GDI+ does not start";
        return false;
    }
    // Everything that waits to be drawn is drawn first, and the screen is given time to show
    // it (under Wine the X server draws after the program has).
    ::RedrawWindow(dialog, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    win::headless::WaitUntil([] { return false; }, std::chrono::milliseconds(500));
    ::GdiFlush();
    RECT rect{};
    ::GetWindowRect(dialog, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    // The screen's pixels, as a person sees them; PrintWindow where the screen has none.
    bool taken = ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != 0;
    if (!taken) {
        taken = ::PrintWindow(dialog, memory, 0) != 0;
    }
    ::SelectObject(memory, old);
    bool saved = false;
    CLSID encoder{};
    if (taken && PngEncoder(encoder)) {
        std::filesystem::path target = std::filesystem::u8path(path);
        std::error_code ignored;
        if (target.has_parent_path()) {
            std::filesystem::create_directories(target.parent_path(), ignored);
        }
        Gdiplus::Bitmap image(bitmap, nullptr);
        saved = image.Save(target.c_str(), &encoder, nullptr) == Gdiplus::Ok;
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    Gdiplus::GdiplusShutdown(token);
    if (!saved) {
        error = "cannot save a picture of the dialog to " + path;
    }
    return saved;
}

}  // namespace maxsim
