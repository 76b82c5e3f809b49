// Window-free arithmetic of the office-style popup menu: the stripes of its gradients, the sizes
// its items measure and where their parts go. The drawing code only carries these out on a
// device context, so everything that decides a pixel can be checked without a window.
#pragma once

#include <cstdint>

#include "MenuAppearance.h"

namespace officemenu {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size& o) const { return width == o.width && height == o.height; }
};

// A gradient always runs in this many stripes, whatever the size it fills.
constexpr int kGradientSteps = 256;

// Rounds to the nearest integer, halves to the even neighbour (0.5 -> 0, 1.5 -> 2).
int RoundHalfEven(double v);

// Offsets [from, to) of stripe `index` of `steps` over `size` pixels; empty when both round
// alike.
struct Span {
    int from = 0, to = 0;
};
Span StripeSpan(int index, int steps, int size);

// Colour (0x00BBGGRR) of stripe `index` from RGB `start` to RGB `end`: stripe 0 already lies one
// step away from the start, the last stripe is exactly the end.
std::uint32_t StripeColor(std::uint32_t start, std::uint32_t end, int index, int steps);

// The stripe whose colour pixel row (or column) `offset` shows once all stripes are painted in
// order, -1 when none covers it.
int StripeAtOffset(int offset, int steps, int size);

// Texts as the menu measures them.
struct ItemTexts {
    Size caption;           // bold
    int shortcutWidth = 0;  // bold; only read when hasShortcut
    bool hasShortcut = false;
    Size hint;  // regular
};

// Width and height of an ordinary item.
Size MeasureOfficeItem(const TMenuAppearance& a, const ItemTexts& texts, bool withImages);

// Width and height of a "-" item; `boldHint` is only read when the item has a hint.
Size MeasureSeparator(const TMenuAppearance& a, bool hasHint, Size boldHint);

// Where the parts of an ordinary item go inside its rectangle `r`, given the bold caption
// height.
struct ItemLayout {
    bool hasGutter = false;
    Rect gutter;          // fill of GutterColor
    int gutterLineX = 0;  // vertical SeparatorLineColor line from r.top to r.bottom
    Rect text;            // caption and shortcut
    Rect hintText;        // the hint line
    Rect gradient1;       // selected: whole item without a hint, caption part with one
    bool hasGradient2 = false;
    Rect gradient2;  // selected with a hint: the hint part
    int imageX = 0, imageY = 0;
};
ItemLayout LayoutOfficeItem(const TMenuAppearance& a, const Rect& r, int captionHeight,
                            bool hasHint, bool withImages);

// The same for a separator.
struct SeparatorLayout {
    int upperLineY = 0;  // SeparatorLineColor, from r.left to r.right
    int lowerLineY = 0;  // ItemBackgroundColor
    bool hasTitle = false;
    Rect title;  // hint as a title, centred vertically
    bool hasGutter = false;
    Rect gutter;
    int gutterLineX = 0;
};
SeparatorLayout LayoutSeparator(const TMenuAppearance& a, const Rect& r, bool hasHint,
                                bool withImages);

}  // namespace officemenu
