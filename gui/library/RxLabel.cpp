#include "RxLabel.h"

namespace gui {

TRxLabel::TRxLabel(TComponent* owner) : TLabel(owner) {
    SetClassName("TRxLabel");
}

void TRxLabel::SetShadowColor(TColor color) {
    shadowColor_ = color;
    Invalidate();
}

void TRxLabel::SetShadowSize(int size) {
    shadowSize_ = size < 0 ? 0 : size;
    Invalidate();
}

void TRxLabel::SetShadowPos(TShadowPosition position) {
    shadowPos_ = position;
    Invalidate();
}

void TRxLabel::DrawCaption(TCanvas& canvas, const std::string& text, RECT area, UINT flags) {
    // A disabled label has its own engraved look, which a shadow would spoil.
    if (shadowSize_ == 0 || !Enabled()) {
        TLabel::DrawCaption(canvas, text, area, flags);
        return;
    }
    bool left = shadowPos_ == spLeftTop || shadowPos_ == spLeftBottom;
    bool top = shadowPos_ == spLeftTop || shadowPos_ == spRightTop;
    RECT shadow = area;
    OffsetRect(&shadow, left ? -shadowSize_ : shadowSize_, top ? -shadowSize_ : shadowSize_);
    TColor textColor = canvas.Font().Color();
    canvas.Font().SetColor(shadowColor_);
    canvas.DrawText(text, shadow, flags);
    canvas.Font().SetColor(textColor);
    canvas.DrawText(text, area, flags);
}

bool TRxLabel::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "ShadowColor")) {
        SetShadowColor(ColorFromValue(value));
    } else if (SameText(name, "ShadowSize")) {
        SetShadowSize(value.AsInt());
    } else if (SameText(name, "ShadowPos")) {
        SetShadowPos(static_cast<TShadowPosition>(
            value.AsEnum({"spLeftTop", "spLeftBottom", "spRightBottom", "spRightTop"})));
    } else {
        return TLabel::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
