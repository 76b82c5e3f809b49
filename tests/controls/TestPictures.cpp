#include "TestPictures.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstdlib>
#include <stdexcept>

namespace controls_test {

namespace {

void Put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Appends LZW codes of a fixed width, least significant bit first, as GIF packs them.
class BitWriter {
public:
    void Write(unsigned code, int bits) {
        for (int i = 0; i < bits; ++i) {
            if (used_ == 0) bytes_.push_back(0);
            if (code & (1u << i)) bytes_.back() = static_cast<char>(bytes_.back() | (1 << used_));
            used_ = (used_ + 1) % 8;
        }
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
    int used_ = 0;
};

template <class T>
struct Com {
    T* p = nullptr;
    ~Com() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

std::string Encode(const Pixels& pixels, const GUID& container, bool alpha) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Com<IWICImagingFactory> factory;
    Com<IStream> memory;
    Com<IWICStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
    WICPixelFormatGUID format = alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    const WICPixelFormatGUID wanted = format;
    int bytesPerPixel = alpha ? 4 : 3;
    UINT stride = static_cast<UINT>((pixels.width * bytesPerPixel + 3) & ~3);
    std::vector<BYTE> rows(size_t(stride) * pixels.height);
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) {
            uint32_t p = pixels.at(x, y);
            BYTE* out = &rows[size_t(y) * stride + size_t(x) * bytesPerPixel];
            out[0] = BYTE(p);
            out[1] = BYTE(p >> 8);
            out[2] = BYTE(p >> 16);
            if (alpha) out[3] = BYTE(p >> 24);
        }
    bool ok =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &memory)) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromIStream(memory.p)) &&
        SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) &&
        SUCCEEDED(frame->Initialize(options.p)) &&
        SUCCEEDED(frame->SetSize(UINT(pixels.width), UINT(pixels.height))) &&
        SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, wanted) &&
        SUCCEEDED(
            frame->WritePixels(UINT(pixels.height), stride, UINT(rows.size()), rows.data())) &&
        SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    if (!ok) throw std::runtime_error("the picture encoder failed");
    HGLOBAL global = nullptr;
    GetHGlobalFromStream(memory.p, &global);
    STATSTG stat{};
    memory->Stat(&stat, STATFLAG_NONAME);
    const char* data = static_cast<const char*>(GlobalLock(global));
    std::string bytes(data, size_t(stat.cbSize.QuadPart));
    GlobalUnlock(global);
    return bytes;
}

}  // namespace

Pixels Pixels::Quarters(int w, int h, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    Pixels p(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.at(x, y) = y < h / 2 ? (x < w / 2 ? a : b) : (x < w / 2 ? c : d);
    return p;
}

gui::TColor ToColor(uint32_t argb) {
    return gui::RGBColor(int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF), int(argb & 0xFF));
}

std::string MakeBmp(const Pixels& pixels) {
    int stride = (pixels.width * 3 + 3) & ~3;
    uint32_t imageSize = uint32_t(stride) * pixels.height;
    std::string out = "BM";
    Put32(out, 14 + 40 + imageSize);
    Put32(out, 0);
    Put32(out, 14 + 40);
    Put32(out, 40);
    Put32(out, uint32_t(pixels.width));
    Put32(out, uint32_t(pixels.height));  // positive: bottom row first
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = pixels.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < pixels.width; ++x) {
            uint32_t p = pixels.at(x, y);
            row += char(p & 0xFF);
            row += char((p >> 8) & 0xFF);
            row += char((p >> 16) & 0xFF);
        }
        row.resize(size_t(stride), '\0');
        out += row;
    }
    return out;
}

std::string MakeIco(const Pixels& pixels) {
    int maskStride = ((pixels.width + 31) / 32) * 4;
    uint32_t imageSize =
        40 + uint32_t(pixels.width) * pixels.height * 4 + uint32_t(maskStride) * pixels.height;
    std::string out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, 1);  // one image
    out += char(pixels.width & 0xFF);
    out += char(pixels.height & 0xFF);
    out += char(0);
    out += char(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, imageSize);
    Put32(out, 6 + 16);
    Put32(out, 40);
    Put32(out, uint32_t(pixels.width));
    Put32(out, uint32_t(pixels.height) * 2);  // colour rows and mask rows
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = pixels.height - 1; y >= 0; --y)
        for (int x = 0; x < pixels.width; ++x) Put32(out, pixels.at(x, y));
    for (int y = pixels.height - 1; y >= 0; --y) {
        std::string row(size_t(maskStride), '\0');
        for (int x = 0; x < pixels.width; ++x)
            if ((pixels.at(x, y) >> 24) == 0) row[size_t(x / 8)] |= char(0x80 >> (x % 8));
        out += row;
    }
    return out;
}

std::string MakeGif(const Pixels& pixels, const std::vector<uint32_t>& palette) {
    std::string out = "GIF89a";
    Put16(out, unsigned(pixels.width));
    Put16(out, unsigned(pixels.height));
    out += char(0x91);  // global table of 4 colours
    out += char(0);
    out += char(0);
    for (size_t i = 0; i < 4; ++i) {
        uint32_t c = i < palette.size() ? palette[i] : 0;
        out += char((c >> 16) & 0xFF);
        out += char((c >> 8) & 0xFF);
        out += char(c & 0xFF);
    }
    out += char(0x2C);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, unsigned(pixels.width));
    Put16(out, unsigned(pixels.height));
    out += char(0);
    out += char(2);  // minimum code size
    // A clear code before every pixel keeps the code table empty and the codes 3 bits wide.
    BitWriter bits;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) {
            unsigned index = 0;
            for (size_t i = 0; i < palette.size(); ++i)
                if ((palette[i] & 0xFFFFFF) == (pixels.at(x, y) & 0xFFFFFF)) index = unsigned(i);
            bits.Write(4, 3);
            bits.Write(index, 3);
        }
    bits.Write(5, 3);
    const std::string& data = bits.Bytes();
    for (size_t i = 0; i < data.size(); i += 255) {
        size_t n = std::min<size_t>(255, data.size() - i);
        out += char(n);
        out += data.substr(i, n);
    }
    out += char(0);
    out += char(0x3B);
    return out;
}

std::string MakePng(const Pixels& pixels) {
    return Encode(pixels, GUID_ContainerFormatPng, true);
}

std::string MakeJpeg(const Pixels& pixels) {
    return Encode(pixels, GUID_ContainerFormatJpeg, false);
}

bool Near(gui::TColor a, gui::TColor b, int tolerance) {
    return std::abs(gui::RedOf(a) - gui::RedOf(b)) <= tolerance &&
           std::abs(gui::GreenOf(a) - gui::GreenOf(b)) <= tolerance &&
           std::abs(gui::BlueOf(a) - gui::BlueOf(b)) <= tolerance;
}

}  // namespace controls_test
