// A list of equally sized images, drawn by index (menu items, buttons). Pictures come in as
// strips: one bitmap whose width holds several images side by side.
#pragma once

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Graphics.h"

namespace gui {

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size drops the images there are, as they no longer fit.
    void SetWidth(int width);
    void SetHeight(int height);
    // Pixels of this colour in pictures added later are left out when drawing; clNone keeps
    // every pixel, clDefault takes the colour of each picture's bottom-left pixel.
    TColor MaskColor() const { return maskColor_; }
    void SetMaskColor(TColor color) { maskColor_ = color; }

    int Count() const;
    // Cuts the bitmap into images of Width x Height from the left; a last part narrower than
    // Width is dropped. Returns the index of the first image added, or -1 when none fitted.
    int AddStrip(TBitmap& strip);
    // A picture of the program's resources, as a strip.
    int AddResource(const std::string& name);
    void Clear();

    // Draws image `index` with its top-left corner at (x, y). A disabled image is drawn faded.
    // An index outside the list draws nothing and returns false.
    bool Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    bool Draw(HDC dc, int x, int y, int index, bool enabled = true);

    // The platform list; made when first needed.
    HIMAGELIST Handle();

    // Width, Height, MaskColor, and strips in the order written: Strip = 'resource name' or
    // Bitmap = {picture file bytes}. Described strips are added when the list is first used, so
    // that a list no window has drawn from yet costs neither decoding nor a platform list.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

private:
    void Recreate();
    void AddDescribedStrips();

    int width_ = 16;
    int height_ = 16;
    TColor maskColor_ = clDefault;
    HIMAGELIST handle_ = nullptr;
    // Still encoded, each with the mask colour it came in under.
    struct DescribedStrip {
        std::unique_ptr<TBitmap> picture;
        TColor maskColor;
    };
    std::vector<DescribedStrip> describedStrips_;
};

}  // namespace gui
