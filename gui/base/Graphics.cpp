#include "Graphics.h"

#include <wincodec.h>

#include <algorithm>
#include <cstring>

#include "Imaging.h"
#include "Resources.h"

namespace gui {

TColor ColorToRGB(TColor color) {
    if (IsSystemColor(color))
        return static_cast<TColor>(GetSysColor(static_cast<int>(color & 0xFF)));
    return color;
}

COLORREF ColorToColorRef(TColor color) {
    return ColorToRGB(color) & 0x00FFFFFF;
}

int ScreenPixelsPerInch() {
    static int ppi = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return ppi;
}

// ---------------------------------------------------------------------------------------------
// TFont

TFont::TFont() = default;

TFont::~TFont() {
    if (handle_) DeleteObject(handle_);
}

void TFont::Changed() {
    HFONT old = handle_;
    handle_ = nullptr;
    if (OnChange) OnChange();
    if (old) DeleteObject(old);
}

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(height_, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TFont::SetHeight(int pixels) {
    if (pixels == height_) return;
    height_ = pixels;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    style_ = style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_) return;
    pitch_ = pitch;
    Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ &&
           style_ == other.style_ && charset_ == other.charset_ && pitch_ == other.pitch_;
}

void TFont::Assign(const TFont& other) {
    if (&other == this || SameAs(other)) return;
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    style_ = other.style_;
    charset_ = other.charset_;
    pitch_ = other.pitch_;
    Changed();
}

namespace {
int CharsetFromValue(const PropertyValue& value) {
    if (value.kind == PropertyValue::Kind::Integer) return value.AsInt();
    static const struct {
        const char* name;
        int charset;
    } kCharsets[] = {
        {"ANSI_CHARSET", ANSI_CHARSET},
        {"DEFAULT_CHARSET", DEFAULT_CHARSET},
        {"SYMBOL_CHARSET", SYMBOL_CHARSET},
        {"OEM_CHARSET", OEM_CHARSET},
        {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
        {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
        {"GREEK_CHARSET", GREEK_CHARSET},
        {"TURKISH_CHARSET", TURKISH_CHARSET},
        {"BALTIC_CHARSET", BALTIC_CHARSET},
        {"MAC_CHARSET", MAC_CHARSET},
    };
    for (const auto& c : kCharsets)
        if (SameText(value.AsIdent(), c.name)) return c.charset;
    throw Exception("Invalid charset '" + value.text + "'");
}
}  // namespace

bool TFont::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Name")) {
        SetName(value.AsString());
    } else if (SameText(name, "Size")) {
        SetSize(value.AsInt());
    } else if (SameText(name, "Height")) {
        SetHeight(value.AsInt());
    } else if (SameText(name, "Color")) {
        SetColor(ColorFromValue(value));
    } else if (SameText(name, "Style")) {
        SetStyle(value.AsSet({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
    } else if (SameText(name, "Charset")) {
        SetCharset(CharsetFromValue(value));
    } else if (SameText(name, "Pitch")) {
        SetPitch(static_cast<TFontPitch>(value.AsEnum({"fpDefault", "fpVariable", "fpFixed"})));
    } else {
        return false;
    }
    return true;
}

HFONT TFont::Handle() {
    if (!handle_) {
        BYTE pitch = pitch_ == fpFixed      ? FIXED_PITCH
                     : pitch_ == fpVariable ? VARIABLE_PITCH
                                            : DEFAULT_PITCH;
        handle_ = CreateFontA(
            height_, 0, 0, 0, (style_ & fsBold) ? FW_BOLD : FW_NORMAL, (style_ & fsItalic) != 0,
            (style_ & fsUnderline) != 0, (style_ & fsStrikeOut) != 0, static_cast<BYTE>(charset_),
            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitch, name_.c_str());
        if (!handle_) handle_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    return handle_;
}

// ---------------------------------------------------------------------------------------------
// TBrush and TPen: their GDI objects follow the current RGB value of a system colour.

TBrush::~TBrush() {
    if (handle_) DeleteObject(handle_);
}

void TBrush::Release() {
    HBRUSH old = handle_;
    handle_ = nullptr;
    if (OnChange) OnChange();
    if (old) DeleteObject(old);
}

void TBrush::Changed() {
    Release();
}

void TBrush::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TBrush::Assign(const TBrush& other) {
    if (&other == this || (other.color_ == color_ && other.style_ == style_)) return;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

bool TBrush::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Color")) {
        SetColor(ColorFromValue(value));
    } else if (SameText(name, "Style")) {
        SetStyle(static_cast<TBrushStyle>(value.AsEnum({"bsSolid", "bsClear"})));
    } else {
        return false;
    }
    return true;
}

HBRUSH TBrush::Handle() {
    if (style_ == bsClear) {
        if (handle_) Release();
        return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    }
    COLORREF rgb = ColorToColorRef(color_);
    if (handle_ && rgb != handleRgb_) Release();
    if (!handle_) {
        handle_ = CreateSolidBrush(rgb);
        handleRgb_ = rgb;
    }
    return handle_;
}

TPen::~TPen() {
    if (handle_) DeleteObject(handle_);
}

void TPen::Release() {
    HPEN old = handle_;
    handle_ = nullptr;
    if (OnChange) OnChange();
    if (old) DeleteObject(old);
}

void TPen::Changed() {
    Release();
}

void TPen::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width == width_) return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TPen::Assign(const TPen& other) {
    if (&other == this ||
        (other.color_ == color_ && other.width_ == width_ && other.style_ == style_))
        return;
    color_ = other.color_;
    width_ = other.width_;
    style_ = other.style_;
    Changed();
}

bool TPen::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Color")) {
        SetColor(ColorFromValue(value));
    } else if (SameText(name, "Width")) {
        SetWidth(value.AsInt());
    } else if (SameText(name, "Style")) {
        SetStyle(
            static_cast<TPenStyle>(value.AsEnum({"psSolid", "psDash", "psDot", "psDashDot",
                                                 "psDashDotDot", "psClear", "psInsideFrame"})));
    } else {
        return false;
    }
    return true;
}

HPEN TPen::Handle() {
    COLORREF rgb = ColorToColorRef(color_);
    if (handle_ && rgb != handleRgb_) Release();
    if (!handle_) {
        static const int kStyles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                      PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_ = CreatePen(kStyles[style_], width_, rgb);
        handleRgb_ = rgb;
    }
    return handle_;
}

// ---------------------------------------------------------------------------------------------
// TCanvas

TCanvas::TCanvas() {
    // A changed object must leave the context before its GDI object is deleted.
    font_.OnChange = [this] {
        if (dc_ && selectedFont_) {
            SelectObject(dc_, originalFont_);
            selectedFont_ = nullptr;
        }
    };
    brush_.OnChange = [this] {
        if (dc_ && selectedBrush_) {
            SelectObject(dc_, originalBrush_);
            selectedBrush_ = nullptr;
        }
    };
    pen_.OnChange = [this] {
        if (dc_ && selectedPen_) {
            SelectObject(dc_, originalPen_);
            selectedPen_ = nullptr;
        }
    };
    font_.SetColor(clBlack);
}

TCanvas::TCanvas(HDC dc) : TCanvas() {
    SetHandle(dc);
}

TCanvas::~TCanvas() {
    Deselect();
}

void TCanvas::Deselect() {
    if (!dc_) return;
    if (selectedFont_) SelectObject(dc_, originalFont_);
    if (selectedBrush_) SelectObject(dc_, originalBrush_);
    if (selectedPen_) SelectObject(dc_, originalPen_);
    selectedFont_ = nullptr;
    selectedBrush_ = nullptr;
    selectedPen_ = nullptr;
}

HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    Deselect();
    dc_ = dc;
}

