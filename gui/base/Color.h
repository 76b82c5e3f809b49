// Colour values of the class library and their names in form descriptions. Portable: resolving a
// system colour to RGB needs the platform and lives in Graphics.h.
#pragma once

#include <cstdint>
#include <string>

#include "Component.h"

namespace gui {

// 0x00BBGGRR for an RGB colour (red in the low byte); a high byte of 0xFF names a system colour
// by its low byte (the index GetSysColor takes).
using TColor = uint32_t;

constexpr TColor SystemColor(int index) {
    return 0xFF000000u | static_cast<uint32_t>(index);
}
constexpr bool IsSystemColor(TColor c) {
    return (c & 0xFF000000u) == 0xFF000000u;
}
constexpr TColor RGBColor(int r, int g, int b) {
    return static_cast<uint32_t>(r & 0xFF) | (static_cast<uint32_t>(g & 0xFF) << 8) |
           (static_cast<uint32_t>(b & 0xFF) << 16);
}
constexpr int RedOf(TColor c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(TColor c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(TColor c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clLtGray = 0xC0C0C0, clDkGray = 0x808080, clMoneyGreen = 0xC0DCC0,
                 clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;

constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1),
                 clActiveCaption = SystemColor(2), clInactiveCaption = SystemColor(3),
                 clMenu = SystemColor(4), clWindow = SystemColor(5), clWindowFrame = SystemColor(6),
                 clMenuText = SystemColor(7), clWindowText = SystemColor(8),
                 clCaptionText = SystemColor(9), clActiveBorder = SystemColor(10),
                 clInactiveBorder = SystemColor(11), clAppWorkSpace = SystemColor(12),
                 clHighlight = SystemColor(13), clHighlightText = SystemColor(14),
                 clBtnFace = SystemColor(15), clBtnShadow = SystemColor(16),
                 clGrayText = SystemColor(17), clBtnText = SystemColor(18),
                 clInactiveCaptionText = SystemColor(19), clBtnHighlight = SystemColor(20),
                 cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22),
                 clInfoText = SystemColor(23), clInfoBk = SystemColor(24),
                 clHotLight = SystemColor(26), clGradientActiveCaption = SystemColor(27),
                 clGradientInactiveCaption = SystemColor(28), clMenuHighlight = SystemColor(29),
                 clMenuBar = SystemColor(30);

constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// "clBtnFace" -> clBtnFace (case-insensitive); false for a name that is no colour.
bool IdentToColor(const std::string& name, TColor& color);
// The name a colour has in form descriptions, or "$00BBGGRR" for an unnamed one.
std::string ColorToString(TColor color);
// A colour property of a form description: a colour name or an integer (negative ones are the
// two's-complement spelling of system colours). Anything else raises Exception.
TColor ColorFromValue(const PropertyValue& value);

}  // namespace gui
