#include "OfficePopupMenu.h"

#include "ImageList.h"
#include "OfficeMenuLayout.h"

using gui::TCanvas;
using gui::TMenuItem;

namespace {

// DrawTextA flag sets of the office look.
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_EXTERNALLEADING;
constexpr UINT kShortCutFlags = DT_RIGHT | DT_EXTERNALLEADING;
constexpr UINT kTextFlags = DT_EXTERNALLEADING;
constexpr UINT kTitleFlags = DT_SINGLELINE | DT_VCENTER | DT_EXTERNALLEADING;

officemenu::Size MeasureText(TCanvas& canvas, const std::string& text, UINT flags) {
    if (text.empty()) return {};
    RECT r{0, 0, 0, 0};
    const int height = canvas.DrawText(text, r, flags);
    return {r.right, height};
}

RECT ToRect(const officemenu::Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}
officemenu::Rect FromRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

void Fill(TCanvas& canvas, const RECT& r, gui::TColor color) {
    canvas.Brush().SetStyle(gui::bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(r);
}

// A two-point polyline: the end point itself stays untouched.
void Line(TCanvas& canvas, gui::TColor color, int x1, int y1, int x2, int y2) {
    canvas.Pen().SetStyle(gui::psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(color);
    canvas.Polyline({{x1, y1}, {x2, y2}});
}

}  // namespace

TOfficePopupMenu::TOfficePopupMenu(gui::TComponent* owner)
    : TPopupMenu(owner), appearance_(new TMenuAppearance) {
    ApplyStylePreset(*appearance_, msDefault);
}

TOfficePopupMenu::~TOfficePopupMenu() = default;

void TOfficePopupMenu::SetOfficeDesign(bool on) {
    officeDesign_ = on;
    if (on)
        ApplyOfficeDesign();
    else
        RemoveOfficeDesign();
}

void TOfficePopupMenu::SetAppearance(const TMenuAppearance* appearance) {
    if (appearance) appearance_->Assign(*appearance);
}

void TOfficePopupMenu::SetStyle(TMenuStyle style) {
    style_ = style;
    ApplyStylePreset(*appearance_, style);
}

void TOfficePopupMenu::PopupAtCursor() {
    POINT p{0, 0};
    GetCursorPos(&p);
    Popup(p.x, p.y);
}

void TOfficePopupMenu::DoPopup() {
    if (officeDesign_)
        ApplyOfficeDesign();
    else
        RemoveOfficeDesign();
}

void TOfficePopupMenu::ApplyOfficeDesign() {
    SetOwnerDraw(true);
    TMenuItem* items = Items();
    for (int i = 0; i < items->Count(); ++i) {
        TMenuItem* item = items->Items(i);
        if (item->Caption() == "-") {
            item->OnMeasureItem = [this](gui::TObject* s, TCanvas* c, int& w, int& h) {
                MeasureSeparatorItem(s, c, w, h);
            };
            item->OnDrawItem = [this](gui::TObject* s, TCanvas* c, const RECT& r, bool sel) {
                DrawSeparatorItem(s, c, r, sel);
            };
        } else {
            item->OnMeasureItem = [this](gui::TObject* s, TCanvas* c, int& w, int& h) {
                MeasureOfficeMenuItem(s, c, w, h);
            };
            item->OnDrawItem = [this](gui::TObject* s, TCanvas* c, const RECT& r, bool sel) {
                DrawOfficeMenuItem(s, c, r, sel);
            };
        }
    }
}

void TOfficePopupMenu::RemoveOfficeDesign() {
    SetOwnerDraw(false);
    TMenuItem* items = Items();
    for (int i = 0; i < items->Count(); ++i) {
        items->Items(i)->OnDrawItem = nullptr;
        items->Items(i)->OnMeasureItem = nullptr;
    }
}

void TOfficePopupMenu::MeasureSeparatorItem(gui::TObject* sender, TCanvas* canvas, int& width,
                                            int& height) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !canvas) return;
    officemenu::Size hint;
    if (!item->Hint().empty()) {
        canvas->Font().SetStyle(gui::fsBold);
        hint = MeasureText(*canvas, item->Hint(), kMeasureFlags);
    }
    const officemenu::Size s =
        officemenu::MeasureSeparator(*appearance_, !item->Hint().empty(), hint);
    width = s.width;
    height = s.height;
}

void TOfficePopupMenu::DrawSeparatorItem(gui::TObject* sender, TCanvas* canvas, const RECT& rect,
                                         bool) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !canvas) return;
    const TMenuAppearance& a = *appearance_;
    const bool hasHint = !item->Hint().empty();
    const officemenu::SeparatorLayout l =
        officemenu::LayoutSeparator(a, FromRect(rect), hasHint, item->ImageList() != nullptr);

    Fill(*canvas, rect, a.SeparatorBackgroundColor());
    Line(*canvas, a.SeparatorLineColor(), rect.left, l.upperLineY, rect.right, l.upperLineY);
    Line(*canvas, a.ItemBackgroundColor(), rect.left, l.lowerLineY, rect.right, l.lowerLineY);
    if (l.hasTitle) {
        canvas->Brush().SetStyle(gui::bsClear);
        canvas->Font().SetStyle(gui::fsBold);
        canvas->Font().SetColor(a.FontColor());
        RECT title = ToRect(l.title);
        canvas->DrawText(item->Hint(), title, kTitleFlags);
    }
    if (l.hasGutter) {
        Fill(*canvas, ToRect(l.gutter), a.GutterColor());
        Line(*canvas, a.SeparatorLineColor(), l.gutterLineX, rect.top, l.gutterLineX, rect.bottom);
    }
}

