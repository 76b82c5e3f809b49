// The image control with pictures of every format it reads, written by the test itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "ExtCtrls.h"
#include "Resources.h"
#include "TestPictures.h"
#include "WindowTestSupport.h"

namespace {

using namespace gui;
using controls_test::Pixels;

const uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00,
               kMagenta = 0xFFFF00FF;

struct Format {
    const char* name;
    std::string (*make)(const Pixels&);
    int tolerance;  // per channel: lossy formats come back near, not equal
};

std::string Gif(const Pixels& p) {
    return controls_test::MakeGif(p, {kRed, kGreen, kBlue, kYellow});
}

const Format kFormats[] = {
    {"bmp", controls_test::MakeBmp, 0}, {"ico", controls_test::MakeIco, 0},    {"gif", Gif, 0},
    {"png", controls_test::MakePng, 0}, {"jpeg", controls_test::MakeJpeg, 40},
};

// A window of its own for the image, painted through WM_PRINTCLIENT.
class Host {
public:
    Host() : panel(nullptr) {
        panel.SetVisible(false);  // painted on request only
        panel.SetBevelOuter(bvNone);
        panel.SetColor(clTeal);
        panel.SetBounds(0, 0, 200, 120);
        image = new TImage(&panel);
        image->SetParent(&panel);
        image->SetBounds(10, 10, 96, 64);
    }
    TBitmap& Paint() {
        shot.SetSize(200, 120);
        SendMessageA(panel.Handle(), WM_PRINTCLIENT,
                     reinterpret_cast<WPARAM>(shot.Canvas().Handle()), PRF_CLIENT);
        return shot;
    }
    // A pixel of the painted host, relative to the image.
    TColor At(int x, int y) { return shot.Pixel(image->Left() + x, image->Top() + y); }

