// Small pictures made by the tests themselves, as the bytes of a picture file of each format the
// image control reads, and a tolerant comparison of colours.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Color.h"
#include "Graphics.h"

namespace controls_test {

// A picture as rows of 0xAARRGGBB values (not premultiplied), top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;

    Pixels(int w, int h, uint32_t fill) : width(w), height(h), argb(size_t(w) * h, fill) {}
    uint32_t& at(int x, int y) { return argb[size_t(y) * width + x]; }
    uint32_t at(int x, int y) const { return argb[size_t(y) * width + x]; }
    // Fills the four quarters with the colours given left to right, top to bottom.
    static Pixels Quarters(int w, int h, uint32_t a, uint32_t b, uint32_t c, uint32_t d);
};

// The colour of an opaque 0xAARRGGBB value as a TColor.
gui::TColor ToColor(uint32_t argb);

// Picture files written byte by byte (no codec involved), so the decoder is checked against
// data it did not write itself.
std::string MakeBmp(const Pixels& pixels);  // 24 bits, bottom-up rows
std::string MakeIco(const Pixels& pixels);  // one 32-bit image with its alpha channel
// Palette picture of up to four colours (the pixels must use only these).
std::string MakeGif(const Pixels& pixels, const std::vector<uint32_t>& palette);
// Written through WIC's encoders.
std::string MakePng(const Pixels& pixels);
std::string MakeJpeg(const Pixels& pixels);

// Within a tolerance per channel (lossy formats, scaled drawing).
bool Near(gui::TColor a, gui::TColor b, int tolerance);

}  // namespace controls_test
