#include "GifFrames.h"

#include <algorithm>
#include <cstddef>

namespace gui {

GifDisposal GifDisposalFromCode(unsigned code) {
    switch (code) {
        case 2:
            return GifDisposal::Background;
        case 3:
            return GifDisposal::Previous;
        default:
            return GifDisposal::Keep;
    }
}

int GifFrameDelay(unsigned hundredths) {
    return hundredths < 2 ? 100 : static_cast<int>(hundredths) * 10;
}

std::vector<std::vector<uint32_t>> ComposeGifFrames(int screenWidth, int screenHeight,
                                                    const std::vector<GifPatch>& patches) {
    std::vector<std::vector<uint32_t>> frames;
    if (screenWidth <= 0 || screenHeight <= 0) return frames;
    std::vector<uint32_t> screen(static_cast<size_t>(screenWidth) * screenHeight, 0);
    for (const GifPatch& patch : patches) {
        // The part of the patch that lies on the screen (a damaged patch may claim more pixels
        // than it carries: only whole rows it carries are drawn).
        int x0 = std::max(patch.left, 0), y0 = std::max(patch.top, 0);
        int x1 = std::min(patch.left + std::max(patch.width, 0), screenWidth);
        int y1 = std::min(patch.top + std::max(patch.height, 0), screenHeight);
        if (patch.width > 0) {
            int64_t carried = static_cast<int64_t>(patch.pixels.size()) / patch.width;
            y1 = static_cast<int>(std::min<int64_t>(y1, patch.top + carried));
        }
        std::vector<uint32_t> before;
        if (patch.disposal == GifDisposal::Previous) before = screen;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                uint32_t pixel = patch.pixels[static_cast<size_t>(y - patch.top) * patch.width +
                                              (x - patch.left)];
                if (pixel >> 24) screen[static_cast<size_t>(y) * screenWidth + x] = pixel;
            }
        frames.push_back(screen);
        if (patch.disposal == GifDisposal::Previous) {
            screen = std::move(before);
        } else if (patch.disposal == GifDisposal::Background) {
            for (int y = y0; y < y1; ++y)
                std::fill_n(screen.begin() + static_cast<std::ptrdiff_t>(y) * screenWidth + x0,
                            std::max(x1 - x0, 0), 0u);
        }
    }
    return frames;
}

}  // namespace gui