    TPanel panel;
    TImage* image;
    TBitmap shot;
};

class ImageFormats : public ::testing::TestWithParam<Format> {};

TEST_P(ImageFormats, DecodeToTheirPixels) {
    const Format& format = GetParam();
    Pixels quarters = Pixels::Quarters(32, 32, kRed, kGreen, kBlue, kYellow);
    std::string data = format.make(quarters);
    TImage image(nullptr);
    image.Picture().LoadFromMemory(data.data(), data.size());
    ASSERT_EQ(image.Picture().Width(), 32);
    ASSERT_EQ(image.Picture().Height(), 32);
    TBitmap& bitmap = image.Picture().Bitmap();
    EXPECT_FALSE(bitmap.HasAlpha());
    const struct {
        int x, y;
        uint32_t colour;
    } probes[] = {{4, 4, kRed},      {27, 4, kGreen}, {4, 27, kBlue},
                  {27, 27, kYellow}, {15, 15, kRed},  {16, 16, kYellow}};
    for (const auto& probe : probes) {
        if (format.tolerance > 0 && (probe.x == 15 || probe.x == 16)) continue;  // block edges
        EXPECT_TRUE(controls_test::Near(bitmap.Pixel(probe.x, probe.y),
                                        controls_test::ToColor(probe.colour), format.tolerance))
            << format.name << " at " << probe.x << "," << probe.y << ": " << std::hex
            << bitmap.Pixel(probe.x, probe.y);
    }
}

TEST_P(ImageFormats, LoadFromResourcesAndFiles) {
    const Format& format = GetParam();
    Pixels wide = Pixels::Quarters(48, 16, kRed, kGreen, kBlue, kYellow);
    std::string data = format.make(wide);
    std::string name = std::string("picture.") + format.name;
    AddResource(name, data);
    TImage image(nullptr);
    ASSERT_TRUE(image.SetProperty("Picture", PropertyValue::Str(name)));
    EXPECT_EQ(image.Picture().Width(), 48);
    EXPECT_EQ(image.Picture().Height(), 16);

    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "zembly-image-test." + format.name;
    {
        std::ofstream file(path, std::ios::binary);
        file << data;
    }
    TImage fromFile(nullptr);
    fromFile.Picture().LoadFromFile(path);
    DeleteFileA(path.c_str());
    EXPECT_EQ(fromFile.Picture().Width(), 48);
    EXPECT_TRUE(controls_test::Near(fromFile.Picture().Bitmap().Pixel(40, 12),
                                    controls_test::ToColor(kYellow), format.tolerance));
}

// A described picture keeps its bytes until it is first measured or drawn, and is then the same
// picture either way.
TEST_P(ImageFormats, DescribedPictureIsDecodedWhenFirstMeasuredOrDrawn) {
    const Format& format = GetParam();
    std::string name = std::string("waiting.") + format.name;
    AddResource(name, format.make(Pixels::Quarters(40, 24, kRed, kGreen, kBlue, kYellow)));

    TImage measured(nullptr);
    measured.SetProperty("Picture", PropertyValue::Str(name));
    EXPECT_FALSE(measured.Picture().Bitmap().Decoded()) << format.name;
    EXPECT_EQ(measured.Picture().Width(), 40);
    EXPECT_EQ(measured.Picture().Height(), 24);

    Host drawn;
    drawn.image->SetProperty("Picture", PropertyValue::Str(name));
    EXPECT_FALSE(drawn.image->Picture().Bitmap().Decoded()) << format.name;
    drawn.Paint();
    EXPECT_TRUE(
        controls_test::Near(drawn.At(35, 20), controls_test::ToColor(kYellow), format.tolerance));
    EXPECT_EQ(drawn.At(45, 10), clTeal) << "drawn at its own size";

    // AutoSize measures at once.
    TImage sized(nullptr);
    sized.SetAutoSize(true);
    sized.SetProperty("Picture", PropertyValue::Str(name));
    EXPECT_EQ(sized.Width(), 40);
    EXPECT_EQ(sized.Height(), 24);
}

TEST_P(ImageFormats, StretchScalesToTheControlAndPlainDrawsAtSize) {
    const Format& format = GetParam();
    std::string data = format.make(Pixels::Quarters(32, 32, kRed, kGreen, kBlue, kYellow));
    Host host;
    host.image->Picture().LoadFromMemory(data.data(), data.size());
    host.image->SetStretch(true);
    host.Paint();
    int t = format.tolerance;
    EXPECT_TRUE(controls_test::Near(host.At(6, 6), clRed, t));
    EXPECT_TRUE(controls_test::Near(host.At(90, 6), clLime, t));
    EXPECT_TRUE(controls_test::Near(host.At(6, 58), clBlue, t));
    EXPECT_TRUE(controls_test::Near(host.At(90, 58), clYellow, t));
    EXPECT_EQ(host.At(96, 30), clTeal);  // nothing beyond the control

    host.image->SetStretch(false);
    host.Paint();
    EXPECT_TRUE(controls_test::Near(host.At(4, 4), clRed, t));
    EXPECT_TRUE(controls_test::Near(host.At(28, 28), clYellow, t));
    EXPECT_EQ(host.At(40, 40), clTeal);
    EXPECT_EQ(host.At(80, 10), clTeal);

    host.image->SetCenter(true);
    host.Paint();
    EXPECT_EQ(host.At(4, 4), clTeal);
    EXPECT_TRUE(controls_test::Near(host.At(32 + 4, 16 + 4), clRed, t));
    if (::testing::Test::HasFailure()) testing_support::SavePicture(host.shot, "image_stretch");
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, ImageFormats, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<Format>& info) {
                             return std::string(info.param.name);
                         });