void TCanvas::RequireFont() {
    HDC dc = Handle();
    if (!dc) return;
    HFONT font = font_.Handle();
    if (selectedFont_ != font) {
        HGDIOBJ previous = SelectObject(dc, font);
        if (!selectedFont_) originalFont_ = previous;
        selectedFont_ = font;
    }
    SetTextColor(dc, ColorToColorRef(font_.Color()));
}

void TCanvas::RequireBrush() {
    HDC dc = Handle();
    if (!dc) return;
    HBRUSH brush = brush_.Handle();
    if (selectedBrush_ != brush) {
        HGDIOBJ previous = SelectObject(dc, brush);
        if (!selectedBrush_) originalBrush_ = previous;
        selectedBrush_ = brush;
    }
    if (brush_.Style() == bsClear) {
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ColorToColorRef(brush_.Color()));
    }
}

void TCanvas::RequirePen() {
    HDC dc = Handle();
    if (!dc) return;
    HPEN pen = pen_.Handle();
    if (selectedPen_ != pen) {
        HGDIOBJ previous = SelectObject(dc, pen);
        if (!selectedPen_) originalPen_ = previous;
        selectedPen_ = pen;
    }
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    RequireFont();
    RequireBrush();
    if (HDC dc = Handle()) ::TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text) {
    RequireFont();
    RequireBrush();
    UINT options = ETO_CLIPPED;
    if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
    if (HDC dc = Handle())
        ExtTextOutA(dc, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& text) {
    SIZE size{0, 0};
    RequireFont();
    if (HDC dc = Handle())
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT flags) {
    RequireFont();
    RequireBrush();
    HDC dc = Handle();
    if (!dc) return 0;
    return ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, flags);
}