void TOfficePopupMenu::MeasureOfficeMenuItem(gui::TObject* sender, TCanvas* canvas, int& width,
                                             int& height) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !canvas) return;
    officemenu::ItemTexts texts;
    canvas->Font().SetStyle(gui::fsBold);
    texts.caption = MeasureText(*canvas, item->Caption(), kMeasureFlags);
    const std::string shortCut = gui::ShortCutToText(item->ShortCut());
    if (!shortCut.empty()) {
        texts.hasShortcut = true;
        texts.shortcutWidth = MeasureText(*canvas, shortCut, kShortCutFlags | DT_CALCRECT).width;
    }
    canvas->Font().SetStyle(0);
    texts.hint = MeasureText(*canvas, item->Hint(), kMeasureFlags);
    const officemenu::Size s =
        officemenu::MeasureOfficeItem(*appearance_, texts, item->ImageList() != nullptr);
    width = s.width;
    height = s.height;
}

void TOfficePopupMenu::DrawOfficeMenuItem(gui::TObject* sender, TCanvas* canvas, const RECT& rect,
                                          bool selected) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !canvas) return;
    const TMenuAppearance& a = *appearance_;
    gui::TImageList* images = item->ImageList();
    const bool hasHint = !item->Hint().empty();

    canvas->Font().SetStyle(gui::fsBold);
    const int captionHeight = MeasureText(*canvas, item->Caption(), kMeasureFlags).height;
    const officemenu::ItemLayout l =
        officemenu::LayoutOfficeItem(a, FromRect(rect), captionHeight, hasHint, images != nullptr);

    Fill(*canvas, rect, a.ItemBackgroundColor());
    if (l.hasGutter) {
        Fill(*canvas, ToRect(l.gutter), a.GutterColor());
        Line(*canvas, a.SeparatorLineColor(), l.gutterLineX, rect.top, l.gutterLineX, rect.bottom);
    }

    if (selected) {
        HDC dc = canvas->Handle();
        HRGN region = CreateRoundRectRgn(rect.left, rect.top, rect.right, rect.bottom, 3, 3);
        SelectClipRgn(dc, region);
        FillGradientRect(dc, ToRect(l.gradient1), officemenu::kGradientSteps, a.Gradient1Start(),
                         a.Gradient1End(), 0);
        if (l.hasGradient2)
            FillGradientRect(dc, ToRect(l.gradient2), officemenu::kGradientSteps,
                             a.Gradient2Start(), a.Gradient2End(), 0);
        SelectClipRgn(dc, nullptr);
        DeleteObject(region);
        canvas->Pen().SetStyle(gui::psSolid);
        canvas->Pen().SetWidth(1);
        canvas->Pen().SetColor(a.SeparatorLineColor());
        canvas->Brush().SetStyle(gui::bsClear);
        canvas->RoundRect(rect.left, rect.top, rect.right, rect.bottom, 3, 3);
    }

    const gui::TColor textColor = item->Enabled() ? a.FontColor() : a.FontDisabledColor();
    canvas->Brush().SetStyle(gui::bsClear);
    canvas->Font().SetStyle(gui::fsBold);
    canvas->Font().SetColor(textColor);
    RECT text = ToRect(l.text);
    canvas->DrawText(item->Caption(), text, kTextFlags);
    const std::string shortCut = gui::ShortCutToText(item->ShortCut());
    if (!shortCut.empty()) {
        text = ToRect(l.text);
        canvas->DrawText(shortCut, text, kShortCutFlags);
    }

    canvas->Font().SetStyle(0);
    canvas->Font().SetColor(textColor);
    RECT hint = ToRect(l.hintText);
    canvas->DrawText(item->Hint(), hint, kTextFlags);

    // The image keeps its normal look on a disabled item as well.
    if (item->ImageIndex() >= 0 && images)
        images->Draw(*canvas, l.imageX, l.imageY, item->ImageIndex(), true);
}

bool TOfficePopupMenu::FillGradientRect(HDC dc, const RECT& rect, int steps, gui::TColor start,
                                        gui::TColor end, int direction) {
    if (steps < 1) return false;
    const gui::TColor from = gui::ColorToRGB(start) & 0xFFFFFF;
    const gui::TColor to = gui::ColorToRGB(end) & 0xFFFFFF;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const bool topDown = direction == 0;
    const int size = topDown ? height : width;
    for (int i = 0; i < steps; ++i) {
        const officemenu::Span span = officemenu::StripeSpan(i, steps, size);
        if (span.to <= span.from) continue;  // would fill nothing anyway
        RECT stripe =
            topDown ? RECT{0, span.from, width, span.to} : RECT{span.from, 0, span.to, height};
        OffsetRect(&stripe, rect.left, rect.top);
        HBRUSH brush = CreateSolidBrush(officemenu::StripeColor(from, to, i, steps));
        FillRect(dc, &stripe, brush);
        DeleteObject(brush);
    }
    return true;
}

bool TOfficePopupMenu::SetProperty(const std::string& name, const gui::PropertyValue& value) {
    static const std::string kAppearance = "Appearance.";
    if (name.size() > kAppearance.size() &&
        gui::SameText(name.substr(0, kAppearance.size()), kAppearance))
        return appearance_->SetProperty(name.substr(kAppearance.size()), value);
    if (gui::SameText(name, "OfficeDesign")) {
        SetOfficeDesign(value.AsBool());
        return true;
    }
    if (gui::SameText(name, "Style")) {
        TMenuStyle style;
        if (!MenuStyleFromValue(value, style)) throw gui::Exception("Invalid property value");
        SetStyle(style);
        return true;
    }
    return TPopupMenu::SetProperty(name, value);
}
