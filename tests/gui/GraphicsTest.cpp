#include <windows.h>

#include <gtest/gtest.h>

#include "Graphics.h"
#include "GuiTestSupport.h"

namespace {

TEST(Font, SizeAndHeightFollowEachOtherAndTheHandleFollowsChanges) {
    gui::TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    ASSERT_EQ(gui::ScreenPixelsPerInch(), 96);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11);
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    EXPECT_EQ(changes, 1);
    font.SetSize(12);  // no change, no notice
    EXPECT_EQ(changes, 1);

    HFONT before = font.Handle();
    EXPECT_EQ(font.Handle(), before);
    font.SetStyle(gui::fsBold | gui::fsUnderline);
    HFONT after = font.Handle();
    LOGFONTA described{};
    ASSERT_TRUE(GetObjectA(after, sizeof described, &described));
    EXPECT_EQ(described.lfWeight, FW_BOLD);
    EXPECT_TRUE(described.lfUnderline);
    EXPECT_FALSE(described.lfItalic);
    EXPECT_EQ(described.lfHeight, -16);

    gui::TFont copy;
    copy.Assign(font);
    EXPECT_TRUE(copy.SameAs(font));
    EXPECT_EQ(changes, 2);

    gui::PropertyValue bold;
    bold.kind = gui::PropertyValue::Kind::Set;
    bold.items = {"fsItalic"};
    EXPECT_TRUE(copy.SetProperty("Style", bold));
    EXPECT_EQ(copy.Style(), gui::fsItalic);
    EXPECT_TRUE(copy.SetProperty("Color", gui::PropertyValue::Ident("clNavy")));
    EXPECT_EQ(copy.Color(), gui::clNavy);
    EXPECT_TRUE(copy.SetProperty("Charset", gui::PropertyValue::Ident("ANSI_CHARSET")));
    EXPECT_EQ(copy.Charset(), ANSI_CHARSET);
    EXPECT_TRUE(copy.SetProperty("Name", gui::PropertyValue::Str("Tahoma")));
    EXPECT_FALSE(copy.SetProperty("Weight", gui::PropertyValue::Int(3)));
    EXPECT_THROW(copy.SetProperty("Size", gui::PropertyValue::Str("big")), gui::Exception);
}

TEST(Colors, SystemColoursResolveToTheCurrentSchemeAndPlainOnesStay) {
    EXPECT_EQ(gui::ColorToRGB(gui::clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(gui::ColorToRGB(gui::clWindowText), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(gui::ColorToRGB(0x00065386), 0x00065386u);
    EXPECT_EQ(gui::ColorToRGB(gui::clNone), gui::clNone);
    EXPECT_EQ(gui::ColorToColorRef(gui::clNone), 0x00FFFFFFu);
}

TEST(Canvas, DrawsOnABitmapWithItsBrushPenAndFont) {
    gui::TBitmap bitmap(60, 40);
    EXPECT_EQ(bitmap.Pixel(0, 0), gui::clWhite);
    EXPECT_EQ(bitmap.Pixel(60, 0), gui::clNone);
    gui::TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(gui::clBtnFace);
    canvas.FillRect(RECT{0, 0, 10, 10});
    EXPECT_EQ(bitmap.Pixel(9, 9), gui::ColorToRGB(gui::clBtnFace));
    EXPECT_EQ(bitmap.Pixel(10, 10), gui::clWhite);

    canvas.Pen().SetColor(gui::clRed);
    canvas.Brush().SetColor(gui::clYellow);
    canvas.Rectangle(20, 0, 30, 10);
    EXPECT_EQ(bitmap.Pixel(20, 5), gui::clRed);
    EXPECT_EQ(bitmap.Pixel(25, 5), gui::clYellow);

    canvas.Pen().SetWidth(1);
    canvas.Polyline({{0, 20}, {59, 20}});
    EXPECT_EQ(bitmap.Pixel(30, 20), gui::clRed);

    // Clear brush: the text has no background box; a solid brush gives it one.
    auto boxed = [&](int left) {
        for (int y = 24; y < 40; ++y)
            for (int x = left; x < left + 20; ++x)
                if (bitmap.Pixel(x, y) == gui::clYellow) return true;
        return false;
    };
    auto inked = [&](int left) {
        for (int y = 24; y < 40; ++y)
            for (int x = left; x < left + 20; ++x)
                if (bitmap.Pixel(x, y) == gui::clBlue) return true;
        return false;
    };
    canvas.Brush().SetStyle(gui::bsClear);
    canvas.Font().SetColor(gui::clBlue);
    canvas.Font().SetHeight(-14);
    canvas.TextOut(2, 24, "W");
    EXPECT_TRUE(inked(0));
    EXPECT_FALSE(boxed(0));
    canvas.Brush().SetStyle(gui::bsSolid);
    canvas.TextOut(32, 24, "W");
    EXPECT_TRUE(inked(30));
    EXPECT_TRUE(boxed(30));
    EXPECT_GT(canvas.TextWidth("WWW"), canvas.TextWidth("W"));
    EXPECT_GT(canvas.TextHeight("W"), 10);
    RECT r{0, 0, 30, 0};
    EXPECT_GT(canvas.DrawText("a b c d e f g h", r, DT_CALCRECT | DT_WORDBREAK), 14);
}

TEST(Bitmap, APngSavedAndReadBackKeepsItsPixelsAndBadDataIsRefused) {
    gui::TBitmap bitmap(7, 5);
    bitmap.SetPixel(0, 0, gui::clRed);
    bitmap.SetPixel(6, 4, gui::RGBColor(1, 2, 3));
    bitmap.Canvas().Brush().SetColor(gui::clGreen);
    bitmap.Canvas().FillRect(RECT{2, 1, 4, 3});
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "zembly-bitmap-test.png";
    bitmap.SaveToPng(path);

    gui::TBitmap read;
    read.LoadFromFile(path);
    DeleteFileA(path.c_str());
    ASSERT_EQ(read.Width(), 7);
    ASSERT_EQ(read.Height(), 5);
    EXPECT_FALSE(read.HasAlpha());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(read.Pixel(x, y), bitmap.Pixel(x, y)) << x << "," << y;

    gui::TBitmap target(10, 10);
    target.Canvas().Draw(3, 3, read);
    EXPECT_EQ(target.Pixel(3, 3), gui::clRed);
    EXPECT_EQ(target.Pixel(6, 5), gui::clGreen);
    EXPECT_EQ(target.Pixel(2, 2), gui::clWhite);

    const char junk[] = "\x89PNG\r\n\x1a\n this is not a picture";
    EXPECT_THROW(read.LoadFromMemory(junk, sizeof junk), gui::Exception);
    EXPECT_THROW(read.LoadFromMemory(nullptr, 0), gui::Exception);
    EXPECT_THROW(read.LoadFromFile("c:\\no\\such\\picture.png"), gui::Exception);
    gui::TBitmap empty;
    EXPECT_THROW(empty.SaveToPng(path), gui::Exception);
}

}  // namespace
