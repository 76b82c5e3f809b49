// The gradient bar's properties and its bands, painted into pictures of the bar's own size.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "NetGradient.h"
#include "WindowComponentsTestSupport.h"

namespace {

using gui::RGBColor;

// A borderless form holding one bar named Bar with the given lines.
std::unique_ptr<gui::TForm> BarForm(int width, int height, const std::string& lines) {
    return windowtest::MakeForm(
        "object Form1: TForm\n"
        "  BorderStyle = bsNone\n"
        "  ClientWidth = 400\n"
        "  ClientHeight = 120\n"
        "  object Bar: TNetGradient\n"
        "    Width = " +
        std::to_string(width) + "\n" + "    Height = " + std::to_string(height) + "\n" + lines +
        "  end\n"
        "end\n");
}

TNetGradient& BarOf(gui::TForm& form) {
    auto* bar = dynamic_cast<TNetGradient*>(form.FindComponent("Bar"));
    if (!bar) throw std::runtime_error("the form has no bar");
    return *bar;
}

// Paints the bar into a picture of its size, as its parent's painting does.
void Render(TNetGradient& bar, gui::TBitmap& picture) {
    picture.SetSize(bar.Width(), bar.Height());
    bar.PaintTo(picture.Canvas().Handle());
}

bool Uniform(const gui::TBitmap& picture, gui::TColor color) {
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (picture.Pixel(x, y) != color) return false;
    return true;
}

TEST(NetGradientProperties, DescriptionFillsTheBarsOwnFontCaptionAndAutoSize) {
    auto form = BarForm(200, 30,
                        "    AutoSize = True\n"
                        "    Font.Color = clRed\n"
                        "    Font.Name = 'Arial'\n"
                        "    Font.Style = [fsItalic, fsUnderline]\n"
                        "    Caption = 'Banner'\n"
                        "    TextTop = -3\n"
                        "    TextLeft = 40\n");
    TNetGradient& bar = BarOf(*form);
    EXPECT_TRUE(bar.AutoSize());
    EXPECT_EQ(bar.Font().Color(), gui::clRed);
    EXPECT_EQ(bar.Font().Name(), "Arial");
    EXPECT_EQ(bar.Font().Style(), gui::fsItalic | gui::fsUnderline);
    EXPECT_EQ(bar.Caption(), "Banner");
    EXPECT_EQ(bar.TextTop(), -3);
    EXPECT_EQ(bar.TextLeft(), 40);
    // The base control's font and caption are other objects and stay as they were.
    gui::TControl& base = bar;
    EXPECT_NE(&base.Font(), &bar.Font());
    EXPECT_EQ(base.Font().Style(), 0u);
    EXPECT_NE(base.Font().Name(), "Arial");
    EXPECT_EQ(base.Caption(), "");
    // AutoSize is only stored: the bar keeps the size it was given.
    EXPECT_EQ(bar.Width(), 200);
    EXPECT_EQ(bar.Height(), 30);
}

TEST(NetGradientProperties, BasePropertiesKeepTheirBehaviourAndUnpublishedOnesAreRefused) {
    auto form = BarForm(100, 10,
                        "    Align = alBottom\n"
                        "    Enabled = False\n"
                        "    ShowHint = True\n"
                        "    Hint = 'gradient'\n"
                        "    DragMode = dmAutomatic\n"
                        "    DragCursor = crDrag\n"
                        "    FillDirection = fdRightToLeft\n"
                        "    NumberOfColors = 16\n");
    TNetGradient& bar = BarOf(*form);
    EXPECT_EQ(bar.Parent(), form.get());
    EXPECT_EQ(bar.Align(), gui::alBottom);
    EXPECT_EQ(bar.Width(), 400);  // aligned across the client area
    EXPECT_EQ(bar.Top(), 110);
    EXPECT_FALSE(bar.Enabled());
    EXPECT_TRUE(bar.ShowHint());
    EXPECT_EQ(bar.Hint(), "gradient");
    EXPECT_EQ(bar.DragMode(), "dmAutomatic");
    EXPECT_EQ(bar.FillDirection(), fdRightToLeft);
    EXPECT_EQ(bar.NumberOfColors(), 16);

    for (const char* line : {"    Color = clRed\n", "    ParentFont = False\n", "    Text = 'x'\n",
                             "    Font.Weight = 3\n", "    FillDirection = fdTopToBottom\n",
                             "    BeginColor = 'red'\n"})
        EXPECT_THROW(BarForm(100, 10, line), gui::Exception) << line;
}

TEST(NetGradientProperties, NumberOfColorsIsClampedToOneByte) {
    gui::TComponent owner(nullptr);
    auto* bar = new TNetGradient(&owner);
    bar->SetNumberOfColors(0);
    EXPECT_EQ(bar->NumberOfColors(), 1);
    bar->SetNumberOfColors(256);
    EXPECT_EQ(bar->NumberOfColors(), 255);
    // A description's number is clamped before it could be cut to 32 or 8 bits.
    EXPECT_TRUE(bar->SetProperty("NumberOfColors", gui::PropertyValue::Int(int64_t{1} << 32)));
    EXPECT_EQ(bar->NumberOfColors(), 255);
    EXPECT_TRUE(bar->SetProperty("NumberOfColors", gui::PropertyValue::Int(257)));
    EXPECT_EQ(bar->NumberOfColors(), 255);
    EXPECT_TRUE(bar->SetProperty("NumberOfColors", gui::PropertyValue::Int(-(int64_t{1} << 40))));
    EXPECT_EQ(bar->NumberOfColors(), 1);

    auto form = BarForm(50, 2, "    NumberOfColors = 0\n    BeginColor = clRed\n");
    EXPECT_EQ(BarOf(*form).NumberOfColors(), 1);
    gui::TBitmap picture;
    Render(BarOf(*form), picture);
    EXPECT_TRUE(Uniform(picture, gui::clRed));
}

TEST(NetGradientProperties, BarWithoutParentPaintsNothing) {
    gui::TComponent owner(nullptr);
    auto* bar = new TNetGradient(&owner);
    bar->SetBeginColor(gui::clRed);
    bar->SetEndColor(gui::clBlue);
    bar->SetFillDirection(fdRightToLeft);
    bar->SetCaption("no window");
    bar->SetTextTop(1);
    bar->SetTextLeft(1);
    gui::TFont font;
    font.SetColor(gui::clGreen);
    bar->SetFont(font);
    bar->PaintGradient();
    EXPECT_EQ(bar->Font().Color(), gui::clGreen);
    // Painting would have given the canvas a context to draw on.
    EXPECT_FALSE(bar->Canvas().HandleAllocated());
}

TEST(NetGradientBands, FullWidthGradientRunsExactlyFromStartToEnd) {
    auto form = BarForm(255, 3, "    BeginColor = clRed\n    EndColor = clBlue\n");
    gui::TBitmap picture;
    Render(BarOf(*form), picture);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(picture.Pixel(0, y), gui::clRed);
        EXPECT_EQ(picture.Pixel(254, y), gui::clBlue);
    }
    // Band 127 of 255: 127 * 255 / 254 = 127.5, rounded away from zero.
    EXPECT_EQ(picture.Pixel(127, 1), RGBColor(127, 0, 128));
    EXPECT_EQ(picture.Pixel(1, 1), RGBColor(254, 0, 1));

