// An animated picture: the frames of a GIF (any other picture is one frame) shown one after the
// other, each for its own delay, over and over, while Animate is on and the control is visible.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Control.h"
#include "Graphics.h"
#include "Timer.h"

namespace gui {

class TRxGIFAnimator : public TGraphicControl {
public:
    explicit TRxGIFAnimator(TComponent* owner);
    ~TRxGIFAnimator() override;

    // Decodes the picture (GIF frames with their delays through WIC). A picture that cannot be
    // read raises Exception and leaves the previous one.
    void LoadFromMemory(const void* data, size_t size);
    // Keeps the picture encoded until it is first drawn, measured or animated (a picture that
    // proves damaged then has no frames); plainly no picture is decoded at once, to raise there.
    void LoadEncoded(std::string data);
    void LoadFromResourceName(const std::string& name);

    int FrameCount() const {
        DecodePending();
        return static_cast<int>(frames_.size());
    }
    int FrameIndex() const { return frameIndex_; }
    void SetFrameIndex(int index);
    // How long frame `index` shows, in milliseconds.
    int FrameDelay(int index) const {
        DecodePending();
        return delays_.at(index);
    }
    // The size of the GIF's logical screen (every frame is that size).
    int PictureWidth() const;
    int PictureHeight() const;

    bool Animate() const { return animate_; }
    void SetAnimate(bool on);
    // Center draws the picture in the middle of the control, otherwise at its top-left corner.
    bool Center() const { return center_; }
    void SetCenter(bool on);
    // Transparent leaves the parent's surface under the picture's transparent pixels; otherwise
    // the control fills its area with its Color first.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);

    // Image ('resource name' or picture data), Animate, Center, Transparent and the control's own
    // properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;

protected:
    void Paint() override;
    void VisibleChanged() override;

private:
    void Tick();
    void UpdateTimer();
    // Still-encoded frames are decoded when first looked at: to the caller they were there all
    // along, hence const.
    void DecodePending() const {
        if (!encoded_.empty()) const_cast<TRxGIFAnimator*>(this)->DecodeEncoded();
    }
    void DecodeEncoded();
    // Decodes into frames_ and delays_; raises Exception and keeps them when unreadable.
    void TakeFrames(const void* data, size_t size);

    std::vector<std::unique_ptr<TBitmap>> frames_;
    std::vector<int> delays_;
    std::string encoded_;
    int frameIndex_ = 0;
    bool animate_ = false;
    bool center_ = false;
    bool transparent_ = false;
    std::unique_ptr<TTimer> timer_;
};

}  // namespace gui
