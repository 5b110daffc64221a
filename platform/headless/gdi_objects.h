#pragma once
// What tests may ask of the headless drawing objects.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace win::headless {

// Device contexts, fonts and bitmaps that exist now; a paint that releases what it takes
// leaves the count as it found it.
size_t LiveGdiObjects();

// The text width the headless screen measures (see painting_headless.cpp).
int TextWidthPixels(const std::u16string& text, int dpi);

// The fingerprint a paint record gives an image ("image 16x16 at 0,0 #1234ABCD").
uint32_t PixelFingerprint(std::span<const uint32_t> pixels);

}  // namespace win::headless
