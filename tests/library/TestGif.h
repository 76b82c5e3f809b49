// Animated GIF files written byte by byte, so that the decoder is checked against frames,
// offsets, delays and transparency it did not write itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace library_test {

struct GifFrameSpec {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indices;  // width x height palette indices, top row first
    int delay = 0;                 // hundredths of a second
    int disposal = 1;
    int transparentIndex = -1;  // -1: none
};

// A GIF89a of the given screen size with a four-colour palette (0xRRGGBB values).
std::string MakeAnimatedGif(int width, int height, const std::vector<uint32_t>& palette,
                            const std::vector<GifFrameSpec>& frames);

}  // namespace library_test
