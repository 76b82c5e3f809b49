// The gradient bar on a shown window: which property changes paint on the parent's surface at
// once, which ask for a repaint, and what the window shows afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "NetGradient.h"
#include "WindowComponentsTestSupport.h"
#include "WindowTestSupport.h"

namespace {

using windowtest::CaptureSurface;
using windowtest::Mark;
using windowtest::Settle;
using windowtest::WaitsForPaint;

constexpr COLORREF kMarker = RGB(255, 0, 255);  // a colour no bar of these tests paints

const char kForm[] =
    "object Form1: TForm\n"
    "  Left = 40\n"
    "  Top = 40\n"
    "  BorderStyle = bsNone\n"
    "  ClientWidth = 300\n"
    "  ClientHeight = 120\n"
    "  Color = clLime\n"
    "  object Bar: TNetGradient\n"
    "    Left = 20\n"
    "    Top = 30\n"
    "    Width = 200\n"
    "    Height = 40\n"
    "    BeginColor = clRed\n"
    "    EndColor = clBlue\n"
    "    Font.Color = clWhite\n"
    "  end\n"
    "end\n";

// One shown window for the whole suite: showing and destroying a window under wine costs about
// as much as all the checks together. Each test starts from the bar as described.
class NetGradientOnScreen : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        form_ = windowtest::MakeForm(kForm).release();
        windowtest::ShowAndSettle(*form_);
    }
    static void TearDownTestSuite() {
        gui::FreeDeviceContexts();
        delete form_;
        form_ = nullptr;
    }

    void SetUp() override {
        bar_ = dynamic_cast<TNetGradient*>(form_->FindComponent("Bar"));
        ASSERT_NE(bar_, nullptr);
        window_ = form_->Handle();
        bar_->SetFillDirection(fdLeftToRight);
        bar_->SetBeginColor(gui::clRed);
        bar_->SetEndColor(gui::clBlue);
        bar_->SetNumberOfColors(255);
        bar_->SetAutoSize(false);
        gui::TFont font;
        font.SetStyle(gui::fsBold);
        font.SetColor(gui::clWhite);
        bar_->SetFont(font);
        bar_->SetCaption("");
        bar_->SetTextTop(5);
        bar_->SetTextLeft(12);
        Settle(*form_);
    }

    // Covers the whole client area with the marker and leaves nothing waiting for a repaint.
    void MarkAll() {
        Settle(*form_);
        Mark(window_, RECT{0, 0, 300, 120}, kMarker);
    }

    // What a change did at once: whether the bar's area was painted (and nothing outside it),
    // and which area now waits for a repaint.
    struct Effect {
        bool painted;
        bool outsideTouched;
        bool invalidated;
        RECT waiting;
    };
    Effect Change(const std::function<void()>& change) {
        MarkAll();
        change();
        Effect effect{};
        gui::TBitmap surface;
        CaptureSurface(window_, surface);
        // Bottom-left corner of the bar: away from where the caption is drawn.
        effect.painted = surface.Pixel(22, 67) != kMarker;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 300; ++x)
                if ((x < 20 || x >= 220 || y < 30 || y >= 70) && surface.Pixel(x, y) != kMarker)
                    effect.outsideTouched = true;
        effect.invalidated = GetUpdateRect(window_, &effect.waiting, FALSE) != FALSE;
        return effect;
    }

    void TearDown() override { gui::FreeDeviceContexts(); }

    static gui::TForm* form_;
    TNetGradient* bar_ = nullptr;
    HWND window_ = nullptr;
};

gui::TForm* NetGradientOnScreen::form_ = nullptr;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(NetGradientOnScreen, ColourAndDirectionChangesPaintAtOnceAndAskForARepaint) {
    const RECT bounds{20, 30, 220, 70};
    for (auto change : std::vector<std::function<void()>>{
             [&] { bar_->SetBeginColor(gui::clYellow); }, [&] { bar_->SetEndColor(gui::clAqua); },
             [&] { bar_->SetBeginColor(bar_->BeginColor()); },  // same value: still paints
             [&] { bar_->SetFillDirection(fdRightToLeft); },
             [&] { bar_->SetFillDirection(fdLeftToRight); }}) {
        Effect effect = Change(change);
        EXPECT_TRUE(effect.painted);
        EXPECT_FALSE(effect.outsideTouched);
        EXPECT_TRUE(effect.invalidated);
        EXPECT_TRUE(SameRect(effect.waiting, bounds));
    }
    gui::TBitmap surface;
    Change([&] { bar_->SetBeginColor(gui::clYellow); });
    CaptureSurface(window_, surface);
    EXPECT_EQ(surface.Pixel(20, 50), gui::clYellow);
    EXPECT_EQ(surface.Pixel(219, 50), gui::clAqua);
}

TEST_F(NetGradientOnScreen, TextAndFontChangesPaintAtOnceWithoutARepaint) {
    gui::TFont other;
    other.SetColor(gui::clBlack);
    other.SetHeight(-14);
    for (auto change : std::vector<std::function<void()>>{
             [&] { bar_->SetCaption("Caption"); }, [&] { bar_->SetTextTop(8); },
             [&] { bar_->SetTextLeft(3); }, [&] { bar_->SetFont(other); }}) {
        Effect effect = Change(change);
        EXPECT_TRUE(effect.painted);
        EXPECT_FALSE(effect.outsideTouched);
        EXPECT_FALSE(effect.invalidated);
    }
    EXPECT_EQ(bar_->Font().Color(), gui::clBlack);
    EXPECT_EQ(bar_->Font().Height(), -14);
    EXPECT_NE(&bar_->Font(), &other);
}

