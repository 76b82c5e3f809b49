#include <windows.h>

#include "RxGIFAnimator.h"
// (the imaging headers need the types of windows.h first)
#include <propidl.h>
#include <wincodec.h>

#include "DescribedPicture.h"
#include "GifFrames.h"
#include "Imaging.h"
#include "Resources.h"

namespace gui {

namespace {

template <class T>
class Com {
public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (p_) p_->Release();
    }
    T** operator&() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

// A number of a frame's or the file's metadata ("/grctlext/Delay"), or the fallback.
unsigned MetadataNumber(IWICMetadataQueryReader* reader, const wchar_t* name, unsigned fallback) {
    if (!reader) return fallback;
    PROPVARIANT value;
    PropVariantInit(&value);
    unsigned result = fallback;
    if (SUCCEEDED(reader->GetMetadataByName(name, &value))) {
        switch (value.vt) {
            case VT_UI1:
                result = value.bVal;
                break;
            case VT_UI2:
                result = value.uiVal;
                break;
            case VT_UI4:
                result = value.ulVal;
                break;
            default:
                break;
        }
    }
    PropVariantClear(&value);
    return result;
}

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<GifPatch> patches;
    std::vector<int> delays;
};

[[noreturn]] void Unreadable() {
    throw Exception("Unsupported or damaged picture");
}

DecodedPicture Decode(const void* data, size_t size) {
    if (!data || size == 0 || size > 0x7FFFFFFF) Unreadable();
    IWICImagingFactory* factory = &ImagingFactory();
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    UINT count = 0;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)),
                                            static_cast<DWORD>(size))) ||
        FAILED(CreatePictureDecoder(stream.get(), data, size, &decoder)) ||
        FAILED(decoder->GetFrameCount(&count)) || count == 0 || count > 10000)
        Unreadable();

    DecodedPicture picture;
    Com<IWICMetadataQueryReader> fileMetadata;
    if (SUCCEEDED(decoder->GetMetadataQueryReader(&fileMetadata))) {
        picture.width =
            static_cast<int>(MetadataNumber(fileMetadata.get(), L"/logscrdesc/Width", 0));
        picture.height =
            static_cast<int>(MetadataNumber(fileMetadata.get(), L"/logscrdesc/Height", 0));
    }
    for (UINT i = 0; i < count; ++i) {
        Com<IWICBitmapFrameDecode> frame;
        Com<IWICFormatConverter> converter;
        UINT w = 0, h = 0;
        if (FAILED(decoder->GetFrame(i, &frame)) || FAILED(frame->GetSize(&w, &h)) || w == 0 ||
            h == 0 || w > 16384 || h > 16384 ||
            FAILED(factory->CreateFormatConverter(&converter)) ||
            FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                         WICBitmapDitherTypeNone, nullptr, 0,
                                         WICBitmapPaletteTypeCustom)))
            Unreadable();
        GifPatch patch;
        patch.width = static_cast<int>(w);
        patch.height = static_cast<int>(h);
        patch.pixels.resize(static_cast<size_t>(w) * h);
        if (FAILED(converter->CopyPixels(nullptr, w * 4, w * h * 4,
                                         reinterpret_cast<BYTE*>(patch.pixels.data()))))
            Unreadable();
        Com<IWICMetadataQueryReader> metadata;
        IWICMetadataQueryReader* reader =
            SUCCEEDED(frame->GetMetadataQueryReader(&metadata)) ? metadata.get() : nullptr;
        patch.left = static_cast<int>(MetadataNumber(reader, L"/imgdesc/Left", 0));
        patch.top = static_cast<int>(MetadataNumber(reader, L"/imgdesc/Top", 0));
        patch.disposal = GifDisposalFromCode(MetadataNumber(reader, L"/grctlext/Disposal", 0));
        picture.delays.push_back(GifFrameDelay(MetadataNumber(reader, L"/grctlext/Delay", 0)));
        picture.patches.push_back(std::move(patch));
    }
    // A picture without a logical screen (not a GIF) is as large as its first frame.
    if (picture.width <= 0 || picture.height <= 0) {
        picture.width = picture.patches[0].width;
        picture.height = picture.patches[0].height;
    }
    return picture;
}

}  // namespace

TRxGIFAnimator::TRxGIFAnimator(TComponent* owner)
    : TGraphicControl(owner), timer_(std::make_unique<TTimer>(nullptr)) {
    SetClassName("TRxGIFAnimator");
    SetBounds(0, 0, 32, 32);
    timer_->SetEnabled(false);
    timer_->OnTimer = [this](TObject*) { Tick(); };
}

TRxGIFAnimator::~TRxGIFAnimator() = default;

