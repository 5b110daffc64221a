#pragma once
// A 32-bit image with per-pixel alpha, ready for AlphaBlend, and its loading from the module's
// PNG resources.

#include <string>

#include "platform/win/window_types.h"

class AlphaImage {
public:
    AlphaImage() = default;
    ~AlphaImage() { Clear(); }
    AlphaImage(const AlphaImage&) = delete;
    AlphaImage& operator=(const AlphaImage&) = delete;

    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Deletes the bitmap, if any.
    void Clear();
    // Takes over `bitmap` of the given size.
    void Attach(HBITMAP bitmap, int width, int height);

private:
    HBITMAP bitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Replaces the image's bitmap with resource `id` of type `type` ("PNG") of the module. False
// when the module has no such resource (the image is then empty). A resource that does not
// decode leaves the image empty but still counts as loaded.
bool LoadPngResource(AlphaImage& image, int id, const std::u16string& type);
