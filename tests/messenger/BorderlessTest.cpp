// The frameless windows: dragging by each drag surface, the close pictures' hover pair, the
// composer's hot zone, and each window's closing, all by mouse messages.
#include <windows.h>

#include "MessengerFixture.h"
#include "NewRelease.h"
#include "PayPal.h"
#include "WindowDriver.h"
#include "contacts.h"
#include "main.h"
#include "password.h"

namespace messengertest {
namespace {

using testing_support::Click;
using testing_support::MouseMove;

gui::TForm* FormNamed(const std::string& name) {
    if (name == "Form12") return Form12;
    if (name == "Form1") return Form1;
    if (name == "Form5") return Form5;
    if (name == "Form9") return Form9;
    return Form3;
}

class Borderless : public MessengerTest {
protected:
    void SetUp() override {
        MessengerTest::SetUp();
        // The real pointer away from the windows, so that moving one under it sends nothing.
        SetCursorPos(0, 0);
    }
};

struct SurfaceCase {
    const char* form;
    const char* surface;
    int x, y;  // a point inside the surface that no other control covers
};

class Drag : public Borderless, public ::testing::WithParamInterface<SurfaceCase> {
protected:
    void SetUp() override {
        Borderless::SetUp();
        form_ = FormNamed(GetParam().form);
        surface_ = &testing_support::Find<gui::TControl>(*form_, GetParam().surface);
        form_->Show();
        form_->SetBounds(200, 150, form_->Width(), form_->Height());
    }
    // A press at the surface's point, which must reach that surface.
    void Press(int x, int y, gui::TMouseButton button = gui::mbLeft) {
        const auto target = testing_support::TargetOf(*surface_, x, y);
        ASSERT_EQ(form_->ControlAtPos(target.point), surface_) << x << "," << y;
        testing_support::MouseDown(*surface_, x, y, button);
    }
    void ExpectAt(int left, int top) {
        EXPECT_EQ(form_->Left(), left);
        EXPECT_EQ(form_->Top(), top);
    }
    gui::TForm* form_ = nullptr;
    gui::TControl* surface_ = nullptr;
};

TEST_P(Drag, ALeftPressInsideDragsUntilAnyRelease) {
    const int x = GetParam().x, y = GetParam().y;
    Press(x, y);
    MouseMove(*surface_, x + 15, y + 7, MK_LBUTTON);
    ExpectAt(215, 157);
    MouseMove(*surface_, x - 5, y - 3, MK_LBUTTON);
    ExpectAt(210, 154);
    testing_support::MouseUp(*surface_, x, y);
    MouseMove(*surface_, x + 30, y + 30);
    ExpectAt(210, 154);

    // Pressed on the first column, then on the first row: no drag.
    Press(0, y);
    MouseMove(*surface_, 20, y + 20, MK_LBUTTON);
    testing_support::MouseUp(*surface_, 20, y + 20);
    Press(x, 0);
    MouseMove(*surface_, x + 20, 20, MK_LBUTTON);
    testing_support::MouseUp(*surface_, x + 20, 20);
    ExpectAt(210, 154);

    // The right button starts nothing, and its release ends a drag of the left one.
    Press(x, y, gui::mbRight);
    MouseMove(*surface_, x + 20, y + 20, MK_RBUTTON);
    testing_support::MouseUp(*surface_, x + 20, y + 20, gui::mbRight);
    ExpectAt(210, 154);
    Press(x, y);
    testing_support::MouseUp(*surface_, x, y, gui::mbRight);
    MouseMove(*surface_, x + 20, y + 20);
    ExpectAt(210, 154);
}

// Image3 of the logon window lies under its frame shape, which takes its presses.
INSTANTIATE_TEST_SUITE_P(Surfaces, Drag,
                         ::testing::Values(SurfaceCase{"Form12", "Shape1", 300, 20},
                                           SurfaceCase{"Form12", "Shape2", 20, 20},
                                           SurfaceCase{"Form1", "Image3", 300, 20},
                                           SurfaceCase{"Form1", "Label8", 5, 5},
                                           SurfaceCase{"Form5", "Image3", 150, 30},
                                           SurfaceCase{"Form5", "Image5", 20, 10},
                                           SurfaceCase{"Form9", "Image3", 200, 20},
                                           SurfaceCase{"Form3", "Image3", 150, 25}),
                         [](const ::testing::TestParamInfo<SurfaceCase>& info) {
                             return std::string(info.param.form) + info.param.surface;
                         });

TEST_F(Borderless, TheHoverPictureShowsOverItsTwinAndItsClickCloses) {
    for (gui::TForm* form : std::vector<gui::TForm*>{Form5, Form9, Form3}) {
        SCOPED_TRACE(form->Name());
        auto& normal = testing_support::Find<gui::TImage>(*form, "Image1");
        auto& hover = testing_support::Find<gui::TImage>(*form, "Image4");
        auto& background = testing_support::Find<gui::TImage>(*form, "Image3");
        form->Show();
        EXPECT_FALSE(hover.Visible());
        MouseMove(normal, 5, 5);
        EXPECT_TRUE(hover.Visible());
        MouseMove(hover, 6, 6);
        EXPECT_TRUE(hover.Visible());
        MouseMove(background, 100, 30);
        EXPECT_FALSE(hover.Visible());

        MouseMove(normal, 5, 5);
        Click(hover);
        EXPECT_FALSE(form->Visible());
        // The notice's closing leaves its hover picture as it was.
        EXPECT_EQ(hover.Visible(), form == Form9);
    }
    EXPECT_EQ(Form9->bSource1, nullptr);

    Form5->Show();
    MouseMove(*Form5->Image1, 5, 5);
    Click(testing_support::Find<gui::TBitBtn>(*Form5, "BitBtn2"));
    EXPECT_FALSE(Form5->Visible());
    EXPECT_FALSE(Form5->Image4->Visible());
    EXPECT_FALSE(exits_.Ended());
}

TEST_F(Borderless, TheComposersClosePictureShowsOnlyInItsCornerOfTheBackground) {
    Form1->Show();
    const struct {
        int x, y;
        bool shown;
    } moves[] = {{620, 5, true}, {611, 5, false}, {612, 17, true}, {612, 18, false},
                 {657, 0, true}, {658, 5, false}, {300, 5, false}};
    for (const auto& m : moves) {
        MouseMove(*Form1->Image3, m.x, m.y);
        EXPECT_EQ(Form1->Image1->Visible(), m.shown) << m.x << "," << m.y;
    }
    // Over the title the coordinates are the label's own.
    MouseMove(*Form1->Image3, 620, 5);
    MouseMove(*Form1->Label8, 5, 5);
    EXPECT_FALSE(Form1->Image1->Visible());

    MouseMove(*Form1->Image3, 620, 5);
    Click(*Form1->Image1);
    EXPECT_FALSE(Form1->Image1->Visible());
    EXPECT_FALSE(Form1->Visible());
    EXPECT_FALSE(exits_.Ended());
}

}  // namespace
}  // namespace messengertest
