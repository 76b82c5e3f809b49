// API stable
// Fonts, brushes, pens, the canvas that draws with them on a device context, and off-screen
// bitmaps. GDI objects are made when first needed and made again after a change.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Color.h"
#include "Component.h"

// The canvas has methods of these names; the ANSI functions are called by their own names.
#undef TextOut
#undef DrawText

namespace gui {

// The current RGB value of a colour: system colours are looked up at every call, so a change of
// the desktop scheme shows at the next paint. clNone and clDefault come back unchanged.
TColor ColorToRGB(TColor color);
// The RGB value as GDI takes it (system colours resolved, flag bits dropped).
COLORREF ColorToColorRef(TColor color);

inline RECT Rect(int left, int top, int right, int bottom) {
    return RECT{left, top, right, bottom};
}
inline RECT Bounds(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

// Font styles are a set: fsBold | fsItalic.
using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

// Screen pixels per logical inch, used to turn point sizes into pixel heights.
int ScreenPixelsPerInch();

class TFont : public TPersistent {
public:
    TFont();
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Size in points; Height in pixels, negative for the character height without the internal
    // leading (the usual form). Either one sets the other.
    int Size() const;
    void SetSize(int points);
    int Height() const { return height_; }
    void SetHeight(int pixels);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);

    // Copies every attribute of the other font; OnChange fires once when anything differs.
    void Assign(const TFont& other);
    bool SameAs(const TFont& other) const;

    // "Name", "Size", "Height", "Color", "Style", "Charset", "Pitch".
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

    // The GDI font, made on first use after a change.
    HFONT Handle();

    // Runs after an attribute changed. The previous GDI font is still alive while it runs (so a
    // canvas can deselect it) and is deleted right after.
    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    int charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    HFONT handle_ = nullptr;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TPersistent {
public:
    TBrush() = default;
    ~TBrush() override;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    void Assign(const TBrush& other);
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

    // A solid brush of the colour's current RGB value; the hollow stock brush for bsClear.
    HBRUSH Handle();
    std::function<void()> OnChange;

private:
    void Changed();
    void Release();

    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    HBRUSH handle_ = nullptr;
    COLORREF handleRgb_ = 0;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TPersistent {
public:
    TPen() = default;
    ~TPen() override;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    void Assign(const TPen& other);
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

    HPEN Handle();
    std::function<void()> OnChange;

private:
    void Changed();
    void Release();

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    HPEN handle_ = nullptr;
    COLORREF handleRgb_ = 0;
};

class TBitmap;

// Draws with its own font, brush and pen on a device context it does not own. The objects are
// selected into the context on each drawing call, and the context's original objects are put
// back when the canvas lets go of it.
class TCanvas {
public:
    TCanvas();
    explicit TCanvas(HDC dc);
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The device context; a canvas that gets one on demand (a control's) gets it here.
    HDC Handle();
    bool HandleAllocated() const { return dc_ != nullptr; }
    // Takes another context (or none); the previous one gets its original objects back.
    void SetHandle(HDC dc);

    TFont& Font() { return font_; }
    TBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }

    // Text is drawn in the font's colour; with a solid brush on the brush colour, with bsClear
    // without a background box.
    void TextOut(int x, int y, const std::string& text);
    // Like TextOut, clipped to the rectangle.
    void TextRect(const RECT& rect, int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    // DrawTextA with the given DT_* flags; with DT_CALCRECT the rectangle is updated. Returns
    // the height of the text drawn.
    int DrawText(const std::string& text, RECT& rect, UINT flags);

    void FillRect(const RECT& rect);   // brush, no outline
    void FrameRect(const RECT& rect);  // one-pixel frame in the brush colour
    void Rectangle(int left, int top, int right, int bottom);  // pen outline, brush inside
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const std::vector<POINT>& points);
    void Polygon(const std::vector<POINT>& points);

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // Copies the bitmap with its top-left corner at (x, y); bitmaps with an alpha channel are
    // blended onto what is there.
    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const RECT& rect, TBitmap& bitmap);
    // Copies the bitmap, leaving out the pixels of the given colour.
    void DrawTransparent(int x, int y, TBitmap& bitmap, TColor transparentColor);
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);

protected:
    // Called by Handle() when the canvas has no context; a canvas that makes its own overrides
    // it and calls SetHandle.
    virtual void CreateHandle() {}

    void RequireFont();
    void RequireBrush();
    void RequirePen();

private:
    void Deselect();

    HDC dc_ = nullptr;
    TFont font_;
    TBrush brush_;
    TPen pen_;
    HGDIOBJ originalFont_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
    HFONT selectedFont_ = nullptr;
    HBRUSH selectedBrush_ = nullptr;
    HPEN selectedPen_ = nullptr;
};

// An off-screen 32-bit top-down DIB section with its own canvas. Pictures are decoded into it
// through WIC (PNG, JPEG, GIF, BMP, ICO); test pictures are written out as PNG. A picture given
// encoded (LoadEncoded, LoadFromResourceName) keeps its bytes and is decoded when it is first
// drawn, measured or read, so that the pictures of windows never shown cost nothing.
class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const {
        DecodePending();
        return width_;
    }
    int Height() const {
        DecodePending();
        return height_;
    }
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    // A new size clears the picture to white and drops any alpha channel.
    void SetSize(int width, int height);

    TCanvas& Canvas();
    HBITMAP Handle() const {
        DecodePending();
        return bitmap_;
    }

    // Pixel access straight on the DIB bits; reads outside the picture give clNone.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    // Rows of 0xAARRGGBB values, top row first; nullptr when empty.
    uint32_t* ScanLine(int y);

    // True when the picture carries transparency (premultiplied alpha): Draw blends it.
    bool HasAlpha() const {
        DecodePending();
        return hasAlpha_;
    }

    // A copy of the other picture; one still encoded stays so.
    void Assign(TBitmap& other);
    // Raise Exception when the data is no picture WIC can read.
    void LoadFromMemory(const void* data, size_t size);
    void LoadFromFile(const std::string& path);
    // Keeps the encoded picture to be decoded when it is first needed. Data that is plainly no
    // picture of a known format is decoded at once, and raises Exception as LoadFromMemory does;
    // a picture whose bytes prove damaged only when decoded is empty.
    void LoadEncoded(std::string data);
    // A picture stored in the program's resources (see Resources.h), kept encoded.
    void LoadFromResourceName(const std::string& name);
    // Whether the picture still waits to be decoded.
    bool Decoded() const { return encoded_.empty(); }
    void SaveToPng(const std::string& path) const;

private:
    void Release();
    void Allocate(int width, int height);
    // Measuring or reading a picture that is still encoded decodes it: to the caller it was
    // there all along, hence const.
    void DecodePending() const {
        if (!encoded_.empty()) const_cast<TBitmap*>(this)->DecodeEncoded();
    }
    void DecodeEncoded();

    int width_ = 0;
    int height_ = 0;
    HBITMAP bitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    bool hasAlpha_ = false;
    std::string encoded_;
    HDC dc_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    std::unique_ptr<TCanvas> canvas_;
};

// Reads a window's current picture (client area) into a bitmap; tests use it to look at what
// was drawn.
void CaptureWindow(HWND window, TBitmap& into);

}  // namespace gui
