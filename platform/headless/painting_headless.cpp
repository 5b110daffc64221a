// Headless side of drawing and the screen. Device contexts, fonts and bitmaps are objects in
// memory; what a paint draws is written down on the painted window for the state dump. Text is
// measured with the dialog font's metrics at 96 dots per inch, in proportion at others: 6
// pixels a character, 12 for CJK and full-width characters, 13 pixels high.
#include <png.h>

#include <cstdio>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <variant>

#include "platform/headless/gdi_objects.h"
#include "platform/headless/window_system.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

namespace win::headless {

namespace {

struct DeviceContext {
    HWND window = nullptr;  // null for the screen's
    HFONT font = nullptr;
    COLORREF textColor = 0;
    COLORREF backgroundColor = RGB(255, 255, 255);
};

struct Font {
    int height = 0;
    int weight = 0;
    std::u16string face;
};

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

struct GdiTable {
    std::mutex mutex;
    uintptr_t next = 0x900000;
    std::unordered_map<uintptr_t, DeviceContext> contexts;
    std::unordered_map<uintptr_t, Font> fonts;
    std::unordered_map<uintptr_t, Bitmap> bitmaps;
};

GdiTable& Gdi() {
    static GdiTable* table = new GdiTable;
    return *table;
}

uintptr_t NewHandle() {
    uintptr_t handle = Gdi().next;
    Gdi().next += 0x10;
    return handle;
}

bool IsWide(char16_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6);
}

std::string Colour(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return text;
}

// Writes a line of what was painted onto the window of the context.
void RecordPaint(HDC dc, const std::string& line) {
    HWND window = nullptr;
    {
        std::lock_guard<std::mutex> lock(Gdi().mutex);
        auto found = Gdi().contexts.find(reinterpret_cast<uintptr_t>(dc));
        if (found == Gdi().contexts.end()) {
            return;
        }
        window = found->second.window;
    }
    WithWindow<int>(window, 0, [&](Window& target) {
        target.painted.push_back(line);
        return 0;
    });
}

}  // namespace

int TextWidthPixels(const std::u16string& text, int dpi) {
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            ++i;
            width += 12;
        } else {
            width += IsWide(c) ? 12 : 6;
        }
    }
    return (width * dpi + 48) / 96;
}

uint32_t PixelFingerprint(std::span<const uint32_t> pixels) {
    uint32_t hash = 2166136261u;
    for (uint32_t pixel : pixels) {
        for (int shift = 0; shift < 32; shift += 8) {
            hash = (hash ^ ((pixel >> shift) & 0xFF)) * 16777619u;
        }
    }
    return hash;
}

size_t LiveGdiObjects() {
    std::lock_guard<std::mutex> lock(Gdi().mutex);
    return Gdi().contexts.size() + Gdi().fonts.size() + Gdi().bitmaps.size();
}

}  // namespace win::headless

