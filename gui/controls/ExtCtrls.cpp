#include "ExtCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "DescribedPicture.h"

namespace gui {

namespace {

TBevelCut BevelFromValue(const PropertyValue& value) {
    return static_cast<TBevelCut>(value.AsEnum({"bvNone", "bvLowered", "bvRaised", "bvSpace"}));
}

}  // namespace

void Frame3D(HDC dc, RECT& rect, TColor topLeft, TColor bottomRight, int width) {
    HBRUSH light = CreateSolidBrush(ColorToColorRef(topLeft));
    HBRUSH dark = CreateSolidBrush(ColorToColorRef(bottomRight));
    for (int i = 0; i < width && rect.right > rect.left && rect.bottom > rect.top; ++i) {
        RECT top{rect.left, rect.top, rect.right - 1, rect.top + 1};
        RECT left{rect.left, rect.top, rect.left + 1, rect.bottom - 1};
        RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom};
        RECT right{rect.right - 1, rect.top, rect.right, rect.bottom};
        FillRect(dc, &top, light);
        FillRect(dc, &left, light);
        FillRect(dc, &bottom, dark);
        FillRect(dc, &right, dark);
        InflateRect(&rect, -1, -1);
    }
    DeleteObject(light);
    DeleteObject(dark);
}

void DrawKeyedPicture(HDC dc, const RECT& dest, TBitmap& picture, const RECT& source, TColor key) {
    int w = source.right - source.left, h = source.bottom - source.top;
    if (w <= 0 || h <= 0 || picture.Empty()) return;
    TColor rgb = ColorToRGB(key);
    uint32_t keyPixel = (static_cast<uint32_t>(RedOf(rgb)) << 16) |
                        (static_cast<uint32_t>(GreenOf(rgb)) << 8) | BlueOf(rgb);
    TBitmap keyed(w, h);
    for (int y = 0; y < h; ++y) {
        const uint32_t* from = picture.ScanLine(source.top + y);
        uint32_t* to = keyed.ScanLine(y);
        if (!from || !to) return;
        for (int x = 0; x < w; ++x) {
            uint32_t p = from[source.left + x] & 0x00FFFFFF;
            to[x] = p == keyPixel ? 0 : (p | 0xFF000000u);
        }
    }
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
               keyed.Canvas().Handle(), 0, 0, w, h, blend);
}

// =============================================================================================
// TPanel

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetClassName("TPanel");
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 185, 41);
}

void TPanel::Paint() {
    TCanvas& canvas = Canvas();
    HDC dc = canvas.Handle();
    RECT r = ClientRect();
    if (framed_) Frame3D(dc, r, clWindowFrame, clWindowFrame, 1);
    if (bevelOuter_ != bvNone && bevelOuter_ != bvSpace)
        Frame3D(dc, r, bevelOuter_ == bvRaised ? clBtnHighlight : clBtnShadow,
                bevelOuter_ == bvRaised ? clBtnShadow : clBtnHighlight, bevelWidth_);
    else if (bevelOuter_ == bvSpace)
        InflateRect(&r, -bevelWidth_, -bevelWidth_);
    InflateRect(&r, -borderWidth_, -borderWidth_);
    if (bevelInner_ != bvNone && bevelInner_ != bvSpace)
        Frame3D(dc, r, bevelInner_ == bvRaised ? clBtnHighlight : clBtnShadow,
                bevelInner_ == bvRaised ? clBtnShadow : clBtnHighlight, bevelWidth_);
    else if (bevelInner_ == bvSpace)
        InflateRect(&r, -bevelWidth_, -bevelWidth_);
    std::string caption = Caption();
    if (caption.empty()) return;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawText(caption, r, flags);
}

void TPanel::TextChanged() {
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut cut) {
    bevelOuter_ = cut;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut cut) {
    bevelInner_ = cut;
    Invalidate();
}

void TPanel::SetBevelWidth(int width) {
    bevelWidth_ = std::max(1, width);
    Invalidate();
}

void TPanel::SetBorderWidth(int width) {
    borderWidth_ = std::max(0, width);
    Invalidate();
}

void TPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

