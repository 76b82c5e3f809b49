// Colours and metrics with which the office-style popup menu measures and paints its items, and
// the five complete sets of them that a menu style stands for. Portable: no windows.h here.
#pragma once

#include <cstdint>
#include <string>

#include "Color.h"
#include "Component.h"

// One byte, as form descriptions store it.
enum TMenuStyle : std::uint8_t {
    msDefault = 0,
    msOffice2007Luna = 1,
    msOffice2007Obsidian = 2,
    msOffice2007Silver = 3,
    msVista = 4,
};

// The menu reads these values afresh at every measure and draw, so writing one has no side
// effect. A fresh object holds zero everywhere (black, no metrics) until a preset is applied.
class TMenuAppearance : public gui::TPersistent {
public:
    using Color = gui::TColor;

    Color Gradient1Start() const { return gradient1Start_; }
    void SetGradient1Start(Color c) { gradient1Start_ = c; }
    Color Gradient1End() const { return gradient1End_; }
    void SetGradient1End(Color c) { gradient1End_ = c; }
    Color Gradient2Start() const { return gradient2Start_; }
    void SetGradient2Start(Color c) { gradient2Start_ = c; }
    Color Gradient2End() const { return gradient2End_; }
    void SetGradient2End(Color c) { gradient2End_ = c; }
    std::uint8_t MarginX() const { return marginX_; }
    void SetMarginX(std::uint8_t v) { marginX_ = v; }
    std::uint8_t MarginY() const { return marginY_; }
    void SetMarginY(std::uint8_t v) { marginY_ = v; }
    std::uint8_t SeparatorLeading() const { return separatorLeading_; }
    void SetSeparatorLeading(std::uint8_t v) { separatorLeading_ = v; }
    std::uint8_t GutterWidth() const { return gutterWidth_; }
    void SetGutterWidth(std::uint8_t v) { gutterWidth_ = v; }
    Color SeparatorBackgroundColor() const { return separatorBackgroundColor_; }
    void SetSeparatorBackgroundColor(Color c) { separatorBackgroundColor_ = c; }
    Color SeparatorLineColor() const { return separatorLineColor_; }
    void SetSeparatorLineColor(Color c) { separatorLineColor_ = c; }
    Color GutterColor() const { return gutterColor_; }
    void SetGutterColor(Color c) { gutterColor_ = c; }
    Color ItemBackgroundColor() const { return itemBackgroundColor_; }
    void SetItemBackgroundColor(Color c) { itemBackgroundColor_ = c; }
    // Kept and stored with the menu, but nothing paints with it.
    Color ItemSelectedColor() const { return itemSelectedColor_; }
    void SetItemSelectedColor(Color c) { itemSelectedColor_ = c; }
    Color FontColor() const { return fontColor_; }
    void SetFontColor(Color c) { fontColor_ = c; }
    Color FontDisabledColor() const { return fontDisabledColor_; }
    void SetFontDisabledColor(Color c) { fontDisabledColor_ = c; }

    // Every value of `other`; the object itself stays this one.
    void Assign(const TMenuAppearance& other);
    bool operator==(const TMenuAppearance& other) const;
    bool operator!=(const TMenuAppearance& other) const { return !(*this == other); }

    // The fifteen published properties by name. Colours take integers or colour identifiers
    // ("clNone", "clBtnFace", ...); metrics take 0..255, anything else is refused.
    bool SetProperty(const std::string& name, const gui::PropertyValue& value) override;

private:
    Color gradient1Start_ = 0;
    Color gradient1End_ = 0;
    Color gradient2Start_ = 0;
    Color gradient2End_ = 0;
    std::uint8_t marginX_ = 0;
    std::uint8_t marginY_ = 0;
    std::uint8_t separatorLeading_ = 0;
    std::uint8_t gutterWidth_ = 0;
    Color separatorBackgroundColor_ = 0;
    Color separatorLineColor_ = 0;
    Color gutterColor_ = 0;
    Color itemBackgroundColor_ = 0;
    Color itemSelectedColor_ = 0;
    Color fontColor_ = 0;
    Color fontDisabledColor_ = 0;
};

// Overwrites all fifteen values of `appearance` with those of `style`, whatever they were.
// A style outside the five leaves the object as it is.
void ApplyStylePreset(TMenuAppearance& appearance, TMenuStyle style);

// Reads a style from its identifier ("msVista") or its number; false for anything else.
bool MenuStyleFromValue(const gui::PropertyValue& value, TMenuStyle& style);
