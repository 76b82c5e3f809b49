// The frames of an animated GIF as they show on screen. A GIF stores each frame as a patch of the
// logical screen that is drawn over what the frames before it left there; what stays after a
// frame depends on its disposal. Portable: the decoder hands the patches in, the pictures to show
// come out.
#pragma once

#include <cstdint>
#include <vector>

namespace gui {

// What happens to a frame's patch before the next frame is drawn.
enum class GifDisposal {
    Keep,        // stays (disposal 0, "unspecified", and 1)
    Background,  // its rectangle is cleared to transparent (2)
    Previous,    // the screen goes back to what it was before the patch (3)
};

// The disposal a stored disposal method means; values above 3 are treated as Keep.
GifDisposal GifDisposalFromCode(unsigned code);

// A frame's stored delay (hundredths of a second) in milliseconds. Delays below two hundredths
// are shown as 100 ms, as browsers do: such files were written to mean "as fast as sensible".
int GifFrameDelay(unsigned hundredths);

struct GifPatch {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // width x height pixels, 0xAARRGGBB premultiplied, top row first; alpha 0 is a transparent
    // pixel that leaves the screen under it as it is.
    std::vector<uint32_t> pixels;
    GifDisposal disposal = GifDisposal::Keep;
};

// The whole logical screen as it shows while each frame is on, one picture per patch (same pixel
// form as the patches). Parts of a patch outside the screen are cut off; the screen starts
// transparent.
std::vector<std::vector<uint32_t>> ComposeGifFrames(int screenWidth, int screenHeight,
                                                    const std::vector<GifPatch>& patches);

}  // namespace gui