void TCanvas::FillRect(const RECT& rect) {
    if (brush_.Style() == bsClear) return;
    if (HDC dc = Handle()) ::FillRect(dc, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
    if (HDC dc = Handle()) ::FrameRect(dc, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    RequirePen();
    RequireBrush();
    if (HDC dc = Handle()) ::Rectangle(dc, left, top, right, bottom);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
    RequirePen();
    RequireBrush();
    if (HDC dc = Handle()) ::RoundRect(dc, left, top, right, bottom, cornerWidth, cornerHeight);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    RequirePen();
    RequireBrush();
    if (HDC dc = Handle()) ::Ellipse(dc, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) {
    if (HDC dc = Handle()) MoveToEx(dc, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    RequirePen();
    if (HDC dc = Handle()) ::LineTo(dc, x, y);
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
    if (points.empty()) return;
    RequirePen();
    if (HDC dc = Handle()) ::Polyline(dc, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
    if (points.empty()) return;
    RequirePen();
    RequireBrush();
    if (HDC dc = Handle()) ::Polygon(dc, points.data(), static_cast<int>(points.size()));
}

TColor TCanvas::Pixel(int x, int y) {
    HDC dc = Handle();
    if (!dc) return clNone;
    COLORREF c = GetPixel(dc, x, y);
    return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (HDC dc = Handle()) ::SetPixel(dc, x, y, ColorToColorRef(color));
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const RECT& rect, TBitmap& bitmap) {
    HDC dc = Handle();
    if (!dc || bitmap.Empty()) return;
    HDC source = bitmap.Canvas().Handle();
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (bitmap.HasAlpha()) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, rect.left, rect.top, w, h, source, 0, 0, bitmap.Width(), bitmap.Height(),
                   blend);
    } else if (w == bitmap.Width() && h == bitmap.Height()) {
        BitBlt(dc, rect.left, rect.top, w, h, source, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, rect.left, rect.top, w, h, source, 0, 0, bitmap.Width(), bitmap.Height(),
                   SRCCOPY);
    }
}

void TCanvas::DrawTransparent(int x, int y, TBitmap& bitmap, TColor transparentColor) {
    HDC dc = Handle();
    if (!dc || bitmap.Empty()) return;
    TransparentBlt(dc, x, y, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0,
                   bitmap.Width(), bitmap.Height(), ColorToColorRef(transparentColor));
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
    HDC dc = Handle();
    HDC from = source.Handle();
    if (!dc || !from) return;
    StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, from,
               sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
               sourceRect.bottom - sourceRect.top, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// TBitmap

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    Release();
}

void TBitmap::Release() {
    canvas_.reset();
    if (dc_) {
        SelectObject(dc_, originalBitmap_);
        DeleteDC(dc_);
        dc_ = nullptr;
    }
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
    hasAlpha_ = false;
    encoded_.clear();
}

void TBitmap::Allocate(int width, int height) {
    Release();
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_) throw Exception("Out of system resources");
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
}

void TBitmap::SetSize(int width, int height) {
    Allocate(width, height);
    if (bits_) std::fill(bits_, bits_ + static_cast<size_t>(width_) * height_, 0xFFFFFFFFu);
}

TCanvas& TBitmap::Canvas() {
    DecodePending();
    if (!canvas_) {
        canvas_ = std::make_unique<TCanvas>();
        if (bitmap_) {
            dc_ = CreateCompatibleDC(nullptr);
            originalBitmap_ = SelectObject(dc_, bitmap_);
            canvas_->SetHandle(dc_);
        }
    }
    return *canvas_;
}

TColor TBitmap::Pixel(int x, int y) const {
    DecodePending();
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    GdiFlush();
    uint32_t v = bits_[static_cast<size_t>(y) * width_ + x];
    return RGBColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    DecodePending();
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    GdiFlush();
    TColor rgb = ColorToRGB(color);
    bits_[static_cast<size_t>(y) * width_ + x] =
        0xFF000000u | (static_cast<uint32_t>(RedOf(rgb)) << 16) |
        (static_cast<uint32_t>(GreenOf(rgb)) << 8) | static_cast<uint32_t>(BlueOf(rgb));
}

uint32_t* TBitmap::ScanLine(int y) {
    DecodePending();
    if (!bits_ || y < 0 || y >= height_) return nullptr;
    GdiFlush();
    return bits_ + static_cast<size_t>(y) * width_;
}

void TBitmap::Assign(TBitmap& other) {
    if (&other == this) return;
    if (!other.Decoded()) {
        Release();
        encoded_ = other.encoded_;
        return;
    }
    Allocate(other.width_, other.height_);
    if (bits_) {
        GdiFlush();
        std::memcpy(bits_, other.bits_, static_cast<size_t>(width_) * height_ * 4);
    }
    hasAlpha_ = other.hasAlpha_;
}

// COM for WIC, initialised once per thread that decodes or encodes; the factory is made once, as
// making it costs as much as decoding a small picture.
IWICImagingFactory& ImagingFactory() {
    static thread_local bool comReady = false;
    if (!comReady) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // harmless when the thread has COM
        comReady = true;
    }
    static IWICImagingFactory* const factory = [] {
        IWICImagingFactory* made = nullptr;
        if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, reinterpret_cast<void**>(&made))))
            made = nullptr;
        return made;  // kept for the whole run
    }();
    if (!factory) throw Exception("The imaging component is not available");
    return *factory;
}

