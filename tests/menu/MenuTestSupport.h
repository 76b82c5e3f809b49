// Pictures and probes shared by the menu tests: menu items made in one call, a generated image
// strip, a canvas with a fixed font, and pixel searches over a drawn bitmap.
#pragma once

#include <string>

#include "Graphics.h"
#include "ImageList.h"
#include "Menu.h"

namespace menutest {

// A new item with that caption, owned by owner, as the last child of parent.
inline gui::TMenuItem* AddItem(gui::TMenuItem* parent, gui::TComponent* owner,
                               const std::string& caption) {
    auto* item = new gui::TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

constexpr int kImageWidth = 20, kImageHeight = 15;
constexpr gui::TColor kMask = gui::clFuchsia;

// Colour of image i of the test strip; none of them occurs in a preset.
inline gui::TColor ImageColor(int i) {
    return gui::RGBColor(10 + 40 * i, 200 - 30 * i, 33);
}

// `count` images of 20 x 15, each a solid colour with a mask-coloured top-left pixel.
inline void FillStrip(gui::TImageList& list, int count) {
    list.SetWidth(kImageWidth);
    list.SetHeight(kImageHeight);
    list.SetMaskColor(kMask);
    gui::TBitmap strip(kImageWidth * count, kImageHeight);
    for (int i = 0; i < count; ++i)
        for (int y = 0; y < kImageHeight; ++y)
            for (int x = 0; x < kImageWidth; ++x)
                strip.SetPixel(i * kImageWidth + x, y, x == 0 && y == 0 ? kMask : ImageColor(i));
    list.AddStrip(strip);
}

// The menu font of the tests: fixed, so measures do not follow the desktop's settings.
inline void UseTestFont(gui::TCanvas& canvas) {
    canvas.Font().SetName("Tahoma");
    canvas.Font().SetHeight(-11);
    canvas.Font().SetStyle(0);
}

inline void Clear(gui::TBitmap& bitmap, gui::TColor color) {
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixel(x, y, color);
}

// Number of pixels of exactly `color` inside [left, right) x [top, bottom).
inline int CountColor(const gui::TBitmap& b, gui::TColor color, int left, int top, int right,
                      int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (b.Pixel(x, y) == color) ++n;
    return n;
}

// Pixels in the area that differ from `background`.
inline int CountOther(const gui::TBitmap& b, gui::TColor background, int left, int top, int right,
                      int bottom) {
    return (right - left) * (bottom - top) - CountColor(b, background, left, top, right, bottom);
}

}  // namespace menutest
