// What the office look's handlers measure and draw, pixel by pixel, in every style.
#include <gtest/gtest.h>

#include <algorithm>

#include "MenuTestSupport.h"
#include "OfficeMenuLayout.h"
#include "OfficePopupMenu.h"
#include "WindowTestSupport.h"

namespace {

using gui::TColor;
using gui::TMenuItem;
using menutest::CountColor;

constexpr TColor kProbe = 0x00123456;  // what lies under the item before it is drawn
constexpr int kWidth = 170;

const char* StyleName(TMenuStyle s) {
    static const char* names[] = {"Default", "Luna", "Obsidian", "Silver", "Vista"};
    return names[s];
}

class OfficeDraw : public ::testing::TestWithParam<TMenuStyle> {
protected:
    void SetUp() override {
        menu_ = new TOfficePopupMenu(&form_);
        menu_->SetStyle(GetParam());
        images_ = new gui::TImageList(&form_);
        menutest::FillStrip(*images_, 7);
        menu_->SetImages(images_);
    }

    const TMenuAppearance& A() const { return *menu_->Appearance(); }

    TMenuItem* Item(const std::string& caption, const std::string& hint = "", int image = -1) {
        auto* item = new TMenuItem(&form_);
        item->SetCaption(caption);
        item->SetHint(hint);
        item->SetImageIndex(image);
        menu_->Items()->Add(item);
        return item;
    }

    // Text size with the test font in the given style, as DrawTextA measures it.
    SIZE Text(const std::string& text, gui::TFontStyles style) {
        gui::TBitmap scratch(1, 1);
        menutest::UseTestFont(scratch.Canvas());
        scratch.Canvas().Font().SetStyle(style);
        RECT r{0, 0, 0, 0};
        const int h = scratch.Canvas().DrawText(text, r, DT_CALCRECT | DT_EXTERNALLEADING);
        return SIZE{r.right, h};
    }

    officemenu::Size Measure(TMenuItem* item, int width = 500, int height = 500) {
        gui::TBitmap scratch(1, 1);
        menutest::UseTestFont(scratch.Canvas());
        if (item->IsLine())
            menu_->MeasureSeparatorItem(item, &scratch.Canvas(), width, height);
        else
            menu_->MeasureOfficeMenuItem(item, &scratch.Canvas(), width, height);
        return {width, height};
    }

    // Draws the item at (0, 0) with its measured height into a bitmap a little larger.
    int Draw(TMenuItem* item, bool selected, gui::TBitmap& bitmap, int left = 0) {
        const int h = Measure(item).height;
        bitmap.SetSize(kWidth + 4, h + 4);
        menutest::Clear(bitmap, kProbe);
        menutest::UseTestFont(bitmap.Canvas());
        const RECT r{left, 0, kWidth, h};
        if (item->IsLine())
            menu_->DrawSeparatorItem(item, &bitmap.Canvas(), r, selected);
        else
            menu_->DrawOfficeMenuItem(item, &bitmap.Canvas(), r, selected);
        return h;
    }

    TColor Stripe(TColor start, TColor end, int offset, int size) {
        const int i = officemenu::StripeAtOffset(offset, 256, size);
        return officemenu::StripeColor(start, end, i, 256);
    }

