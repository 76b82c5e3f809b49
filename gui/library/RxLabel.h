// A label with an optional shadow under its text; otherwise the layer's label, with its cursor,
// click and mouse-move events (a link-style label is one with the hand cursor and a click
// handler).
#pragma once

#include "StdCtrls.h"

namespace gui {

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

class TRxLabel : public TLabel {
public:
    explicit TRxLabel(TComponent* owner);

    // A copy of the text in ShadowColor, ShadowSize pixels toward ShadowPos, under the text.
    // ShadowSize 0 (the default) draws no shadow.
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size);
    TShadowPosition ShadowPos() const { return shadowPos_; }
    void SetShadowPos(TShadowPosition position);

    // ShadowColor, ShadowSize, ShadowPos and the label's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

protected:
    void DrawCaption(TCanvas& canvas, const std::string& text, RECT area, UINT flags) override;

private:
    TColor shadowColor_ = clBtnHighlight;
    int shadowSize_ = 0;
    TShadowPosition shadowPos_ = spLeftTop;
};

}  // namespace gui