TEST_F(NetGradientOnScreen, UnchangedDirectionAndOwnFontDoNothing) {
    for (auto change : std::vector<std::function<void()>>{
             [&] { bar_->SetFillDirection(fdLeftToRight); }, [&] { bar_->SetFont(bar_->Font()); },
             [&] { bar_->Font().SetColor(gui::clRed); }}) {
        Effect effect = Change(change);
        EXPECT_FALSE(effect.painted);
        EXPECT_FALSE(effect.outsideTouched);
        EXPECT_FALSE(effect.invalidated);
    }
}

TEST_F(NetGradientOnScreen, BandCountAndAutoSizeShowOnlyAtTheNextRepaint) {
    const RECT bounds{20, 30, 220, 70};
    Effect effect = Change([&] { bar_->SetNumberOfColors(1); });
    EXPECT_FALSE(effect.painted);
    EXPECT_TRUE(effect.invalidated);
    EXPECT_TRUE(SameRect(effect.waiting, bounds));
    Settle(*form_);
    gui::TBitmap surface;
    CaptureSurface(window_, surface);
    EXPECT_EQ(surface.Pixel(219, 50), gui::clRed);  // one band: the start colour throughout
    EXPECT_EQ(surface.Pixel(10, 50), kMarker);      // only the bar was asked to repaint

    effect = Change([&] { bar_->SetAutoSize(true); });
    EXPECT_FALSE(effect.painted);
    EXPECT_TRUE(effect.invalidated);
    EXPECT_TRUE(SameRect(effect.waiting, bounds));
}

TEST_F(NetGradientOnScreen, CaptionWiderThanTheBarIsCutOffAtItsEdge) {
    bar_->SetBeginColor(gui::clBlack);
    bar_->SetEndColor(gui::clBlack);
    gui::TFont large;
    large.SetColor(gui::clWhite);
    large.SetHeight(-24);
    bar_->SetFont(large);
    bar_->SetTextTop(4);
    const std::string wide(40, 'W');

    auto whiteInside = [](gui::TBitmap& surface) {
        int count = 0;
        for (int y = 30; y < 70; ++y)
            for (int x = 20; x < 220; ++x) count += surface.Pixel(x, y) == gui::clWhite;
        return count;
    };

    // Painted at once, on the parent's surface.
    Effect effect = Change([&] { bar_->SetCaption(wide); });
    EXPECT_FALSE(effect.outsideTouched);
    gui::TBitmap surface;
    CaptureSurface(window_, surface);
    EXPECT_GT(whiteInside(surface), 50);
    EXPECT_EQ(surface.Pixel(219, 67), gui::clBlack);

    // Painted by the parent's regular painting.
    InvalidateRect(window_, nullptr, TRUE);
    Settle(*form_);
    gui::CaptureWindow(window_, surface);
    EXPECT_GT(whiteInside(surface), 50);
    for (int y = 0; y < 120; ++y)
        for (int x = 220; x < 300; ++x)
            ASSERT_EQ(surface.Pixel(x, y), gui::clLime) << x << "," << y;
}

TEST(NetGradientPicture, BarsAsTheWindowsUseThem) {
    auto form = windowtest::MakeForm(
        "object Form1: TForm\n"
        "  Left = 60\n  Top = 60\n  BorderStyle = bsNone\n"
        "  ClientWidth = 460\n  ClientHeight = 170\n  Color = clBtnFace\n"
        "  object Header: TNetGradient\n"
        "    Left = 0\n    Top = 0\n    Width = 433\n    Height = 49\n"
        "    BeginColor = 14271159\n    EndColor = clWhite\n"
        "  end\n"
        "  object Rule: TNetGradient\n"
        "    Left = 10\n    Top = 60\n    Width = 440\n    Height = 2\n"
        "    BeginColor = clNavy\n    EndColor = clBtnFace\n"
        "  end\n"
        "  object Panel: TNetGradient\n"
        "    Left = 10\n    Top = 75\n    Width = 300\n    Height = 40\n"
        "    BeginColor = clMaroon\n    EndColor = clYellow\n    FillDirection = fdRightToLeft\n"
        "    NumberOfColors = 12\n    Font.Color = clWhite\n    Caption = 'Twelve bands'\n"
        "  end\n"
        "  object Titled: TNetGradient\n"
        "    Left = 10\n    Top = 125\n    Width = 440\n    Height = 36\n"
        "    BeginColor = clGray\n    EndColor = clBtnFace\n    Font.Height = -16\n"
        "    Font.Color = clWhite\n    Caption = 'Gradient caption bar'\n    TextLeft = 12\n"
        "    TextTop = 8\n"
        "  end\n"
        "end\n");
    windowtest::ShowAndSettle(*form);
    gui::TBitmap picture;
    gui::CaptureWindow(form->Handle(), picture);
    testing_support::SavePicture(picture, "netgradient");
    EXPECT_EQ(picture.Pixel(0, 20), gui::RGBColor(0xB7, 0xC2, 0xD9));
    EXPECT_EQ(picture.Pixel(432, 20), gui::clWhite);
    EXPECT_EQ(picture.Pixel(10, 61), gui::clNavy);
    EXPECT_EQ(picture.Pixel(10, 110), gui::clYellow);  // right to left: the end colour leftmost
    EXPECT_EQ(picture.Pixel(309, 110), gui::clMaroon);
    gui::FreeDeviceContexts();
}

}  // namespace
