#include "ImageList.h"

#include <cstdint>
#include <vector>

namespace gui {

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
    if (handle_) ImageList_Destroy(handle_);
}

void TImageList::SetWidth(int width) {
    if (width < 1) throw Exception("Invalid image size");
    if (width == width_) return;
    width_ = width;
    Recreate();
}

void TImageList::SetHeight(int height) {
    if (height < 1) throw Exception("Invalid image size");
    if (height == height_) return;
    height_ = height;
    Recreate();
}

void TImageList::Recreate() {
    if (handle_) ImageList_Destroy(handle_);
    handle_ = nullptr;
    describedStrips_.clear();
}

HIMAGELIST TImageList::Handle() {
    if (!handle_) {
        handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 4, 4);
        if (!handle_) throw Exception("Cannot create an image list");
    }
    AddDescribedStrips();
    return handle_;
}

void TImageList::AddDescribedStrips() {
    std::vector<DescribedStrip> strips = std::move(describedStrips_);
    describedStrips_.clear();
    const TColor maskColor = maskColor_;
    for (DescribedStrip& strip : strips) {
        maskColor_ = strip.maskColor;
        AddStrip(*strip.picture);
    }
    maskColor_ = maskColor;
}

int TImageList::Count() const {
    if (!describedStrips_.empty()) const_cast<TImageList*>(this)->Handle();
    return handle_ ? ImageList_GetImageCount(handle_) : 0;
}

void TImageList::Clear() {
    describedStrips_.clear();
    if (handle_) ImageList_Remove(handle_, -1);
}

int TImageList::AddStrip(TBitmap& strip) {
    const int count = strip.Width() / width_;
    if (count < 1 || strip.Height() < 1) return -1;
    const int w = count * width_, h = height_;

    // Colour part: a fresh DIB exactly as large as the images, rows past the picture white.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!color) throw Exception("Cannot create an image strip");
    auto* pixels = static_cast<uint32_t*>(bits);

    // Mask part: one bit per pixel, 1 = left out; rows padded to 16 bits.
    const int maskStride = ((w + 15) / 16) * 2;
    std::vector<uint8_t> mask(static_cast<size_t>(maskStride) * h, 0);

    bool useMaskColor = maskColor_ != clNone;
    uint32_t maskRgb = 0;  // 0x00RRGGBB as the scan lines hold it
    if (useMaskColor) {
        if (maskColor_ == clDefault) {
            maskRgb = strip.ScanLine(strip.Height() - 1)[0] & 0x00FFFFFF;
        } else {
            const TColor c = ColorToRGB(maskColor_);
            maskRgb = (static_cast<uint32_t>(RedOf(c)) << 16) |
                      (static_cast<uint32_t>(GreenOf(c)) << 8) | static_cast<uint32_t>(BlueOf(c));
        }
    }
    const bool alpha = strip.HasAlpha();
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = y < strip.Height() ? strip.ScanLine(y) : nullptr;
        for (int x = 0; x < w; ++x) {
            uint32_t p = src ? src[x] : 0x00FFFFFF;
            bool transparent = false;
            if (src && alpha) {
                const uint32_t a = p >> 24;
                transparent = a < 128;
                if (!transparent && a < 255) {
                    // Undo the premultiplication of an edge pixel that stays.
                    auto un = [a](uint32_t v) { return (v * 255 + a / 2) / a; };
                    p = (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) | un(p & 0xFF);
                }
            }
            if (src && useMaskColor && (p & 0x00FFFFFF) == maskRgb) transparent = true;
            // Left-out pixels must be black in the colour part for the masked blit.
            pixels[static_cast<size_t>(y) * w + x] = transparent ? 0 : (p & 0x00FFFFFF);
            if (transparent)
                mask[static_cast<size_t>(y) * maskStride + x / 8] |=
                    static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    HBITMAP maskBitmap = CreateBitmap(w, h, 1, 1, mask.data());
    const int first = ImageList_Add(Handle(), color, maskBitmap);
    DeleteObject(maskBitmap);
    DeleteObject(color);
    if (first < 0) throw Exception("Cannot add images to an image list");
    return first;
}

int TImageList::AddResource(const std::string& name) {
    TBitmap picture;
    picture.LoadFromResourceName(name);
    return AddStrip(picture);
}

bool TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= Count()) return false;
    if (enabled) return ImageList_Draw(handle_, index, dc, x, y, ILD_TRANSPARENT) != FALSE;
    // Faded: half-way towards the face colour of buttons and menus.
    return ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, CLR_NONE, ColorToColorRef(clBtnFace),
                            ILD_TRANSPARENT | ILD_BLEND50) != FALSE;
}

bool TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    return Draw(canvas.Handle(), x, y, index, enabled);
}

bool TImageList::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Width")) {
        SetWidth(value.AsInt());
        return true;
    }
    if (SameText(name, "Height")) {
        SetHeight(value.AsInt());
        return true;
    }
    if (SameText(name, "MaskColor")) {
        SetMaskColor(ColorFromValue(value));
        return true;
    }
    if (SameText(name, "Strip") || SameText(name, "Bitmap")) {
        if (SameText(name, "Bitmap") && value.kind != PropertyValue::Kind::Binary)
            throw Exception("Invalid property value");
        auto picture = std::make_unique<TBitmap>();
        if (value.kind == PropertyValue::Kind::Binary)
            picture->LoadEncoded(std::string(value.data.begin(), value.data.end()));
        else
            picture->LoadFromResourceName(value.AsString());
        describedStrips_.push_back({std::move(picture), maskColor_});
        return true;
    }
    return TComponent::SetProperty(name, value);
}

}  // namespace gui