bool TPanel::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "BevelOuter")) {
        SetBevelOuter(BevelFromValue(value));
    } else if (SameText(name, "BevelInner")) {
        SetBevelInner(BevelFromValue(value));
    } else if (SameText(name, "BevelWidth")) {
        SetBevelWidth(value.AsInt());
    } else if (SameText(name, "BorderWidth")) {
        SetBorderWidth(value.AsInt());
    } else if (SameText(name, "BorderStyle")) {
        framed_ = value.AsEnum({"bsNone", "bsSingle"}) == 1;
        Invalidate();
    } else if (SameText(name, "Alignment")) {
        SetAlignment(detail::AlignmentFromValue(value));
    } else if (SameText(name, "FullRepaint") || SameText(name, "Locked")) {
        value.AsBool();
    } else {
        return TCustomControl::SetProperty(name, value);
    }
    return true;
}

// =============================================================================================
// TPicture

void TPicture::Changed() {
    if (OnChange) OnChange();
}

void TPicture::LoadFromFile(const std::string& path) {
    TBitmap loaded;
    loaded.LoadFromFile(path);
    bitmap_.Assign(loaded);
    Changed();
}

void TPicture::LoadFromResourceName(const std::string& name) {
    TBitmap loaded;
    loaded.LoadFromResourceName(name);
    bitmap_.Assign(loaded);
    Changed();
}

void TPicture::LoadFromMemory(const void* data, size_t size) {
    TBitmap loaded;
    loaded.LoadFromMemory(data, size);
    bitmap_.Assign(loaded);
    Changed();
}

void TPicture::LoadEncoded(std::string data) {
    bitmap_.LoadEncoded(std::move(data));
    Changed();
}

void TPicture::Assign(TBitmap& bitmap) {
    bitmap_.Assign(bitmap);
    Changed();
}

void TPicture::Clear() {
    bitmap_.SetSize(0, 0);
    Changed();
}

// =============================================================================================
// TImage

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetClassName("TImage");
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this] { PictureChanged(); };
}

void TImage::PictureChanged() {
    if (autoSize_ && !picture_.Empty())
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

RECT TImage::DestRect() const {
    int pw = picture_.Width(), ph = picture_.Height();
    int cw = Width(), ch = Height();
    int w = pw, h = ph;
    if (stretch_ || (proportional_ && (pw > cw || ph > ch))) {
        if (proportional_ && pw > 0 && ph > 0) {
            // The larger scale that still fits both ways.
            if (static_cast<long long>(cw) * ph <= static_cast<long long>(ch) * pw) {
                w = cw;
                h = static_cast<int>(static_cast<long long>(ph) * cw / pw);
            } else {
                h = ch;
                w = static_cast<int>(static_cast<long long>(pw) * ch / ph);
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0, y = 0;
    if (center_) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return Bounds(x, y, w, h);
}

void TImage::Paint() {
    TBitmap& bitmap = picture_.Bitmap();
    if (bitmap.Empty()) return;
    TCanvas& canvas = Canvas();
    RECT dest = DestRect();
    if (transparent_ && !bitmap.HasAlpha()) {
        DrawKeyedPicture(canvas.Handle(), dest, bitmap, Rect(0, 0, bitmap.Width(), bitmap.Height()),
                         bitmap.Pixel(0, bitmap.Height() - 1));
        return;
    }
    canvas.StretchDraw(dest, bitmap);
}

void TImage::SetStretch(bool on) {
    stretch_ = on;
    Invalidate();
}

void TImage::SetCenter(bool on) {
    center_ = on;
    Invalidate();
}

void TImage::SetProportional(bool on) {
    proportional_ = on;
    Invalidate();
}

void TImage::SetTransparent(bool on) {
    transparent_ = on;
    Invalidate();
}

void TImage::SetAutoSize(bool on) {
    autoSize_ = on;
    if (on) PictureChanged();
}

bool TImage::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Picture") || SameText(name, "Picture.Data")) {
        picture_.LoadEncoded(DescribedPicture(value));
    } else if (SameText(name, "Stretch")) {
        SetStretch(value.AsBool());
    } else if (SameText(name, "Center")) {
        SetCenter(value.AsBool());
    } else if (SameText(name, "Proportional")) {
        SetProportional(value.AsBool());
    } else if (SameText(name, "Transparent")) {
        SetTransparent(value.AsBool());
    } else if (SameText(name, "AutoSize")) {
        SetAutoSize(value.AsBool());
    } else if (SameText(name, "IncrementalDisplay")) {
        value.AsBool();
    } else {
        return TGraphicControl::SetProperty(name, value);
    }
    return true;
}

// =============================================================================================
// TShape

TShape::TShape(TComponent* owner) : TGraphicControl(owner) {
    SetClassName("TShape");
    SetBounds(0, 0, 65, 65);
    brush_.OnChange = [this] { Invalidate(); };
    pen_.OnChange = [this] { Invalidate(); };
}

void TShape::SetShape(TShapeType shape) {
    shape_ = shape;
    Invalidate();
}

void TShape::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Pen().Assign(pen_);
    canvas.Brush().Assign(brush_);
    // The pen is centred on the outline, so the figure is inset by half its width.
    int penWidth = pen_.Width();
    int x = penWidth / 2, y = x;
    int w = Width() - penWidth + 1, h = Height() - penWidth + 1;
    if (penWidth == 0) {
        --w;
        --h;
    }
    int side = std::min(w, h);
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        x += (w - side) / 2;
        y += (h - side) / 2;
        w = h = side;
    }
    switch (shape_) {
        case stRoundRect:
        case stRoundSquare:
            canvas.RoundRect(x, y, x + w, y + h, side / 4, side / 4);
            break;
        case stEllipse:
        case stCircle:
            canvas.Ellipse(x, y, x + w, y + h);
            break;
        default:
            canvas.Rectangle(x, y, x + w, y + h);
            break;
    }
}