    gui::TComponent form_{nullptr};
    TOfficePopupMenu* menu_ = nullptr;
    gui::TImageList* images_ = nullptr;
};

TEST_P(OfficeDraw, MeasuresItemsWithBoldCaptionsRegularHintsAndTheGutter) {
    const TMenuAppearance& a = A();
    const std::string caption = "Open zemblySMS...";
    const SIZE bold = Text(caption, gui::fsBold);
    // The caption must be measured bold for this test to tell the fonts apart.
    ASSERT_NE(bold.cx, Text(caption, 0).cx);

    TMenuItem* plain = Item(caption, "", 3);
    EXPECT_EQ(Measure(plain), (officemenu::Size{bold.cx + 2 * a.MarginX() + a.GutterWidth(),
                                                bold.cy + 4 * a.MarginY()}));
    if (GetParam() == msOffice2007Silver) {
        EXPECT_EQ(Measure(plain), (officemenu::Size{bold.cx + 8 + 36, bold.cy + 8}));
    }

    const std::string hint = "Opens the message window of the program";
    const SIZE regular = Text(hint, 0);
    TMenuItem* hinted = Item("Paypal...", hint, 6);
    EXPECT_EQ(Measure(hinted),
              (officemenu::Size{regular.cx + 2 * a.MarginX() + a.GutterWidth(),
                                4 * a.MarginY() + Text("Paypal...", gui::fsBold).cy + regular.cy}));

    TMenuItem* shortcut = Item("Exit");
    shortcut->SetShortCut(gui::ShortCut(VK_F4, gui::scAlt));
    const int expected = Text("Exit", gui::fsBold).cx + 2 * a.MarginX() +
                         Text("Alt+F4", gui::fsBold).cx + 2 * a.MarginX() + a.GutterWidth();
    // Measures are set outright, whatever came in.
    EXPECT_EQ(Measure(shortcut, 0, 0).width, expected);
    EXPECT_EQ(Measure(shortcut, 9999, 9999).width, expected);

    menu_->SetImages(nullptr);
    EXPECT_EQ(Measure(plain).width, bold.cx + 2 * a.MarginX());
}

TEST_P(OfficeDraw, MeasuresSeparators) {
    const TMenuAppearance& a = A();
    EXPECT_EQ(Measure(Item("-"), 300, 300), (officemenu::Size{10, 4}));
    const SIZE title = Text("Account", gui::fsBold);
    EXPECT_EQ(Measure(Item("-", "Account")),
              (officemenu::Size{title.cx + 2 * a.MarginX() + a.SeparatorLeading(),
                                title.cy + 4 * a.MarginY()}));
}

TEST_P(OfficeDraw, PlainItemShowsGutterLineImageAndText) {
    const TMenuAppearance& a = A();
    gui::TBitmap b;
    const int h = Draw(Item("Settings...", "", 2), false, b);
    const int g = a.GutterWidth();
    // Nothing outside the item's rectangle.
    EXPECT_EQ(CountColor(b, kProbe, kWidth, 0, kWidth + 4, h + 4), 4 * (h + 4));
    EXPECT_EQ(CountColor(b, kProbe, 0, h, kWidth, h + 4), 4 * kWidth);
    // The gutter, its edge line over the full height, the background right of it.
    EXPECT_EQ(b.Pixel(g - 1, h - 1), a.GutterColor());
    EXPECT_EQ(b.Pixel(0, 0), a.GutterColor());
    EXPECT_EQ(CountColor(b, a.SeparatorLineColor(), g, 0, g + 1, h), h);
    EXPECT_EQ(b.Pixel(kWidth - 1, 0), a.ItemBackgroundColor());
    EXPECT_EQ(b.Pixel(kWidth - 1, h - 1), a.ItemBackgroundColor());
    // Between the line and the text (which starts at GutterWidth + MarginX) only background.
    EXPECT_EQ(CountColor(b, a.ItemBackgroundColor(), g + 1, 0, g + a.MarginX(), h),
              (a.MarginX() - 1) * h);
    // The image at (MarginX, MarginY), its masked corner showing the gutter.
    EXPECT_EQ(b.Pixel(a.MarginX() + 10, a.MarginY() + 7), menutest::ImageColor(2));
    EXPECT_EQ(b.Pixel(a.MarginX() + 19, a.MarginY() + 14), menutest::ImageColor(2));
    EXPECT_EQ(b.Pixel(a.MarginX(), a.MarginY()), a.GutterColor());
    EXPECT_EQ(b.Pixel(a.MarginX() + 20, a.MarginY() + 7), a.GutterColor());
    // The caption in the font colour, inside its text rectangle.
    EXPECT_GT(CountColor(b, a.FontColor(), g + a.MarginX(), a.MarginY(), kWidth - a.MarginX(), h),
              5);
}

TEST_P(OfficeDraw, GutterEndsAtAbsoluteXWhateverTheItemsLeftEdge) {
    // Platform menus place items a few pixels in from the window's edge.
    const TMenuAppearance& a = A();
    const int left = 3, g = a.GutterWidth();
    gui::TBitmap b;
    const int h = Draw(Item("Settings...", "", 2), false, b, left);
    EXPECT_EQ(CountColor(b, kProbe, 0, 0, left, h), left * h);
    EXPECT_EQ(CountColor(b, a.GutterColor(), left, 0, g, h) +
                  CountColor(b, menutest::ImageColor(2), left, 0, g, h),
              (g - left) * h);
    // In the narrow default gutter the shifted image reaches over the line.
    EXPECT_EQ(CountColor(b, a.SeparatorLineColor(), g, 0, g + 1, h) +
                  CountColor(b, menutest::ImageColor(2), g, 0, g + 1, h),
              h);
    EXPECT_EQ(b.Pixel(g, 0), a.SeparatorLineColor());
    EXPECT_EQ(b.Pixel(left + a.MarginX() + 10, a.MarginY() + 7), menutest::ImageColor(2));
    EXPECT_EQ(CountColor(b, a.ItemBackgroundColor(), g + 1, 0, left + g + a.MarginX(), h),
              (left + a.MarginX() - 1) * h);

    Draw(Item("-"), false, b, left);
    EXPECT_EQ(CountColor(b, a.GutterColor(), left, 0, g, 4), 4 * (g - left));
    EXPECT_EQ(CountColor(b, a.SeparatorLineColor(), g, 0, g + 1, 4), 4);
}

TEST_P(OfficeDraw, SelectedItemWithoutHintIsOneGradientInsideARoundedOutline) {
    const TMenuAppearance& a = A();
    gui::TBitmap b;
    const int h = Draw(Item("Log Off...", "", 4), true, b);
    const int g = a.GutterWidth();
    for (int y = 1; y < h - 1; ++y) {
        SCOPED_TRACE(y);
        const TColor expected = Stripe(a.Gradient1Start(), a.Gradient1End(), y, h);
        EXPECT_EQ(b.Pixel(kWidth - 3, y), expected);
        // The gradient covers the gutter and its line as well.
        EXPECT_EQ(b.Pixel(g - 1, y), expected);
        EXPECT_EQ(b.Pixel(g, y), expected);
    }
    // The outline in the separator line colour on all four sides.
    EXPECT_EQ(b.Pixel(kWidth / 2, 0), a.SeparatorLineColor());
    EXPECT_EQ(b.Pixel(kWidth / 2, h - 1), a.SeparatorLineColor());
    EXPECT_EQ(b.Pixel(0, h / 2), a.SeparatorLineColor());
    EXPECT_EQ(b.Pixel(kWidth - 1, h / 2), a.SeparatorLineColor());
    // The rounded clip keeps the gradient out of the very corner.
    const TColor corner = b.Pixel(kWidth - 1, 0);
    EXPECT_EQ(corner, a.ItemBackgroundColor());
    // Image and text as usual; selection does not change the text colour.
    EXPECT_EQ(b.Pixel(a.MarginX() + 10, a.MarginY() + 7), menutest::ImageColor(4));
    EXPECT_GT(CountColor(b, a.FontColor(), g + a.MarginX(), a.MarginY(), kWidth - a.MarginX(), h),
              5);
}

TEST_P(OfficeDraw, SelectedItemWithHintSwitchesToTheSecondGradient) {
    const TMenuAppearance& a = A();
    gui::TBitmap b;
    const int hc = Text("Paypal...", gui::fsBold).cy;
    const int h = Draw(Item("Paypal...", "Buy credits", 6), true, b);
    const int split = hc + 2 * a.MarginY();
    ASSERT_LT(split, h - 2);
    const int x = kWidth - 3;
    EXPECT_EQ(b.Pixel(x, 1), Stripe(a.Gradient1Start(), a.Gradient1End(), 1, split));
    EXPECT_EQ(b.Pixel(x, split - 1),
              Stripe(a.Gradient1Start(), a.Gradient1End(), split - 1, split));
    EXPECT_EQ(b.Pixel(x, split), Stripe(a.Gradient2Start(), a.Gradient2End(), 0, h - split));
    EXPECT_EQ(b.Pixel(x, h - 2),
              Stripe(a.Gradient2Start(), a.Gradient2End(), h - 2 - split, h - split));
    // The hint line is drawn in the font colour below the caption.
    EXPECT_GT(CountColor(b, a.FontColor(), a.GutterWidth() + a.MarginX(), split, x, h - 1), 3);
}

TEST_P(OfficeDraw, DisabledItemFadesTheTextButNotTheImage) {
    const TMenuAppearance& a = A();
    TMenuItem* item = Item("Exit", "Ends the program", 1);
    item->SetEnabled(false);
    gui::TBitmap b;
    const int h = Draw(item, false, b);
    const int left = a.GutterWidth() + 1;
    EXPECT_GT(CountColor(b, a.FontDisabledColor(), left, 0, kWidth, h), 5);
    EXPECT_EQ(CountColor(b, a.FontColor(), left, 0, kWidth, h), 0);
    EXPECT_EQ(b.Pixel(a.MarginX() + 10, a.MarginY() + 7), menutest::ImageColor(1));
}

TEST_P(OfficeDraw, NoImageIndexKeepsTheGutterAndNoImagesDropsIt) {
    const TMenuAppearance& a = A();
    gui::TBitmap b;
    TMenuItem* item = Item("Open");
    int h = Draw(item, false, b);
    EXPECT_EQ(CountColor(b, a.GutterColor(), 0, 0, a.GutterWidth(), h), a.GutterWidth() * h);

    menu_->SetImages(nullptr);
    h = Draw(item, false, b);
    if (a.GutterColor() != a.ItemBackgroundColor()) {
        EXPECT_EQ(CountColor(b, a.GutterColor(), 0, 0, kWidth, h), 0);
    }
    // The text starts right after MarginX.
    int leftmost = kWidth;
    for (int x = 0; x < kWidth && leftmost == kWidth; ++x)
        for (int y = 0; y < h; ++y)
            if (b.Pixel(x, y) != a.ItemBackgroundColor()) {
                leftmost = x;
                break;
            }
    EXPECT_GE(leftmost, a.MarginX());
    EXPECT_LE(leftmost, a.MarginX() + 3);
}

TEST_P(OfficeDraw, ShortcutIsRightAlignedOnTheCaptionLine) {
    const TMenuAppearance& a = A();
    TMenuItem* item = Item("Save");
    item->SetShortCut(gui::ShortCut('S', gui::scCtrl));
    gui::TBitmap b;
    const int h = Draw(item, false, b);
    int rightmost = -1;
    for (int x = kWidth - 1; x >= 0 && rightmost < 0; --x)
        for (int y = 0; y < h; ++y)
            if (b.Pixel(x, y) == a.FontColor()) {
                rightmost = x;
                break;
            }
    EXPECT_LE(rightmost, kWidth - a.MarginX() - 1);
    EXPECT_GE(rightmost, kWidth - a.MarginX() - 4);
}

TEST_P(OfficeDraw, SeparatorRowsAndGutter) {
    const TMenuAppearance& a = A();
    gui::TBitmap b;
    TMenuItem* line = Item("-");
    const int h = Draw(line, false, b);
    ASSERT_EQ(h, 4);
    const int g = a.GutterWidth();
    const int x = kWidth - 1;
    EXPECT_EQ(b.Pixel(x, 0), a.SeparatorBackgroundColor());
    EXPECT_EQ(b.Pixel(x, 1), a.SeparatorBackgroundColor());
    EXPECT_EQ(b.Pixel(x, 2), a.SeparatorLineColor());
    EXPECT_EQ(b.Pixel(x, 3), a.ItemBackgroundColor());
    EXPECT_EQ(b.Pixel(kWidth, 2), kProbe);  // the line's end point stays untouched
    // The gutter covers the rows up to x = GutterWidth, where its edge line runs.
    EXPECT_EQ(CountColor(b, a.GutterColor(), 0, 0, g, 4), 4 * g);
    EXPECT_EQ(CountColor(b, a.SeparatorLineColor(), g, 0, g + 1, 4), 4);
    EXPECT_EQ(b.Pixel(g + 1, 2), a.SeparatorLineColor());
    EXPECT_EQ(b.Pixel(g + 1, 0), a.SeparatorBackgroundColor());

    menu_->SetImages(nullptr);
    Draw(line, false, b);
    EXPECT_EQ(b.Pixel(0, 0), a.SeparatorBackgroundColor());
    EXPECT_EQ(b.Pixel(0, 2), a.SeparatorLineColor());
    EXPECT_EQ(b.Pixel(0, 3), a.ItemBackgroundColor());
}

TEST_P(OfficeDraw, SeparatorWithHintIsABoldTitleWithoutGutter) {
    const TMenuAppearance& a = A();
    gui::TBitmap b;
    const int h = Draw(Item("-", "Account"), false, b);
    EXPECT_EQ(b.Pixel(1, 1), a.SeparatorBackgroundColor());
    EXPECT_EQ(b.Pixel(1, h - 2), a.SeparatorLineColor());
    EXPECT_EQ(b.Pixel(1, h - 1), a.ItemBackgroundColor());
    int left = kWidth, top = h, bottom = -1;
    for (int y = 0; y < h - 2; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (b.Pixel(x, y) == a.FontColor()) {
                left = std::min(left, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(bottom, 0) << "no title drawn";
    // Indented by MarginX and SeparatorLeading (the menu has images), centred vertically.
    EXPECT_GE(left, a.MarginX() + a.SeparatorLeading());
    EXPECT_LE(left, a.MarginX() + a.SeparatorLeading() + 2);
    EXPECT_LE(std::abs(top - (h - 1 - bottom)), 4);
}

// The whole tray menu drawn item below item, saved for people to look at.
TEST_P(OfficeDraw, PictureOfTheTrayMenu) {
    struct Row {
        const char* caption;
        const char* hint;
        int image;
        bool selected, enabled;
    };
    const Row rows[] = {{"Open zemblySMS...", "", 3, false, true},
                        {"-", "", -1, false, true},
                        {"Paypal...", "Buy message credits", 6, true, true},
                        {"Settings...", "", 2, false, true},
                        {"-", "Account", -1, false, true},
                        {"Log Off...", "", 4, true, true},
                        {"Exit", "Ends the program", 1, false, false}};
    std::vector<std::pair<TMenuItem*, int>> items;
    int total = 0;
    for (const Row& r : rows) {
        TMenuItem* item = Item(r.caption, r.hint, r.image);
        item->SetEnabled(r.enabled);
        const int h = Measure(item).height;
        items.push_back({item, h});
        total += h;
    }
    gui::TBitmap picture(kWidth, total);
    menutest::UseTestFont(picture.Canvas());
    int top = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const RECT r{0, top, kWidth, top + items[i].second};
        if (items[i].first->IsLine())
            menu_->DrawSeparatorItem(items[i].first, &picture.Canvas(), r, false);
        else
            menu_->DrawOfficeMenuItem(items[i].first, &picture.Canvas(), r, rows[i].selected);
        top += items[i].second;
    }
    // The gutter of the separator below the first item ends at the same x as the items'.
    const int firstSeparatorTop = items[0].second;
    EXPECT_EQ(picture.Pixel(A().GutterWidth(), firstSeparatorTop + 1), A().SeparatorLineColor());
    testing_support::SavePicture(picture, std::string("office-items-") + StyleName(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Styles, OfficeDraw,
                         ::testing::Values(msDefault, msOffice2007Luna, msOffice2007Obsidian,
                                           msOffice2007Silver, msVista),
                         [](const ::testing::TestParamInfo<TMenuStyle>& info) {
                             return std::string(StyleName(info.param));
                         });

}  // namespace