namespace win {

using headless::Gdi;

HDC GetDC(HWND window) {
    if (window != nullptr && IsWindow(window) == FALSE) {
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(Gdi().mutex);
    uintptr_t handle = headless::NewHandle();
    Gdi().contexts[handle].window = window;
    return reinterpret_cast<HDC>(handle);
}

int ReleaseDC(HWND /*window*/, HDC dc) {
    std::lock_guard<std::mutex> lock(Gdi().mutex);
    return Gdi().contexts.erase(reinterpret_cast<uintptr_t>(dc)) > 0 ? 1 : 0;
}

int GetDeviceCaps(HDC /*dc*/, int index) {
    if (index == LOGPIXELSX || index == LOGPIXELSY) {
        return headless::ScreenDpi();
    }
    return 0;
}

BOOL GetTextExtentPoint32(HDC dc, const std::u16string& text, SIZE& size) {
    {
        std::lock_guard<std::mutex> lock(Gdi().mutex);
        if (Gdi().contexts.count(reinterpret_cast<uintptr_t>(dc)) == 0) {
            return FALSE;
        }
    }
    int dpi = headless::ScreenDpi();
    size.cx = headless::TextWidthPixels(text, dpi);
    size.cy = (13 * dpi + 48) / 96;
    return TRUE;
}

HDC BeginPaint(HWND window, PaintContext& paint) {
    paint = PaintContext{};
    RECT client;
    if (GetClientRect(window, client) == FALSE) {
        return nullptr;
    }
    headless::WithWindow<int>(window, 0, [](headless::Window& target) {
        target.painted.clear();
        return 0;
    });
    paint.dc = GetDC(window);
    paint.paintRect = client;
    return paint.dc;
}

BOOL EndPaint(HWND window, const PaintContext& paint) {
    return ReleaseDC(window, paint.dc) != 0 ? TRUE : FALSE;
}

HFONT CreateFont(int height, int weight, DWORD /*pitchAndFamily*/, const std::u16string& faceName) {
    std::lock_guard<std::mutex> lock(Gdi().mutex);
    uintptr_t handle = headless::NewHandle();
    Gdi().fonts[handle] = headless::Font{height, weight, faceName};
    return reinterpret_cast<HFONT>(handle);
}

BOOL DeleteObject(void* object) {
    std::lock_guard<std::mutex> lock(Gdi().mutex);
    auto handle = reinterpret_cast<uintptr_t>(object);
    return Gdi().fonts.erase(handle) + Gdi().bitmaps.erase(handle) > 0 ? TRUE : FALSE;
}

HFONT SelectFont(HDC dc, HFONT font) {
    std::lock_guard<std::mutex> lock(Gdi().mutex);
    auto found = Gdi().contexts.find(reinterpret_cast<uintptr_t>(dc));
    if (found == Gdi().contexts.end()) {
        return nullptr;
    }
    return std::exchange(found->second.font, font);
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    std::lock_guard<std::mutex> lock(Gdi().mutex);
    auto found = Gdi().contexts.find(reinterpret_cast<uintptr_t>(dc));
    return found == Gdi().contexts.end() ? 0 : std::exchange(found->second.textColor, color);
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    std::lock_guard<std::mutex> lock(Gdi().mutex);
    auto found = Gdi().contexts.find(reinterpret_cast<uintptr_t>(dc));
    return found == Gdi().contexts.end() ? 0 : std::exchange(found->second.backgroundColor, color);
}

int DrawText(HDC dc, const std::u16string& text, RECT& rect, UINT format) {
    std::string line;
    {
        std::lock_guard<std::mutex> lock(Gdi().mutex);
        auto found = Gdi().contexts.find(reinterpret_cast<uintptr_t>(dc));
        if (found == Gdi().contexts.end()) {
            return 0;
        }
        const headless::DeviceContext& context = found->second;
        line = "text \"" + headless::Utf8Of(text) + "\" " + headless::Colour(context.textColor) +
               " on " + headless::Colour(context.backgroundColor);
        auto font = Gdi().fonts.find(reinterpret_cast<uintptr_t>(context.font));
        if (font != Gdi().fonts.end()) {
            line += " font \"" + headless::Utf8Of(font->second.face) + "\" " +
                    std::to_string(font->second.height) + "/" + std::to_string(font->second.weight);
        }
        line += " in " + std::to_string(rect.right - rect.left) + "x" +
                std::to_string(rect.bottom - rect.top);
        if ((format & DT_CENTER) != 0) {
            line += " centred";
        }
        if ((format & DT_VCENTER) != 0) {
            line += " vcentred";
        }
        if ((format & DT_SINGLELINE) != 0) {
            line += " single-line";
        }
    }
    headless::RecordPaint(dc, line);
    return (13 * headless::ScreenDpi() + 48) / 96;
}

HBITMAP CreateAlphaBitmap(int width, int height, std::span<const uint32_t> premultipliedBgra) {
    if (width <= 0 || height <= 0 ||
        premultipliedBgra.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(Gdi().mutex);
    uintptr_t handle = headless::NewHandle();
    Gdi().bitmaps[handle] = headless::Bitmap{
        width, height, std::vector<uint32_t>(premultipliedBgra.begin(), premultipliedBgra.end())};
    return reinterpret_cast<HBITMAP>(handle);
}

BOOL AlphaBlendBitmap(HDC dc, int x, int y, HBITMAP bitmap, int width, int height) {
    std::string line;
    {
        std::lock_guard<std::mutex> lock(Gdi().mutex);
        auto found = Gdi().bitmaps.find(reinterpret_cast<uintptr_t>(bitmap));
        if (found == Gdi().bitmaps.end() ||
            Gdi().contexts.count(reinterpret_cast<uintptr_t>(dc)) == 0) {
            return FALSE;
        }
        char text[96];
        std::snprintf(text, sizeof text, "image %dx%d at %d,%d #%08X", width, height, x, y,
                      headless::PixelFingerprint(found->second.pixels));
        line = text;
    }
    headless::RecordPaint(dc, line);
    return TRUE;
}

bool DecodePng(std::span<const uint8_t> bytes, int& width, int& height,
               std::vector<uint32_t>& premultipliedBgra) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) {
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> pixels(static_cast<size_t>(image.width) * image.height);
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return false;
    }
    for (uint32_t& pixel : pixels) {
        uint32_t alpha = pixel >> 24;
        uint32_t blue = (pixel & 0xFF) * alpha / 255;
        uint32_t green = ((pixel >> 8) & 0xFF) * alpha / 255;
        uint32_t red = ((pixel >> 16) & 0xFF) * alpha / 255;
        pixel = (alpha << 24) | (red << 16) | (green << 8) | blue;
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    premultipliedBgra = std::move(pixels);
    return true;
}

BOOL GetWorkArea(RECT& workArea) {
    workArea = headless::ScreenWorkArea();
    return TRUE;
}

}  // namespace win