bool TShape::SetProperty(const std::string& name, const PropertyValue& value) {
    if (name.size() > 6 && SameText(name.substr(0, 6), "Brush."))
        return brush_.SetProperty(name.substr(6), value);
    if (name.size() > 4 && SameText(name.substr(0, 4), "Pen."))
        return pen_.SetProperty(name.substr(4), value);
    if (SameText(name, "Shape")) {
        SetShape(static_cast<TShapeType>(value.AsEnum(
            {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"})));
        return true;
    }
    return TGraphicControl::SetProperty(name, value);
}

// =============================================================================================
// TProgressBar

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    SetClassName("TProgressBar");
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = PROGRESS_CLASSA;
    if (smooth_) params.style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd() {
    TWinControl::CreateWnd();
    Show();
}

void TProgressBar::Show() {
    if (!HandleAllocated()) return;
    SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_),
                 static_cast<LPARAM>(std::max(min_, max_)));
    SendMessageA(Handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    position_ = std::clamp(position_, min_, std::max(min_, max_));
    Show();
}

void TProgressBar::SetMin(int value) {
    SetRange(value, max_);
}
void TProgressBar::SetMax(int value) {
    SetRange(min_, value);
}

void TProgressBar::SetPosition(int value) {
    position_ = std::clamp(value, min_, std::max(min_, max_));
    if (HandleAllocated()) SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetStep(int value) {
    step_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
}

// The system's bar starts again from its minimum when a step passes the maximum; a progress
// display that jumps back to empty near the end misleads, so the position is held at the end.
void TProgressBar::StepIt() {
    StepBy(step_);
}

void TProgressBar::StepBy(int delta) {
    long long next = static_cast<long long>(position_) + delta;
    next = std::clamp<long long>(next, min_, std::max(min_, max_));
    SetPosition(static_cast<int>(next));
}

void TProgressBar::SetSmooth(bool on) {
    if (on == smooth_) return;
    smooth_ = on;
    RecreateWnd();
}

bool TProgressBar::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Min")) {
        SetMin(value.AsInt());
    } else if (SameText(name, "Max")) {
        SetMax(value.AsInt());
    } else if (SameText(name, "Position")) {
        SetPosition(value.AsInt());
    } else if (SameText(name, "Step")) {
        SetStep(value.AsInt());
    } else if (SameText(name, "Smooth")) {
        SetSmooth(value.AsBool());
    } else if (SameText(name, "Orientation")) {
        value.AsIdent();
    } else {
        return TWinControl::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
