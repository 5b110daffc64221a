#include "ui/png_image.h"

#include <cstdint>
#include <span>
#include <vector>

#include "platform/win/painting.h"
#include "resources/module_resource.h"
#include "resources/string_loader.h"

void AlphaImage::Clear() {
    if (bitmap_ != nullptr) {
        win::DeleteObject(bitmap_);
    }
    bitmap_ = nullptr;
    width_ = 0;
    height_ = 0;
}

void AlphaImage::Attach(HBITMAP bitmap, int width, int height) {
    Clear();
    bitmap_ = bitmap;
    width_ = width;
    height_ = height;
}

bool LoadPngResource(AlphaImage& image, int id, const std::u16string& type) {
    image.Clear();
    std::span<const uint8_t> bytes;
    if (!FindModuleResource(static_cast<HINSTANCE>(ResourceModule()), id, type, bytes)) {
        return false;
    }
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    if (win::DecodePng(bytes, width, height, pixels)) {
        HBITMAP bitmap = win::CreateAlphaBitmap(width, height, pixels);
        if (bitmap != nullptr) {
            image.Attach(bitmap, width, height);
        }
    }
    return true;
}
