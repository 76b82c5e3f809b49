// The bitmap button: a push button that draws a picture (its glyph) beside its caption. Its hint
// shows in the application's hint window, as every control's does.
#pragma once

#include <windows.h>

#include <string>

#include "Graphics.h"
#include "StdCtrls.h"

namespace gui {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* owner);

    // The picture; a strip of NumGlyphs images side by side (normal, disabled, pressed). Pixels
    // of the bottom-left pixel's colour are left out, unless the picture has its own alpha.
    TBitmap& Glyph() { return glyph_; }
    // Takes a copy of the picture (another button's glyph, say).
    void SetGlyph(TBitmap& picture);
    void LoadGlyph(const std::string& resourceName);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    // Space between glyph and caption.
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    // -1 centres glyph and caption together; otherwise the glyph's distance from the edge.
    int Margin() const { return margin_; }
    void SetMargin(int margin);

    // Glyph ('resource name' or picture data), NumGlyphs, Layout, Spacing, Margin, Kind and the
    // button's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    bool ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void DrawButton(const DRAWITEMSTRUCT& item);
    void DrawGlyph(HDC dc, int x, int y, bool enabled, bool pressed);

    TBitmap glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;
};

}  // namespace gui
