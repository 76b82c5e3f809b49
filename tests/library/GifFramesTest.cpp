// What each frame of an animated GIF shows once the frames before it and their disposal have
// done their work.
#include <gtest/gtest.h>

#include "GifFrames.h"

namespace {

using gui::GifDisposal;
using gui::GifPatch;

const uint32_t R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, T = 0;

GifPatch Patch(int left, int top, int width, int height, std::vector<uint32_t> pixels,
               GifDisposal disposal = GifDisposal::Keep) {
    return {left, top, width, height, std::move(pixels), disposal};
}

TEST(GifFramesTest, EachDisposalLeavesWhatTheNextFrameIsDrawnOver) {
    // A red 2 x 1 screen; then a patch that is kept, cleared, or taken back again, each time
    // followed by a patch whose transparent pixel shows what stayed.
    auto run = [](GifDisposal disposal) {
        return gui::ComposeGifFrames(2, 1,
                                     {Patch(0, 0, 2, 1, {R, R}), Patch(1, 0, 1, 1, {G}, disposal),
                                      Patch(0, 0, 2, 1, {B, T})});
    };
    auto kept = run(GifDisposal::Keep);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[1], (std::vector<uint32_t>{R, G}));
    EXPECT_EQ(kept[2], (std::vector<uint32_t>{B, G}));
    EXPECT_EQ(run(GifDisposal::Background)[2], (std::vector<uint32_t>{B, T}));
    EXPECT_EQ(run(GifDisposal::Previous)[2], (std::vector<uint32_t>{B, R}));
}

TEST(GifFramesTest, PatchesAreCutToTheScreenAndToThePixelsTheyCarry) {
    // Hanging over the right and bottom edges, starting left of the screen, and claiming three
    // rows while carrying one: only what lies on the screen and exists is drawn.
    auto frames =
        gui::ComposeGifFrames(2, 2,
                              {Patch(1, 1, 2, 2, {R, R, R, R}), Patch(-1, 0, 2, 1, {G, G}),
                               Patch(0, 0, 2, 3, {B, B}, GifDisposal::Background)});
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0], (std::vector<uint32_t>{T, T, T, R}));
    EXPECT_EQ(frames[1], (std::vector<uint32_t>{G, T, T, R}));
    EXPECT_EQ(frames[2], (std::vector<uint32_t>{B, B, T, R}));
    EXPECT_TRUE(gui::ComposeGifFrames(0, 5, {Patch(0, 0, 1, 1, {R})}).empty());
}

TEST(GifFramesTest, StoredCodesAndDelays) {
    EXPECT_EQ(gui::GifDisposalFromCode(0), GifDisposal::Keep);
    EXPECT_EQ(gui::GifDisposalFromCode(2), GifDisposal::Background);
    EXPECT_EQ(gui::GifDisposalFromCode(3), GifDisposal::Previous);
    EXPECT_EQ(gui::GifDisposalFromCode(7), GifDisposal::Keep);
    EXPECT_EQ(gui::GifFrameDelay(0), 100);
    EXPECT_EQ(gui::GifFrameDelay(1), 100);
    EXPECT_EQ(gui::GifFrameDelay(2), 20);
    EXPECT_EQ(gui::GifFrameDelay(50), 500);
}

}  // namespace
