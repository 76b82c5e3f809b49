#include "MenuAppearance.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// One preset, in the declaration order of the appearance's fields.
struct Preset {
    std::uint32_t gradient1Start, gradient1End, gradient2Start, gradient2End;
    std::uint8_t marginX, marginY, separatorLeading, gutterWidth;
    std::uint32_t separatorBackground, separatorLine, gutter, itemBackground, itemSelected, font,
        fontDisabled;
};

// Indexed by TMenuStyle.
constexpr Preset kPresets[] = {
    // msDefault
    {0x00EFE8E4, 0x00DEC5B8, 0x00D8BAAB, 0x00EFE8E4, 4, 2, 6, 26, 0x00EEE7DD, 0x00C5C5C5,
     0x00EEEEE9, 0x00FAFAFA, 0x00E6D5CB, 0x006E1500, 0x00DEC5D8},
    // msOffice2007Luna
    {0x00EBFDFF, 0x00ABEBFF, 0x0069D6FF, 0x0096E4FF, 4, 2, 6, 36, 0x00FFFFFF, 0x00C5C5C5,
     0x00F2DAC2, 0x00FFFFFF, 0x00800000, 0x00800000, 0x00C0C0C0},
    // msOffice2007Obsidian
    {0x00EBFDFF, 0x00ABEBFF, 0x0069D6FF, 0x0096E4FF, 4, 2, 6, 36, 0x00FFFFFF, 0x00C5C5C5,
     0x00676767, 0x00FFFFFF, 0x00464646, 0x00464646, 0x00C0C0C0},
    // msOffice2007Silver
    {0x00EBFDFF, 0x00ABEBFF, 0x0069D6FF, 0x0096E4FF, 4, 2, 6, 36, 0x00FFFFFF, 0x00C5C5C5,
     0x00E0E4E7, 0x00FFFFFF, 0x004C535C, 0x004C535C, 0x00C0C0C0},
    // msVista
    {0x00F4F1EB, 0x00F3EBDA, 0x00F3EBDA, 0x00F4F1EB, 2, 2, 2, 28, 0x00E0E0E0, 0x00FFFFFF,
     0x00F0F0F0, 0x00F0F0F0, gui::clNone, 0x00000000, 0x00C0C0C0},
};

constexpr const char* kStyleNames[] = {"msDefault", "msOffice2007Luna", "msOffice2007Obsidian",
                                       "msOffice2007Silver", "msVista"};

std::uint8_t ByteFromValue(const gui::PropertyValue& value) {
    const std::int32_t v = value.AsInt();
    if (v < 0 || v > 255) throw gui::Exception("Property value out of range");
    return static_cast<std::uint8_t>(v);
}

}  // namespace

bool MenuStyleFromValue(const gui::PropertyValue& value, TMenuStyle& style) {
    if (value.kind == gui::PropertyValue::Kind::Integer) {
        if (value.integer < msDefault || value.integer > msVista) return false;
        style = static_cast<TMenuStyle>(value.integer);
        return true;
    }
    if (value.kind != gui::PropertyValue::Kind::Identifier) return false;
    for (int i = 0; i <= msVista; ++i)
        if (gui::SameText(value.text, kStyleNames[i])) {
            style = static_cast<TMenuStyle>(i);
            return true;
        }
    return false;
}

void TMenuAppearance::Assign(const TMenuAppearance& other) {
    if (this != &other) *this = other;
}

bool TMenuAppearance::operator==(const TMenuAppearance& o) const {
    return gradient1Start_ == o.gradient1Start_ && gradient1End_ == o.gradient1End_ &&
           gradient2Start_ == o.gradient2Start_ && gradient2End_ == o.gradient2End_ &&
           marginX_ == o.marginX_ && marginY_ == o.marginY_ &&
           separatorLeading_ == o.separatorLeading_ && gutterWidth_ == o.gutterWidth_ &&
           separatorBackgroundColor_ == o.separatorBackgroundColor_ &&
           separatorLineColor_ == o.separatorLineColor_ && gutterColor_ == o.gutterColor_ &&
           itemBackgroundColor_ == o.itemBackgroundColor_ &&
           itemSelectedColor_ == o.itemSelectedColor_ && fontColor_ == o.fontColor_ &&
           fontDisabledColor_ == o.fontDisabledColor_;
}

bool TMenuAppearance::SetProperty(const std::string& name, const gui::PropertyValue& value) {
    struct ColorField {
        const char* name;
        Color TMenuAppearance::*field;
    };
    static const ColorField kColors[] = {
        {"Gradient1Start", &TMenuAppearance::gradient1Start_},
        {"Gradient1End", &TMenuAppearance::gradient1End_},
        {"Gradient2Start", &TMenuAppearance::gradient2Start_},
        {"Gradient2End", &TMenuAppearance::gradient2End_},
        {"SeparatorBackgroundColor", &TMenuAppearance::separatorBackgroundColor_},
        {"SeparatorLineColor", &TMenuAppearance::separatorLineColor_},
        {"GutterColor", &TMenuAppearance::gutterColor_},
        {"ItemBackgroundColor", &TMenuAppearance::itemBackgroundColor_},
        {"ItemSelectedColor", &TMenuAppearance::itemSelectedColor_},
        {"FontColor", &TMenuAppearance::fontColor_},
        {"FontDisabledColor", &TMenuAppearance::fontDisabledColor_},
    };
    struct ByteField {
        const char* name;
        std::uint8_t TMenuAppearance::*field;
    };
    static const ByteField kBytes[] = {
        {"MarginX", &TMenuAppearance::marginX_},
        {"MarginY", &TMenuAppearance::marginY_},
        {"SeparatorLeading", &TMenuAppearance::separatorLeading_},
        {"GutterWidth", &TMenuAppearance::gutterWidth_},
    };
    for (const ColorField& f : kColors)
        if (gui::SameText(name, f.name)) {
            this->*f.field = gui::ColorFromValue(value);
            return true;
        }
    for (const ByteField& f : kBytes)
        if (gui::SameText(name, f.name)) {
            this->*f.field = ByteFromValue(value);
            return true;
        }
    return gui::TPersistent::SetProperty(name, value);
}

void ApplyStylePreset(TMenuAppearance& a, TMenuStyle style) {
    if (style > msVista) return;
    const Preset& p = kPresets[style];
    a.SetGradient1Start(p.gradient1Start);
    a.SetGradient1End(p.gradient1End);
    a.SetGradient2Start(p.gradient2Start);
    a.SetGradient2End(p.gradient2End);
    a.SetMarginX(p.marginX);
    a.SetMarginY(p.marginY);
    a.SetSeparatorLeading(p.separatorLeading);
    a.SetGutterWidth(p.gutterWidth);
    a.SetSeparatorBackgroundColor(p.separatorBackground);
    a.SetSeparatorLineColor(p.separatorLine);
    a.SetGutterColor(p.gutter);
    a.SetItemBackgroundColor(p.itemBackground);
    a.SetItemSelectedColor(p.itemSelected);
    a.SetFontColor(p.font);
    a.SetFontDisabledColor(p.fontDisabled);
}
