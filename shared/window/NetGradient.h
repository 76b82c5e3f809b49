// TNetGradient: a caption bar without a window of its own. It fills its bounds on the parent's
// surface with vertical bands stepping from one colour to another and writes one line of text
// over them. Windows place it through their form descriptions; nothing calls it at run time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Control.h"
#include "Graphics.h"

enum TFillDirection : uint8_t { fdLeftToRight, fdRightToLeft };

class TNetGradient : public gui::TGraphicControl {
public:
    explicit TNetGradient(gui::TComponent* owner);
    ~TNetGradient() override;

    // The band count is kept in one byte; values outside 1..255 are clamped on the way in.
    static constexpr int kMinColors = 1;
    static constexpr int kMaxColors = 255;

    TFillDirection FillDirection() const { return fillDirection_; }
    void SetFillDirection(TFillDirection direction);
    gui::TColor BeginColor() const { return beginColor_; }
    void SetBeginColor(gui::TColor color);
    gui::TColor EndColor() const { return endColor_; }
    void SetEndColor(gui::TColor color);
    // Stored only: nothing reads it, it neither sizes nor draws the bar.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    int NumberOfColors() const { return numberOfColors_; }
    void SetNumberOfColors(int count);

    // The bar's own font and caption; the base control's are not used by the bar. Changing an
    // attribute of the font object directly shows at the next paint.
    gui::TFont& Font() { return *font_; }
    // Copies the attributes of another font and paints; the bar's own font object is ignored.
    void SetFont(const gui::TFont& font);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int TextTop() const { return textTop_; }
    void SetTextTop(int top);
    int TextLeft() const { return textLeft_; }
    void SetTextLeft(int left);

    // Drag settings of a form description are kept as written; the layer has no drag and drop,
    // so they never come into play.
    const std::string& DragCursor() const { return dragCursor_; }
    const std::string& DragMode() const { return dragMode_; }

    // Renders the bands and the caption on the control's canvas (the parent's surface inside
    // the bar's bounds). A bar that is not placed on a parent paints nothing.
    void PaintGradient();

    // The published properties of the bar, then the base control's published ones; properties
    // the bar does not publish (Color, ParentFont, Text, ...) are refused.
    bool SetProperty(const std::string& name, const gui::PropertyValue& value) override;

protected:
    void Paint() override;

private:
    TFillDirection fillDirection_ = fdLeftToRight;
    gui::TColor beginColor_;
    gui::TColor endColor_;
    bool autoSize_ = false;
    uint8_t numberOfColors_;
    std::unique_ptr<gui::TFont> font_;  // created and freed with the bar
    std::string caption_;
    int32_t textTop_;
    int32_t textLeft_;
    std::string dragCursor_ = "crDrag";
    std::string dragMode_ = "dmManual";
};

// The colour of band `band` of `count` between `start` and `end` (RGB values, no system
// colours): the start colour for fewer than two bands, else each channel stepped by the
// platform's rounding multiply-divide, so band 0 is `start` and band count-1 is `end`.
gui::TColor GradientBandColor(int band, int count, gui::TColor start, gui::TColor end);

// The first pixel column of band `band` of `count` across `width` columns. A band reaches up to
// the next band's first column, so it is empty when both round to the same column.
int GradientBandLeft(int band, int width, int count);