    // Falling channels round the same way: 200 - 101 * 1/2 = 200 - 50.5 -> 149.
    auto falling =
        BarForm(3, 1, "    BeginColor = 200\n    EndColor = 99\n    NumberOfColors = 3\n");
    Render(BarOf(*falling), picture);
    EXPECT_EQ(picture.Pixel(0, 0), RGBColor(200, 0, 0));
    EXPECT_EQ(picture.Pixel(1, 0), RGBColor(149, 0, 0));
    EXPECT_EQ(picture.Pixel(2, 0), RGBColor(99, 0, 0));
}

TEST(NetGradientBands, OneBandFillsTheBarWithTheStartColour) {
    auto form = BarForm(37, 9,
                        "    BeginColor = clRed\n    EndColor = clBlue\n"
                        "    NumberOfColors = 1\n");
    gui::TBitmap picture;
    Render(BarOf(*form), picture);
    EXPECT_TRUE(Uniform(picture, gui::clRed));
    BarOf(*form).SetFillDirection(fdRightToLeft);
    Render(BarOf(*form), picture);
    EXPECT_TRUE(Uniform(picture, gui::clBlue));
}

TEST(NetGradientBands, TwoBandsSplitAnOddWidthAtTheRoundedMiddle) {
    auto form = BarForm(121, 2,
                        "    BeginColor = clLime\n    EndColor = clNavy\n"
                        "    NumberOfColors = 2\n");
    gui::TBitmap picture;
    Render(BarOf(*form), picture);
    for (int x = 0; x <= 60; ++x) ASSERT_EQ(picture.Pixel(x, 1), gui::clLime) << x;
    for (int x = 61; x <= 120; ++x) ASSERT_EQ(picture.Pixel(x, 1), gui::clNavy) << x;
}