TEST(Image, AlphaAndTransparentColourLeaveTheBackground) {
    // An icon with a see-through middle: the teal host shows there.
    Pixels icon(16, 16, kBlue);
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x) icon.at(x, y) = 0x00000000;
    std::string data = controls_test::MakeIco(icon);
    Host host;
    host.image->Picture().LoadFromMemory(data.data(), data.size());
    EXPECT_TRUE(host.image->Picture().Bitmap().HasAlpha());
    host.Paint();
    EXPECT_EQ(host.At(1, 1), clBlue);
    EXPECT_EQ(host.At(8, 8), clTeal);

    // A bitmap's background (its bottom-left colour) goes with Transparent, stretched or not.
    Pixels sprite(16, 16, kMagenta);
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x) sprite.at(x, y) = kRed;
    data = controls_test::MakeBmp(sprite);
    host.image->Picture().LoadFromMemory(data.data(), data.size());
    host.Paint();
    EXPECT_EQ(host.At(1, 1), clFuchsia);
    host.image->SetTransparent(true);
    host.Paint();
    EXPECT_EQ(host.At(1, 1), clTeal);
    EXPECT_EQ(host.At(8, 8), clRed);
    host.image->SetStretch(true);
    host.Paint();
    EXPECT_EQ(host.At(2, 2), clTeal);
    EXPECT_EQ(host.At(48, 32), clRed);
    testing_support::SavePicture(host.shot, "image_transparent");
}

TEST(Image, ProportionalStretchKeepsTheShape) {
    std::string data = controls_test::MakeBmp(Pixels(32, 16, kRed));
    Host host;
    host.image->SetBounds(10, 10, 64, 64);
    host.image->Picture().LoadFromMemory(data.data(), data.size());
    host.image->SetStretch(true);
    host.image->SetProportional(true);
    RECT dest = host.image->DestRect();
    EXPECT_EQ(dest.right - dest.left, 64);
    EXPECT_EQ(dest.bottom - dest.top, 32);
    host.Paint();
    EXPECT_EQ(host.At(60, 28), clRed);
    EXPECT_EQ(host.At(60, 40), clTeal);
}

TEST(Image, AutoSizeTakesThePictureSize) {
    std::string data = controls_test::MakeBmp(Pixels(20, 12, kGreen));
    TImage image(nullptr);
    image.SetAutoSize(true);
    image.Picture().LoadFromMemory(data.data(), data.size());
    EXPECT_EQ(image.Width(), 20);
    EXPECT_EQ(image.Height(), 12);
}

TEST(Image, ADescribedPictureDamagedInsideDrawsNothingAndOneOfNoFormatIsRefusedAtOnce) {
    std::string png = controls_test::MakePng(Pixels(8, 8, kRed));
    AddResource("half.png", png.substr(0, png.size() / 2));
    AddResource("words.png", "not a picture");
    Host host;
    host.image->SetProperty("Picture", PropertyValue::Str("half.png"));
    EXPECT_TRUE(host.image->Picture().Empty());
    host.Paint();
    EXPECT_EQ(host.At(2, 2), clTeal);

    std::string good = controls_test::MakeBmp(Pixels(8, 8, kGreen));
    host.image->Picture().LoadFromMemory(good.data(), good.size());
    EXPECT_THROW(host.image->SetProperty("Picture", PropertyValue::Str("words.png")), Exception);
    EXPECT_EQ(host.image->Picture().Width(), 8);
}

TEST(Image, ADamagedPictureRaisesAndKeepsThePreviousOne) {
    std::string good = controls_test::MakeBmp(Pixels(8, 8, kGreen));
    TImage image(nullptr);
    image.Picture().LoadFromMemory(good.data(), good.size());
    std::string png = controls_test::MakePng(Pixels(8, 8, kRed));
    std::string damaged = png.substr(0, png.size() / 2);
    EXPECT_THROW(image.Picture().LoadFromMemory(damaged.data(), damaged.size()), Exception);
    EXPECT_THROW(image.Picture().LoadFromMemory("not a picture", 13), Exception);
    EXPECT_THROW(image.Picture().LoadFromFile("c:\\no\\such\\picture.png"), Exception);
    EXPECT_THROW(image.SetProperty("Picture", PropertyValue::Str("missing.png")), Exception);
    ASSERT_EQ(image.Picture().Width(), 8);
    EXPECT_EQ(image.Picture().Bitmap().Pixel(3, 3), clLime);
}

}  // namespace
