#include "Color.h"

#include <cctype>
#include <cstdio>

namespace gui {

namespace {
struct NamedColor {
    const char* name;
    TColor color;
};

// Where two names share a value (clGray and clDkGray) the first one is what ColorToString gives.
constexpr NamedColor kColors[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clLtGray", clLtGray},
    {"clDkGray", clDkGray},
    {"clMoneyGreen", clMoneyGreen},
    {"clSkyBlue", clSkyBlue},
    {"clCream", clCream},
    {"clMedGray", clMedGray},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clHotLight", clHotLight},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuBar", clMenuBar},
    {"clNone", clNone},
    {"clDefault", clDefault},
};

}  // namespace

bool IdentToColor(const std::string& name, TColor& color) {
    for (const NamedColor& c : kColors)
        if (SameText(c.name, name)) {
            color = c.color;
            return true;
        }
    return false;
}

std::string ColorToString(TColor color) {
    for (const NamedColor& c : kColors)
        if (c.color == color) return c.name;
    char text[16];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
    return text;
}

TColor ColorFromValue(const PropertyValue& value) {
    if (value.kind == PropertyValue::Kind::Integer) {
        if (value.integer < INT32_MIN || value.integer > UINT32_MAX)
            throw Exception("Invalid colour value");
        return static_cast<TColor>(static_cast<uint32_t>(value.integer & 0xFFFFFFFF));
    }
    if (value.kind == PropertyValue::Kind::Identifier) {
        TColor color;
        if (IdentToColor(value.text, color)) return color;
        throw Exception("'" + value.text + "' is not a colour");
    }
    throw Exception("Invalid colour value");
}

}  // namespace gui