TEST(NetGradientBands, MoreBandsThanColumnsShowTheBandCoveringEachColumn) {
    auto form = BarForm(120, 2, "    BeginColor = clRed\n    EndColor = clBlue\n");
    gui::TBitmap picture;
    Render(BarOf(*form), picture);
    // Band 0 ends before column 0 is reached (255 bands on 120 columns): column 0 shows band 1,
    // column 119 band 253, so neither edge shows an exact end colour.
    EXPECT_EQ(picture.Pixel(0, 0), RGBColor(254, 0, 1));
    EXPECT_EQ(picture.Pixel(119, 0), RGBColor(1, 0, 254));
    EXPECT_EQ(GradientBandLeft(1, 120, 255), 0);
    EXPECT_EQ(GradientBandLeft(254, 120, 255), 120);
}

TEST(NetGradientBands, RightToLeftPutsTheEndColourAtTheLeftEdge) {
    auto form = BarForm(300, 2,
                        "    BeginColor = clBlue\n    EndColor = clRed\n"
                        "    FillDirection = fdRightToLeft\n");
    gui::TBitmap picture;
    Render(BarOf(*form), picture);
    EXPECT_EQ(picture.Pixel(0, 0), gui::clRed);
    EXPECT_EQ(picture.Pixel(299, 1), gui::clBlue);
}

TEST(NetGradientBands, EqualColoursGiveAUniformBar) {
    auto form = BarForm(333, 7, "    BeginColor = 3355443\n    EndColor = 3355443\n");
    gui::TBitmap picture;
    Render(BarOf(*form), picture);
    EXPECT_TRUE(Uniform(picture, RGBColor(0x33, 0x33, 0x33)));
}

TEST(NetGradientBands, OnePixelHighBarIsAGradientLine) {
    auto form = BarForm(255, 1, "    BeginColor = clBlack\n    EndColor = clWhite\n");
    gui::TBitmap picture;
    Render(BarOf(*form), picture);
    ASSERT_EQ(picture.Height(), 1);
    EXPECT_EQ(picture.Pixel(0, 0), gui::clBlack);
    EXPECT_EQ(picture.Pixel(254, 0), gui::clWhite);
    for (int x = 1; x < 255; ++x)
        ASSERT_LT(gui::RedOf(picture.Pixel(x - 1, 0)), gui::RedOf(picture.Pixel(x, 0))) << x;
}

TEST(NetGradientBands, SystemEndColourIsResolvedAtEveryPaint) {
    auto form = BarForm(100, 2,
                        "    BeginColor = clBlack\n    EndColor = clBtnFace\n"
                        "    NumberOfColors = 2\n");
    gui::TBitmap picture;
    {
        windowtest::SystemColorChange face(COLOR_BTNFACE, RGB(10, 200, 30));
        Render(BarOf(*form), picture);
        EXPECT_EQ(picture.Pixel(99, 0), RGBColor(10, 200, 30));
    }
    {
        windowtest::SystemColorChange face(COLOR_BTNFACE, RGB(220, 20, 90));
        Render(BarOf(*form), picture);
        EXPECT_EQ(picture.Pixel(99, 0), RGBColor(220, 20, 90));
        EXPECT_EQ(picture.Pixel(0, 0), gui::clBlack);
    }
}

// Where the caption's pixels (in the font colour) lie within the picture.
RECT InkBounds(const gui::TBitmap& picture, gui::TColor ink) {
    RECT box{picture.Width(), picture.Height(), -1, -1};
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (picture.Pixel(x, y) == ink) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

TEST(NetGradientCaption, CaptionIsDrawnWithoutBackgroundAtTextLeftAndTop) {
    auto form = BarForm(200, 40,
                        "    BeginColor = clNavy\n    EndColor = clNavy\n"
                        "    Font.Color = clYellow\n    Font.Height = -16\n"
                        "    Caption = 'MMMM'\n    TextLeft = 30\n    TextTop = 9\n");
    TNetGradient& bar = BarOf(*form);
    gui::TBitmap picture;
    Render(bar, picture);
    RECT ink = InkBounds(picture, gui::clYellow);
    ASSERT_LT(ink.left, ink.right) << "no caption drawn";
    EXPECT_GE(ink.left, 30);
    EXPECT_LE(ink.left, 33);
    EXPECT_GE(ink.top, 9);
    EXPECT_LE(ink.bottom, 9 + 16 + 4);
    // A clear brush: whatever is not ink is the gradient.
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            gui::TColor c = picture.Pixel(x, y);
            if (c != gui::clYellow && c != gui::clNavy) {
                // Smoothed glyph edges blend the two next to the ink; nothing else may appear.
                ASSERT_TRUE(x >= ink.left - 2 && x < ink.right + 2 && y >= ink.top - 2 &&
                            y < ink.bottom + 2)
                    << x << "," << y;
            }
        }

    bar.SetCaption("");
    Render(bar, picture);
    EXPECT_TRUE(Uniform(picture, gui::clNavy));
}

}  // namespace
