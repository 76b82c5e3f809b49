#include <windows.h>

#include "NetGradient.h"

#include <algorithm>

#include "Component.h"

namespace {

// The base control's properties that a form description may give the bar: those every control
// publishes and those the bar publishes again. Everything else of the base stays unpublished.
const char* const kBaseProperties[] = {
    "Name",           "Tag",         "Left",        "Top",       "Width",
    "Height",         "Cursor",      "Hint",        "Align",     "Enabled",
    "ParentShowHint", "PopupMenu",   "ShowHint",    "Visible",   "OnClick",
    "OnDblClick",     "OnMouseDown", "OnMouseMove", "OnMouseUp",
};

bool IsBaseProperty(const std::string& name) {
    return std::any_of(std::begin(kBaseProperties), std::end(kBaseProperties),
                       [&](const char* base) { return gui::SameText(name, base); });
}

bool StartsWithText(const std::string& text, const std::string& prefix) {
    return text.size() > prefix.size() && gui::SameText(text.substr(0, prefix.size()), prefix);
}

int ClampColorCount(int64_t count) {
    return static_cast<int>(
        std::clamp<int64_t>(count, TNetGradient::kMinColors, TNetGradient::kMaxColors));
}

}  // namespace

TNetGradient::TNetGradient(gui::TComponent* owner)
    : gui::TGraphicControl(owner),
      beginColor_(gui::clGray),
      endColor_(gui::clBtnFace),
      numberOfColors_(kMaxColors),
      font_(std::make_unique<gui::TFont>()),
      textTop_(5),
      textLeft_(12) {
    SetBounds(Left(), Top(), 400, 25);
    font_->SetStyle(gui::fsBold);
}

TNetGradient::~TNetGradient() = default;

void TNetGradient::SetFillDirection(TFillDirection direction) {
    if (direction == fillDirection_) return;
    fillDirection_ = direction;
    PaintGradient();
    Invalidate();
}

void TNetGradient::SetBeginColor(gui::TColor color) {
    beginColor_ = color;
    PaintGradient();
    Invalidate();
}

void TNetGradient::SetEndColor(gui::TColor color) {
    endColor_ = color;
    PaintGradient();
    Invalidate();
}

void TNetGradient::SetAutoSize(bool on) {
    autoSize_ = on;
    Invalidate();
}

void TNetGradient::SetNumberOfColors(int count) {
    numberOfColors_ = static_cast<uint8_t>(ClampColorCount(count));
    Invalidate();
}

void TNetGradient::SetFont(const gui::TFont& font) {
    if (&font == font_.get()) return;
    font_->Assign(font);
    PaintGradient();
}

void TNetGradient::SetCaption(const std::string& caption) {
    caption_ = caption;
    PaintGradient();
}

void TNetGradient::SetTextTop(int top) {
    textTop_ = top;
    PaintGradient();
}

void TNetGradient::SetTextLeft(int left) {
    textLeft_ = left;
    PaintGradient();
}

void TNetGradient::Paint() {
    PaintGradient();
}

void TNetGradient::PaintGradient() {
    // The setters paint at once, which needs the parent's surface; a bar that is not placed
    // anywhere has nothing to paint on.
    if (!Parent()) return;
    gui::TCanvas& canvas = Canvas();
    const int width = Width();
    const int height = Height();
    if (width > 0 && height > 0) {
        // Bands are filled off screen and copied in one go, so the bar never flickers.
        gui::TBitmap bands(width, height);
        gui::TColor start = fillDirection_ == fdLeftToRight ? beginColor_ : endColor_;
        gui::TColor end = fillDirection_ == fdLeftToRight ? endColor_ : beginColor_;
        start = gui::ColorToColorRef(start);  // system colours as they are now
        end = gui::ColorToColorRef(end);
        const int count = numberOfColors_;
        gui::TCanvas& offScreen = bands.Canvas();
        for (int band = 0; band < count; ++band) {
            RECT area{GradientBandLeft(band, width, count), 0,
                      GradientBandLeft(band + 1, width, count), height};
            if (area.right <= area.left) continue;  // narrower than a column: covered by others
            offScreen.Brush().SetColor(GradientBandColor(band, count, start, end));
            offScreen.FillRect(area);
        }
        canvas.Draw(0, 0, bands);
    }
    canvas.Brush().SetStyle(gui::bsClear);
    canvas.Font().Assign(*font_);
    canvas.TextOut(textLeft_, textTop_, caption_);
}

bool TNetGradient::SetProperty(const std::string& name, const gui::PropertyValue& value) {
    using gui::SameText;
    if (SameText(name, "AutoSize")) {
        SetAutoSize(value.AsBool());
    } else if (SameText(name, "BeginColor")) {
        SetBeginColor(gui::ColorFromValue(value));
    } else if (SameText(name, "EndColor")) {
        SetEndColor(gui::ColorFromValue(value));
    } else if (SameText(name, "FillDirection")) {
        SetFillDirection(
            static_cast<TFillDirection>(value.AsEnum({"fdLeftToRight", "fdRightToLeft"})));
    } else if (SameText(name, "NumberOfColors")) {
        value.AsInt();  // refuses a value that is no number
        SetNumberOfColors(ClampColorCount(value.integer));
    } else if (StartsWithText(name, "Font.")) {
        // A description's font lines fill the bar's own font object; they do not paint.
        return font_->SetProperty(name.substr(5), value);
    } else if (SameText(name, "Caption")) {
        SetCaption(value.AsString());
    } else if (SameText(name, "TextTop")) {
        SetTextTop(value.AsInt());
    } else if (SameText(name, "TextLeft")) {
        SetTextLeft(value.AsInt());
    } else if (SameText(name, "DragCursor")) {
        dragCursor_ = value.kind == gui::PropertyValue::Kind::Integer
                          ? std::to_string(value.integer)
                          : value.AsIdent();
    } else if (SameText(name, "DragMode")) {
        dragMode_ = value.AsEnum({"dmManual", "dmAutomatic"}) == 0 ? "dmManual" : "dmAutomatic";
    } else if (SameText(name, "OnDragDrop") || SameText(name, "OnDragOver") ||
               SameText(name, "OnEndDrag")) {
        value.AsIdent();  // a handler name; without drag and drop it is never called
    } else if (IsBaseProperty(name)) {
        return gui::TGraphicControl::SetProperty(name, value);
    } else {
        return false;
    }
    return true;
}

gui::TColor GradientBandColor(int band, int count, gui::TColor start, gui::TColor end) {
    if (count < 2) return start;
    auto channel = [&](int from, int to) {
        return (from + MulDiv(band, to - from, count - 1)) & 0xFF;
    };
    return gui::RGBColor(channel(gui::RedOf(start), gui::RedOf(end)),
                         channel(gui::GreenOf(start), gui::GreenOf(end)),
                         channel(gui::BlueOf(start), gui::BlueOf(end)));
}

int GradientBandLeft(int band, int width, int count) {
    return MulDiv(band, width, count);
}
