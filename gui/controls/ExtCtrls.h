// Panels, pictures and progress bars.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Control.h"
#include "Graphics.h"
#include "StdCtrls.h"

namespace gui {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A surface for other controls, with 3-D bevels and a centred caption.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    // BevelOuter, BevelInner, BevelWidth, BorderWidth, BorderStyle, Alignment, and the
    // control's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

protected:
    void Paint() override;
    void TextChanged() override;

private:
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    bool framed_ = false;
    TAlignment alignment_ = taCenter;
};

// Draws the raised or lowered edge of a bevel inside the rectangle and shrinks it by the width.
void Frame3D(HDC dc, RECT& rect, TColor topLeft, TColor bottomRight, int width);

// Draws part of a picture scaled into dest, leaving out the pixels of the key colour. Works on
// an alpha copy, as colour-keyed blitting is not dependable with 32-bit pictures everywhere.
void DrawKeyedPicture(HDC dc, const RECT& dest, TBitmap& picture, const RECT& source, TColor key);

// A picture of any format WIC reads (BMP, ICO, PNG, JPEG, GIF), decoded into a bitmap.
class TPicture {
public:
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    TBitmap& Bitmap() { return bitmap_; }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    bool Empty() const { return bitmap_.Empty(); }

    // Loading failures raise Exception and leave the previous picture as it was.
    void LoadFromFile(const std::string& path);
    void LoadFromResourceName(const std::string& name);
    void LoadFromMemory(const void* data, size_t size);
    // Keeps the encoded picture until it is first drawn or measured (see TBitmap::LoadEncoded).
    void LoadEncoded(std::string data);
    void Assign(TBitmap& bitmap);
    void Clear();

    std::function<void()> OnChange;

private:
    void Changed();
    TBitmap bitmap_;
};

// A picture on the parent's surface. Mouse events come with coordinates relative to the image.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    TPicture& Picture() { return picture_; }
    // Stretch scales the picture to the control; otherwise it is drawn at its own size, in the
    // top-left corner or, with Center, in the middle.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    bool Center() const { return center_; }
    void SetCenter(bool on);
    // Keeps the picture's proportions when stretching (and shrinks large pictures to fit).
    bool Proportional() const { return proportional_; }
    void SetProportional(bool on);
    // Leaves out the picture's background: pixels of the bottom-left pixel's colour, or the
    // transparent parts of a picture with an alpha channel (those are always blended).
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // With AutoSize the control takes the picture's size.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

    // The rectangle of the control the picture is drawn into.
    RECT DestRect() const;

    // Picture ('resource name' or picture data), Picture.Data, Stretch, Center, Proportional,
    // Transparent, AutoSize, and the control's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

protected:
    void Paint() override;

private:
    void PictureChanged();

    TPicture picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool proportional_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A figure drawn with a pen and a brush on the parent's surface.
class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* owner);

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType shape);
    TBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }

    // Shape, Brush.*, Pen.* and the control's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

protected:
    void Paint() override;

private:
    TShapeType shape_ = stRectangle;
    TBrush brush_;
    TPen pen_;
};

// The system's progress bar. Positions outside Min..Max are held at the nearer end.
class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    int Step() const { return step_; }
    void SetMin(int value);
    void SetMax(int value);
    void SetRange(int min, int max);
    void SetPosition(int value);
    void SetStep(int value);
    // Moves the position on by Step, or by the amount given. The bar stops at its maximum.
    void StepIt();
    void StepBy(int delta);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool on);

    // Min, Max, Position, Step, Smooth and the control's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void Show();

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int step_ = 10;
    bool smooth_ = false;
};

}  // namespace gui