namespace {

// The decoder class of a picture of a known format, by its first bytes; nullptr for others.
const CLSID* DecoderOf(const void* data, size_t size) {
    static const struct {
        std::string signature;
        const CLSID* decoder;
    } kFormats[] = {{"BM", &CLSID_WICBmpDecoder},
                    {std::string("\x89PNG\r\n\x1a\n", 8), &CLSID_WICPngDecoder},
                    {"GIF87a", &CLSID_WICGifDecoder},
                    {"GIF89a", &CLSID_WICGifDecoder},
                    {"\xFF\xD8\xFF", &CLSID_WICJpegDecoder},
                    {std::string("\0\0\1\0", 4), &CLSID_WICIcoDecoder},
                    {std::string("II*\0", 4), &CLSID_WICTiffDecoder},
                    {std::string("MM\0*", 4), &CLSID_WICTiffDecoder}};
    for (const auto& format : kFormats)
        if (data && size >= format.signature.size() &&
            std::memcmp(data, format.signature.data(), format.signature.size()) == 0)
            return format.decoder;
    return nullptr;
}

}  // namespace

bool KnownPictureFormat(const std::string& data) {
    return DecoderOf(data.data(), data.size()) != nullptr;
}

HRESULT CreatePictureDecoder(IWICStream* stream, const void* data, size_t size,
                             IWICBitmapDecoder** decoder) {
    *decoder = nullptr;
    IWICImagingFactory& factory = ImagingFactory();  // and COM on this thread
    if (const CLSID* known = DecoderOf(data, size)) {
        IWICBitmapDecoder* made = nullptr;
        if (SUCCEEDED(CoCreateInstance(*known, nullptr, CLSCTX_INPROC_SERVER, IID_IWICBitmapDecoder,
                                       reinterpret_cast<void**>(&made)))) {
            if (SUCCEEDED(made->Initialize(stream, WICDecodeMetadataCacheOnLoad))) {
                *decoder = made;
                return S_OK;
            }
            made->Release();
        }
        const LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
    }
    return factory.CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnLoad, decoder);
}

