// Windows side of drawing and the screen: GDI for text and alpha images, GDI+ for PNG
// decoding. Win32 calls only.
#include <windows.h>

#include <objidl.h>
#include <shlwapi.h>

#include <gdiplus.h>

#include <cstring>
#include <mutex>

#include "platform/win/painting.h"
#include "platform/win32/wide_text.h"

namespace win {

namespace {

// GDI+ is started once, on first use, and left running for the life of the process.
bool StartGdiPlus() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    });
    return started;
}

}  // namespace

HDC GetDC(HWND window) {
    return ::GetDC(window);
}

int ReleaseDC(HWND window, HDC dc) {
    return ::ReleaseDC(window, dc);
}

int GetDeviceCaps(HDC dc, int index) {
    return ::GetDeviceCaps(dc, index);
}

BOOL GetTextExtentPoint32(HDC dc, const std::u16string& text, SIZE& size) {
    return ::GetTextExtentPoint32W(dc, Wide(text), static_cast<int>(text.size()), &size);
}

HDC BeginPaint(HWND window, PaintContext& paint) {
    PAINTSTRUCT record{};
    HDC dc = ::BeginPaint(window, &record);
    paint.dc = dc;
    paint.paintRect = record.rcPaint;
    return dc;
}

BOOL EndPaint(HWND window, const PaintContext& paint) {
    PAINTSTRUCT record{};
    record.hdc = paint.dc;
    record.rcPaint = paint.paintRect;
    return ::EndPaint(window, &record);
}

HFONT CreateFont(int height, int weight, DWORD pitchAndFamily, const std::u16string& faceName) {
    return ::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitchAndFamily,
                         Wide(faceName));
}

BOOL DeleteObject(void* object) {
    return ::DeleteObject(static_cast<HGDIOBJ>(object));
}

HFONT SelectFont(HDC dc, HFONT font) {
    return static_cast<HFONT>(::SelectObject(dc, font));
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    return ::SetTextColor(dc, color);
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    return ::SetBkColor(dc, color);
}

int DrawText(HDC dc, const std::u16string& text, RECT& rect, UINT format) {
    std::u16string copy = text;  // DrawTextW may write with some formats
    return ::DrawTextW(dc, reinterpret_cast<LPWSTR>(copy.data()), static_cast<int>(copy.size()),
                       &rect, format);
}

HBITMAP CreateAlphaBitmap(int width, int height, std::span<const uint32_t> premultipliedBgra) {
    if (width <= 0 || height <= 0 ||
        premultipliedBgra.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
        std::memcpy(bits, premultipliedBgra.data(),
                    static_cast<size_t>(width) * static_cast<size_t>(height) * sizeof(uint32_t));
    }
    return bitmap;
}

BOOL AlphaBlendBitmap(HDC dc, int x, int y, HBITMAP bitmap, int width, int height) {
    HDC memory = ::CreateCompatibleDC(dc);
    if (memory == nullptr) {
        return FALSE;
    }
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    BOOL done = ::AlphaBlend(dc, x, y, width, height, memory, 0, 0, width, height, blend);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return done;
}

bool DecodePng(std::span<const uint8_t> bytes, int& width, int& height,
               std::vector<uint32_t>& premultipliedBgra) {
    if (bytes.size() < 8 || !StartGdiPlus()) {
        return false;
    }
    IStream* stream = ::SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
    if (stream == nullptr) {
        return false;
    }
    bool decoded = false;
    {
        Gdiplus::Bitmap image(stream);
        GUID format{};
        if (image.GetLastStatus() == Gdiplus::Ok && image.GetRawFormat(&format) == Gdiplus::Ok &&
            format == Gdiplus::ImageFormatPNG) {
            const int w = static_cast<int>(image.GetWidth());
            const int h = static_cast<int>(image.GetHeight());
            Gdiplus::Rect area(0, 0, w, h);
            Gdiplus::BitmapData data{};
            if (w > 0 && h > 0 &&
                image.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) ==
                    Gdiplus::Ok) {
                premultipliedBgra.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
                for (int row = 0; row < h; ++row) {
                    const auto* source = static_cast<const uint8_t*>(data.Scan0) +
                                         static_cast<ptrdiff_t>(row) * data.Stride;
                    std::memcpy(
                        &premultipliedBgra[static_cast<size_t>(row) * static_cast<size_t>(w)],
                        source, static_cast<size_t>(w) * sizeof(uint32_t));
                }
                image.UnlockBits(&data);
                width = w;
                height = h;
                decoded = true;
            }
        }
    }
    stream->Release();
    return decoded;
}

BOOL GetWorkArea(RECT& workArea) {
    return ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
}

}  // namespace win
