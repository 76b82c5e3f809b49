#include "Buttons.h"

#include <algorithm>
#include <vector>

#include "ExtCtrls.h"

namespace gui {

namespace {

// Picture data of a form description; data written by the class library carries its length
// in four bytes ahead of the picture.
void LoadPictureData(TBitmap& picture, const std::vector<uint8_t>& data) {
    size_t skip = 0;
    if (data.size() > 4) {
        uint32_t length =
            data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24);
        if (length == data.size() - 4) skip = 4;
    }
    picture.LoadEncoded(std::string(data.begin() + static_cast<std::ptrdiff_t>(skip), data.end()));
}

// Places glyph and caption one after the other along one side of the button, `extent` long:
// centred together when margin is negative, otherwise margin pixels in from the edge the glyph
// lies at.
void PlaceInLine(int extent, int glyph, int text, int gap, int margin, bool glyphFirst,
                 int& glyphAt, int& textAt) {
    int start = margin < 0 ? (extent - (glyph + gap + text)) / 2 : margin;
    if (glyphFirst) {
        glyphAt = start;
        textAt = start + glyph + gap;
    } else {
        textAt = margin < 0 ? start : extent - margin - glyph - gap - text;
        glyphAt = textAt + text + gap;
    }
}

}  // namespace

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
    SetClassName("TBitBtn");
}

void TBitBtn::CreateParams(TCreateParams& params) {
    TButton::CreateParams(params);
    params.style = (params.style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

LRESULT TBitBtn::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // A quick second press is another click, as on any push button.
    if (msg == WM_LBUTTONDBLCLK) return TButton::WndProc(WM_LBUTTONDOWN, wParam, lParam);
    return TButton::WndProc(msg, wParam, lParam);
}

bool TBitBtn::ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_DRAWITEM) {
        DrawButton(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    return TButton::ParentNotification(msg, wParam, lParam, result);
}

void TBitBtn::DrawGlyph(HDC dc, int x, int y, bool enabled, bool pressed) {
    if (glyph_.Empty()) return;
    int count = std::max(1, numGlyphs_);
    int w = glyph_.Width() / count, h = glyph_.Height();
    if (w <= 0) return;
    int index = 0;
    if (!enabled && count >= 2) index = 1;
    if (pressed && count >= 3) index = 2;
    TBitmap image(w, h);
    for (int row = 0; row < h; ++row) {
        const uint32_t* from = glyph_.ScanLine(row) + index * w;
        std::copy(from, from + w, image.ScanLine(row));
    }
    bool alpha = glyph_.HasAlpha();
    uint32_t transparent = glyph_.ScanLine(h - 1)[0] & 0x00FFFFFF;
    if (!enabled && count < 2) {
        // No disabled image of its own: a light grey rendering of the normal one.
        for (int row = 0; row < h; ++row) {
            uint32_t* line = image.ScanLine(row);
            for (int col = 0; col < w; ++col) {
                uint32_t p = line[col];
                if (!alpha && (p & 0x00FFFFFF) == transparent) continue;
                uint32_t a = p >> 24;
                uint32_t grey =
                    (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
                grey = 128 + grey / 2;
                if (alpha) grey = grey * a / 255;  // the picture's colours are premultiplied
                line[col] = (a << 24) | (grey << 16) | (grey << 8) | grey;
            }
        }
    }
    if (alpha) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, x, y, w, h, image.Canvas().Handle(), 0, 0, w, h, blend);
    } else {
        TColor key = RGBColor(static_cast<int>((transparent >> 16) & 0xFF),
                              static_cast<int>((transparent >> 8) & 0xFF),
                              static_cast<int>(transparent & 0xFF));
        DrawKeyedPicture(dc, Bounds(x, y, w, h), image, Rect(0, 0, w, h), key);
    }
}

void TBitBtn::DrawButton(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    bool focused = (item.itemState & ODS_FOCUS) != 0;
    bool enabled = !(item.itemState & ODS_DISABLED);

    if (focused || Default()) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    std::string caption = Caption();
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    RECT textSize{0, 0, 0, 0};
    if (!caption.empty())
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textSize,
                  DT_CALCRECT | DT_SINGLELINE);
    int tw = textSize.right, th = textSize.bottom;
    int gw = glyph_.Empty() ? 0 : glyph_.Width() / std::max(1, numGlyphs_);
    int gh = glyph_.Empty() ? 0 : glyph_.Height();
    int gap = (gw > 0 && tw > 0) ? spacing_ : 0;

    int bw = r.right - r.left, bh = r.bottom - r.top;
    int gx, gy, tx, ty;
    bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    if (horizontal) {
        PlaceInLine(bw, gw, tw, gap, margin_, layout_ == blGlyphLeft, gx, tx);
        gy = (bh - gh) / 2;
        ty = (bh - th) / 2;
    } else {
        PlaceInLine(bh, gh, th, gap, margin_, layout_ == blGlyphTop, gy, ty);
        gx = (bw - gw) / 2;
        tx = (bw - tw) / 2;
    }
    int shift = pressed ? 1 : 0;
    DrawGlyph(dc, r.left + gx + shift, r.top + gy + shift, enabled, pressed);

    if (!caption.empty()) {
        RECT text = Bounds(r.left + tx + shift, r.top + ty + shift, tw, th);
        SetBkMode(dc, TRANSPARENT);
        if (!enabled) {
            RECT light = text;
            OffsetRect(&light, 1, 1);
            SetTextColor(dc, ColorToColorRef(clBtnHighlight));
            DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &light, DT_SINGLELINE);
            SetTextColor(dc, ColorToColorRef(clBtnShadow));
        } else {
            SetTextColor(dc, ColorToColorRef(Font().Color()));
        }
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE);
    }
    SelectObject(dc, oldFont);

    if (focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void TBitBtn::SetGlyph(TBitmap& picture) {
    glyph_.Assign(picture);
    Invalidate();
}

void TBitBtn::LoadGlyph(const std::string& resourceName) {
    glyph_.LoadFromResourceName(resourceName);
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int count) {
    numGlyphs_ = std::clamp(count, 1, 4);
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    Invalidate();
}

void TBitBtn::SetSpacing(int spacing) {
    spacing_ = spacing;
    Invalidate();
}

void TBitBtn::SetMargin(int margin) {
    margin_ = margin;
    Invalidate();
}

bool TBitBtn::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Glyph") || SameText(name, "Glyph.Data")) {
        if (value.kind == PropertyValue::Kind::Binary)
            LoadPictureData(glyph_, value.data);
        else
            LoadGlyph(value.AsString());
        Invalidate();
    } else if (SameText(name, "NumGlyphs")) {
        SetNumGlyphs(value.AsInt());
    } else if (SameText(name, "Layout")) {
        SetLayout(static_cast<TButtonLayout>(
            value.AsEnum({"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"})));
    } else if (SameText(name, "Spacing")) {
        SetSpacing(value.AsInt());
    } else if (SameText(name, "Margin")) {
        SetMargin(value.AsInt());
    } else if (SameText(name, "Kind")) {
        value.AsIdent();  // the stock kinds are not used; every button here has its own glyph
    } else {
        return TButton::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