namespace {

template <class T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

}  // namespace

void TBitmap::LoadFromMemory(const void* data, size_t size) {
    if (!data || size == 0 || size > 0x7FFFFFFF) throw Exception("Invalid picture data");
    IWICImagingFactory* factory = &ImagingFactory();
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT w = 0, h = 0;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)),
                                            static_cast<DWORD>(size))) ||
        FAILED(CreatePictureDecoder(stream.p, data, size, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&w, &h)) || w == 0 ||
        h == 0 || w > 16384 || h > 16384 || FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
        throw Exception("Unsupported or damaged picture");
    Allocate(static_cast<int>(w), static_cast<int>(h));
    if (FAILED(converter->CopyPixels(nullptr, w * 4, w * h * 4, reinterpret_cast<BYTE*>(bits_)))) {
        Release();
        throw Exception("Unsupported or damaged picture");
    }
    hasAlpha_ = false;
    for (size_t i = 0, n = static_cast<size_t>(w) * h; i < n && !hasAlpha_; ++i)
        hasAlpha_ = (bits_[i] >> 24) != 0xFF;
}

void TBitmap::LoadFromFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw Exception("Cannot open file \"" + path + "\"");
    std::string data;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (64 << 20);
    if (ok) {
        data.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = ReadFile(file, &data[0], static_cast<DWORD>(data.size()), &read, nullptr) &&
             read == data.size();
    }
    CloseHandle(file);
    if (!ok) throw Exception("Cannot read file \"" + path + "\"");
    LoadFromMemory(data.data(), data.size());
}

void TBitmap::LoadEncoded(std::string data) {
    if (!KnownPictureFormat(data) || data.size() > 0x7FFFFFFF) {
        LoadFromMemory(data.data(), data.size());
        return;
    }
    Release();
    encoded_ = std::move(data);
}

void TBitmap::DecodeEncoded() {
    std::string data = std::move(encoded_);
    encoded_.clear();
    try {
        LoadFromMemory(data.data(), data.size());
    } catch (const Exception&) {
        Release();
    }
}

void TBitmap::LoadFromResourceName(const std::string& name) {
    LoadEncoded(ResourceData(name));
}

void TBitmap::SaveToPng(const std::string& path) const {
    if (Empty()) throw Exception("Cannot save an empty picture");
    GdiFlush();
    // Rows of B, G, R bytes: the alpha that GDI drawing leaves in a DIB section means nothing.
    std::vector<BYTE> rows(static_cast<size_t>(width_) * height_ * 3);
    for (size_t i = 0, n = static_cast<size_t>(width_) * height_; i < n; ++i) {
        rows[i * 3] = static_cast<BYTE>(bits_[i]);
        rows[i * 3 + 1] = static_cast<BYTE>(bits_[i] >> 8);
        rows[i * 3 + 2] = static_cast<BYTE>(bits_[i] >> 16);
    }
    std::wstring widePath(path.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &widePath[0],
                                static_cast<int>(widePath.size()));
    widePath.resize(n > 0 ? n - 1 : 0);

    IWICImagingFactory* factory = &ImagingFactory();
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    bool ok = SUCCEEDED(factory->CreateStream(&stream)) &&
              SUCCEEDED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) &&
              SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
              SUCCEEDED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
              SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(width_, height_)) &&
              SUCCEEDED(frame->SetPixelFormat(&format)) &&
              IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
              SUCCEEDED(frame->WritePixels(height_, width_ * 3, static_cast<UINT>(rows.size()),
                                           rows.data())) &&
              SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    if (!ok) throw Exception("Cannot write picture \"" + path + "\"");
}

void CaptureWindow(HWND window, TBitmap& into) {
    RECT client{};
    GetClientRect(window, &client);
    into.SetSize(client.right, client.bottom);
    if (into.Empty()) return;
    UpdateWindow(window);
    HDC dc = GetDC(window);
    BitBlt(into.Canvas().Handle(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
}

}  // namespace gui
