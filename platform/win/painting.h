#pragma once
// Drawing and the screen: device contexts, text extents, painting with fonts, colours and
// 32-bit images with per-pixel alpha, the screen's dots per inch and the work area.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/win/window_types.h"

namespace win {

// GetDC(nullptr) is the screen's.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int GetDeviceCaps(HDC dc, int index);
// GetTextExtentPoint32W with the context's font.
BOOL GetTextExtentPoint32(HDC dc, const std::u16string& text, SIZE& size);

// BeginPaint / EndPaint.
struct PaintContext {
    HDC dc = nullptr;
    RECT paintRect{0, 0, 0, 0};
};
HDC BeginPaint(HWND window, PaintContext& paint);
BOOL EndPaint(HWND window, const PaintContext& paint);

// CreateFontW with the given height, weight and pitch-and-family, everything else default.
HFONT CreateFont(int height, int weight, DWORD pitchAndFamily, const std::u16string& faceName);
// Deletes a font or a bitmap.
BOOL DeleteObject(void* object);
// Selects a font and returns the one it replaces.
HFONT SelectFont(HDC dc, HFONT font);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
int DrawText(HDC dc, const std::u16string& text, RECT& rect, UINT format);

// A 32-bit top-down bitmap from premultiplied BGRA pixels (width * height of them), and
// AlphaBlend of the whole bitmap at (x, y) with AC_SRC_OVER, constant alpha 255, AC_SRC_ALPHA.
HBITMAP CreateAlphaBitmap(int width, int height, std::span<const uint32_t> premultipliedBgra);
BOOL AlphaBlendBitmap(HDC dc, int x, int y, HBITMAP bitmap, int width, int height);

// Decodes a PNG image into premultiplied BGRA pixels, top row first. False for bytes that are
// not a PNG image the decoder can read.
bool DecodePng(std::span<const uint8_t> bytes, int& width, int& height,
               std::vector<uint32_t>& premultipliedBgra);

// SystemParametersInfoW(SPI_GETWORKAREA).
BOOL GetWorkArea(RECT& workArea);

}  // namespace win
