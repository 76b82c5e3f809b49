#include <gtest/gtest.h>

#include "OfficeMenuLayout.h"

namespace {

using namespace officemenu;

TEST(Gradient, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-62.25), -62);
}

TEST(Gradient, StripeColoursStartOneStepInAndEndExactly) {
    // One channel from 0xEB to 0xAB: the blue byte of the Office 2007 gradient 1.
    const std::uint32_t start = 0xEB0000, end = 0xAB0000;
    EXPECT_EQ(StripeColor(start, end, 0, 256), 0xEB0000u);
    EXPECT_EQ(StripeColor(start, end, 7, 256), 0xE90000u);
    EXPECT_EQ(StripeColor(start, end, 248, 256), 0xAD0000u);
    EXPECT_EQ(StripeColor(start, end, 255, 256), 0xAB0000u);
    // Channels are independent, and a rising channel ends exactly as well.
    EXPECT_EQ(StripeColor(0x00EBFDFF, 0x00ABEBFF, 255, 256), 0x00ABEBFFu);
    EXPECT_EQ(StripeColor(0x000000, 0xFFFFFF, 255, 256), 0xFFFFFFu);
    EXPECT_EQ(StripeColor(0x000000, 0xFFFFFF, 0, 256), 0x010101u);
    // Few steps: stripe 0 is already 1/n of the way.
    EXPECT_EQ(StripeColor(0x00, 0x64, 0, 4), 0x19u);
    EXPECT_EQ(StripeColor(0x00, 0x64, 3, 4), 0x64u);
}

TEST(Gradient, RowsOfAShortPartComeFromInnerStripes) {
    EXPECT_EQ(StripeAtOffset(0, 256, 17), 7);
    EXPECT_EQ(StripeAtOffset(16, 256, 17), 248);
    EXPECT_EQ(StripeAtOffset(17, 256, 17), -1);
    // Every row of a part is covered by some stripe.
    for (int size : {1, 2, 17, 30, 255, 256, 300})
        for (int row = 0; row < size; ++row) EXPECT_GE(StripeAtOffset(row, 256, size), 0);
}

TEST(Gradient, TallPartsShowTheFirstAndLastStripe) {
    EXPECT_EQ(StripeAtOffset(0, 256, 256), 0);
    EXPECT_EQ(StripeAtOffset(255, 256, 256), 255);
    EXPECT_EQ(StripeAtOffset(0, 256, 600), 0);
    EXPECT_EQ(StripeAtOffset(599, 256, 600), 255);
    const Span s = StripeSpan(255, 256, 600);
    EXPECT_EQ(s.to, 600);
}

TEST(Gradient, StripesTileThePartWithoutGapsOrOverlap) {
    for (int size : {5, 17, 40, 256, 513}) {
        int next = 0;
        for (int i = 0; i < 256; ++i) {
            const Span s = StripeSpan(i, 256, size);
            EXPECT_EQ(s.from, next) << size << " " << i;
            EXPECT_GE(s.to, s.from);
            next = s.to;
        }
        EXPECT_EQ(next, size);
    }
}

}  // namespace