void TRxGIFAnimator::LoadFromMemory(const void* data, size_t size) {
    TakeFrames(data, size);
    frameIndex_ = 0;
    UpdateTimer();
    Invalidate();
}

void TRxGIFAnimator::TakeFrames(const void* data, size_t size) {
    DecodedPicture picture = Decode(data, size);
    std::vector<std::vector<uint32_t>> screens =
        ComposeGifFrames(picture.width, picture.height, picture.patches);
    std::vector<std::unique_ptr<TBitmap>> frames;
    for (const std::vector<uint32_t>& screen : screens) {
        auto bitmap = std::make_unique<TBitmap>(picture.width, picture.height);
        for (int y = 0; y < picture.height; ++y)
            std::copy_n(screen.begin() + static_cast<std::ptrdiff_t>(y) * picture.width,
                        picture.width, bitmap->ScanLine(y));
        frames.push_back(std::move(bitmap));
    }
    frames_ = std::move(frames);
    delays_ = std::move(picture.delays);
    encoded_.clear();
}

void TRxGIFAnimator::LoadEncoded(std::string data) {
    if (!KnownPictureFormat(data)) {
        LoadFromMemory(data.data(), data.size());
        return;
    }
    frames_.clear();
    delays_.clear();
    encoded_ = std::move(data);
    frameIndex_ = 0;
    UpdateTimer();
    Invalidate();
}

void TRxGIFAnimator::DecodeEncoded() {
    std::string data = std::move(encoded_);
    encoded_.clear();
    // Whoever looks at the frames first (painting, or the timer deciding to run) goes on with
    // them: nothing to repaint or restart here.
    try {
        TakeFrames(data.data(), data.size());
    } catch (const Exception&) {
        // No frames: the control shows its background only.
    }
}

void TRxGIFAnimator::LoadFromResourceName(const std::string& name) {
    LoadEncoded(ResourceData(name));
}

int TRxGIFAnimator::PictureWidth() const {
    DecodePending();
    return frames_.empty() ? 0 : frames_[0]->Width();
}

int TRxGIFAnimator::PictureHeight() const {
    DecodePending();
    return frames_.empty() ? 0 : frames_[0]->Height();
}

void TRxGIFAnimator::SetFrameIndex(int index) {
    if (FrameCount() == 0) return;
    int count = FrameCount();
    frameIndex_ = ((index % count) + count) % count;
    UpdateTimer();
    Invalidate();
}

void TRxGIFAnimator::SetAnimate(bool on) {
    animate_ = on;
    UpdateTimer();
}

void TRxGIFAnimator::SetCenter(bool on) {
    center_ = on;
    Invalidate();
}

void TRxGIFAnimator::SetTransparent(bool on) {
    transparent_ = on;
    Invalidate();
}

void TRxGIFAnimator::VisibleChanged() {
    TGraphicControl::VisibleChanged();
    UpdateTimer();
}

void TRxGIFAnimator::Loaded() {
    TGraphicControl::Loaded();
    UpdateTimer();
}

void TRxGIFAnimator::UpdateTimer() {
    // The frame count last: counting decodes a picture still encoded.
    bool run = animate_ && Visible() && !Designing() && !Loading() && FrameCount() > 1;
    if (run) timer_->SetInterval(static_cast<unsigned>(delays_[frameIndex_]));
    timer_->SetEnabled(run);
}

void TRxGIFAnimator::Tick() {
    // A control on a hidden parent waits on the frame it shows.
    if (!Showing() || FrameCount() < 2) return;
    frameIndex_ = (frameIndex_ + 1) % FrameCount();
    timer_->SetInterval(static_cast<unsigned>(delays_[frameIndex_]));
    Invalidate();
}

void TRxGIFAnimator::Paint() {
    TCanvas& canvas = Canvas();
    if (!transparent_) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.FillRect(ClientRect());
    }
    if (FrameCount() == 0) return;
    TBitmap& frame = *frames_[frameIndex_];
    int x = center_ ? (Width() - frame.Width()) / 2 : 0;
    int y = center_ ? (Height() - frame.Height()) / 2 : 0;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(canvas.Handle(), x, y, frame.Width(), frame.Height(), frame.Canvas().Handle(), 0, 0,
               frame.Width(), frame.Height(), blend);
}

bool TRxGIFAnimator::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Image") || SameText(name, "Image.Data")) {
        LoadEncoded(DescribedPicture(value));
    } else if (SameText(name, "Animate")) {
        SetAnimate(value.AsBool());
    } else if (SameText(name, "Center")) {
        SetCenter(value.AsBool());
    } else if (SameText(name, "Transparent")) {
        SetTransparent(value.AsBool());
    } else {
        return TGraphicControl::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
