#include "OfficeMenuLayout.h"

#include <algorithm>
#include <cmath>

namespace officemenu {

int RoundHalfEven(double v) {
    // The gradients were tuned with the processor's default rounding; pin it here so that a
    // caller that changed the rounding mode does not shift stripes.
    const double lower = std::floor(v);
    const double diff = v - lower;
    double r;
    if (diff > 0.5)
        r = lower + 1;
    else if (diff < 0.5)
        r = lower;
    else
        r = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
    return static_cast<int>(r);
}

Span StripeSpan(int index, int steps, int size) {
    const double pitch = static_cast<double>(size) / steps;
    return {RoundHalfEven(index * pitch), RoundHalfEven((index + 1) * pitch)};
}

std::uint32_t StripeColor(std::uint32_t start, std::uint32_t end, int index, int steps) {
    std::uint32_t color = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int s = static_cast<int>((start >> shift) & 0xFF);
        const int e = static_cast<int>((end >> shift) & 0xFF);
        const double d = static_cast<double>(e - s) / steps;
        const int channel = (s + RoundHalfEven((index + 1) * d)) & 0xFF;
        color |= static_cast<std::uint32_t>(channel) << shift;
    }
    return color;
}

int StripeAtOffset(int offset, int steps, int size) {
    for (int i = steps - 1; i >= 0; --i) {
        const Span s = StripeSpan(i, steps, size);
        if (offset >= s.from && offset < s.to) return i;
    }
    return -1;
}

Size MeasureOfficeItem(const TMenuAppearance& a, const ItemTexts& t, bool withImages) {
    int captionWidth = t.caption.width;
    if (t.hasShortcut) captionWidth += 2 * a.MarginX() + t.shortcutWidth;
    Size s;
    s.width = std::max(captionWidth, t.hint.width) + 2 * a.MarginX();
    if (withImages) s.width += a.GutterWidth();
    s.height = 4 * a.MarginY() + t.caption.height + t.hint.height;
    return s;
}

Size MeasureSeparator(const TMenuAppearance& a, bool hasHint, Size boldHint) {
    if (!hasHint) return {10, 4};
    return {boldHint.width + 2 * a.MarginX() + a.SeparatorLeading(),
            boldHint.height + 4 * a.MarginY()};
}

ItemLayout LayoutOfficeItem(const TMenuAppearance& a, const Rect& r, int captionHeight,
                            bool hasHint, bool withImages) {
    ItemLayout l;
    l.hasGutter = withImages;
    // The gutter ends at the absolute x GutterWidth, not at r.left + GutterWidth.
    l.gutter = {r.left, r.top, a.GutterWidth(), r.bottom};
    l.gutterLineX = a.GutterWidth();
    l.text = {r.left + a.MarginX() + (withImages ? a.GutterWidth() : 0), r.top + a.MarginY(),
              r.right - a.MarginX(), r.bottom};
    l.hintText = l.text;
    l.hintText.top = r.top + 2 * a.MarginY() + captionHeight;
    if (hasHint) {
        const int split = r.top + captionHeight + 2 * a.MarginY();
        l.gradient1 = {r.left, r.top, r.right, split};
        l.hasGradient2 = true;
        l.gradient2 = {r.left, split, r.right, r.bottom};
    } else {
        l.gradient1 = r;
    }
    l.imageX = r.left + a.MarginX();
    l.imageY = r.top + a.MarginY();
    return l;
}

SeparatorLayout LayoutSeparator(const TMenuAppearance& a, const Rect& r, bool hasHint,
                                bool withImages) {
    SeparatorLayout l;
    l.upperLineY = r.bottom - 2;
    l.lowerLineY = r.bottom - 1;
    l.hasTitle = hasHint;
    l.title = {r.left + a.MarginX() + (withImages ? a.SeparatorLeading() : 0), r.top,
               r.right - a.MarginX(), r.bottom};
    l.hasGutter = !hasHint && withImages;
    l.gutter = {r.left, r.top, a.GutterWidth(), r.bottom};
    l.gutterLineX = a.GutterWidth();
    return l;
}

}  // namespace officemenu
