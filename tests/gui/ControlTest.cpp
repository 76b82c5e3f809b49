#include <gtest/gtest.h>

#include <memory>

#include "Application.h"
#include "Form.h"
#include "GuiTestSupport.h"

namespace {

using namespace testing_support;
using gui::TForm;

// A white borderless form with two overlapping swatches and an edit box.
class Surface : public TForm {
public:
    Surface() : TForm(nullptr, "TSurface") {
        LoadFromDescription(
            "object Surface: TSurface\n"
            "  BorderStyle = bsNone\n"
            "  Left = 40\n"
            "  Top = 40\n"
            "  ClientWidth = 240\n"
            "  ClientHeight = 160\n"
            "  Color = clWhite\n"
            "  Font.Style = [fsBold]\n"
            "  object Green: TSwatch\n"
            "    Left = 10\n"
            "    Top = 20\n"
            "    Width = 30\n"
            "    Height = 40\n"
            "  end\n"
            "  object Blue: TSwatch\n"
            "    Left = 30\n"
            "    Top = 50\n"
            "    Width = 50\n"
            "    Height = 30\n"
            "    Fill = clBlue\n"
            "  end\n"
            "  object Edit1: TTestEdit\n"
            "    Left = 120\n"
            "    Top = 100\n"
            "    Width = 100\n"
            "    Height = 22\n"
            "  end\n"
            "  object Edit2: TTestEdit\n"
            "    Left = 120\n"
            "    Top = 130\n"
            "    Width = 100\n"
            "    Height = 22\n"
            "  end\n"
            "end\n");
        green = static_cast<Swatch*>(FindComponent("Green"));
        blue = static_cast<Swatch*>(FindComponent("Blue"));
        edit1 = static_cast<TestEdit*>(FindComponent("Edit1"));
        edit2 = static_cast<TestEdit*>(FindComponent("Edit2"));
        AfterConstruction();
        Show();
    }
    Swatch* green;
    Swatch* blue;
    TestEdit* edit1;
    TestEdit* edit2;
};

class Controls : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClasses(); }
    void SetUp() override {
        Boxes().Clear();
        form = std::make_unique<Surface>();
        hwnd = form->Handle();
    }
    void TearDown() override { form.reset(); }

    void Send(UINT msg, WPARAM keys, int x, int y) {
        SendMessageA(hwnd, msg, keys, MAKELPARAM(x, y));
    }

    std::unique_ptr<Surface> form;
    HWND hwnd = nullptr;
};

TEST_F(Controls, GraphicControlsPaintInsideTheirBoundsOnlyAndInStackingOrder) {
    gui::TBitmap picture;
    PrintClient(*form, picture);
    SavePicture(picture, "gui-graphic-controls");
    EXPECT_EQ(picture.Pixel(10, 20), gui::clLime);
    EXPECT_EQ(picture.Pixel(39, 49), gui::clLime);
    EXPECT_EQ(picture.Pixel(29, 59), gui::clLime);
    EXPECT_EQ(picture.Pixel(9, 20), gui::clWhite);
    EXPECT_EQ(picture.Pixel(10, 19), gui::clWhite);
    EXPECT_EQ(picture.Pixel(40, 30), gui::clWhite);
    EXPECT_EQ(picture.Pixel(20, 60), gui::clWhite);
    // Blue was placed later, so it lies on top where the two overlap.
    EXPECT_EQ(picture.Pixel(35, 55), gui::clBlue);
    EXPECT_EQ(picture.Pixel(79, 79), gui::clBlue);
    EXPECT_EQ(picture.Pixel(80, 79), gui::clWhite);

    form->green->BringToFront();
    form->blue->SetVisible(false);
    form->green->SetBounds(100, 10, 5, 5);
    PrintClient(*form, picture);
    EXPECT_EQ(picture.Pixel(35, 55), gui::clWhite);
    EXPECT_EQ(picture.Pixel(10, 20), gui::clWhite);
    EXPECT_EQ(picture.Pixel(104, 14), gui::clLime);
    EXPECT_EQ(picture.Pixel(105, 14), gui::clWhite);

    // What reaches the screen is the same picture.
    form->Invalidate();
    gui::TBitmap screen;
    gui::CaptureWindow(hwnd, screen);
    EXPECT_EQ(screen.Pixel(104, 14), gui::clLime);
    EXPECT_EQ(screen.Pixel(3, 3), gui::clWhite);
}

TEST_F(Controls, GraphicControlsDrawingOutsidePaintingStayInsideTheirBounds) {
    form->Update();
    form->green->Canvas().Brush().SetColor(gui::clRed);
    form->green->Canvas().FillRect(RECT{-100, -100, 500, 500});
    gui::FreeDeviceContexts();
    gui::TBitmap screen;
    gui::CaptureWindow(hwnd, screen);
    EXPECT_EQ(screen.Pixel(10, 20), gui::clRed);
    EXPECT_EQ(screen.Pixel(9, 20), gui::clWhite);

    // Without a parent there is nowhere to draw, and nothing breaks.
    Swatch loose(nullptr);
    loose.Canvas().Brush().SetColor(gui::clRed);
    loose.Canvas().FillRect(RECT{0, 0, 50, 50});
    EXPECT_GT(loose.Canvas().TextWidth("Hello"), 0);
    loose.Invalidate();
    gui::FreeDeviceContexts();
}

TEST_F(Controls, MouseEventsReachTheControlUnderThePointerInItsCoordinates) {
    std::vector<std::string> log;
    auto record = [&](const char* what) {
        return [&log, what](gui::TObject* sender, gui::TMouseButton button, gui::TShiftState, int x,
                            int y) {
            log.push_back(static_cast<gui::TComponent*>(sender)->Name() + " " + what + " " +
                          std::to_string(button) + " " + std::to_string(x) + "," +
                          std::to_string(y));
        };
    };
    for (gui::TControl* c :
         {static_cast<gui::TControl*>(form->green), static_cast<gui::TControl*>(form->blue),
          static_cast<gui::TControl*>(form.get())}) {
        c->OnMouseDown = record("down");
        c->OnMouseUp = record("up");
        c->OnClick = [&log](gui::TObject* sender) {
            log.push_back(static_cast<gui::TComponent*>(sender)->Name() + " click");
        };
    }

    Send(WM_LBUTTONDOWN, MK_LBUTTON, 15, 30);
    Send(WM_LBUTTONUP, 0, 17, 31);
    // Where the two overlap, the upper one takes the press.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 35, 55);
    Send(WM_LBUTTONUP, 0, 35, 55);
    // Pressed on Green, released outside it: Green keeps the mouse, but there is no click.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 12, 22);
    Send(WM_LBUTTONUP, 0, 200, 150);
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 12, 22);
    Send(WM_RBUTTONUP, 0, 12, 22);
    // On the form itself.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 200, 5);
    Send(WM_LBUTTONUP, 0, 200, 5);
    // A disabled control lets the press through to its parent.
    form->green->SetEnabled(false);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 15, 30);
    Send(WM_LBUTTONUP, 0, 15, 30);

    EXPECT_EQ(log, (std::vector<std::string>{
                       "Green down 0 5,10",
                       "Green click",
                       "Green up 0 7,11",
                       "Blue down 0 5,5",
                       "Blue click",
                       "Blue up 0 5,5",
                       "Green down 0 2,2",
                       "Green up 0 190,130",
                       "Green down 1 2,2",
                       "Green up 1 2,2",
                       "Surface down 0 200,5",
                       "Surface click",
                       "Surface up 0 200,5",
                       "Surface down 0 15,30",
                       "Surface click",
                       "Surface up 0 15,30",
                   }));
}

TEST_F(Controls, DoubleClicksAndMovesAreDelivered) {
    int doubles = 0;
    std::vector<std::pair<int, int>> moves;
    form->blue->OnDblClick = [&](gui::TObject*) { ++doubles; };
    form->blue->OnMouseMove = [&](gui::TObject*, gui::TShiftState shift, int x, int y) {
        EXPECT_TRUE(shift & gui::ssLeft);
        moves.emplace_back(x, y);
    };
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 40, 60);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 45, 61);
    Send(WM_LBUTTONUP, 0, 45, 61);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{15, 11}}));
}

// An exception that escapes a handler is reported with its text and the program goes on; so
// does one thrown while painting.
TEST_F(Controls, AThrowingHandlerIsReportedAndTheProgramGoesOn) {
    gui::Application.SetTitle("zembly SMS");
    int clicks = 0;
    form->green->OnClick = [&](gui::TObject*) {
        if (++clicks == 1) throw gui::Exception("Cannot open file \"contacts.con\"");
        throw gui::Exception("I/O error 32");
    };
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 15, 30);
    Send(WM_LBUTTONUP, 0, 15, 30);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 15, 30);
    Send(WM_LBUTTONUP, 0, 15, 30);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(Boxes().Shown().size(), 2u);
    // A full stop is added after a letter or digit only, as the class library does.
    EXPECT_EQ(Boxes().Shown()[0].text, "Cannot open file \"contacts.con\"");
    EXPECT_EQ(Boxes().Shown()[1].text, "I/O error 32.");
    EXPECT_EQ(Boxes().Shown()[0].caption, "zembly SMS");
    EXPECT_EQ(Boxes().Shown()[0].type, gui::mtError);
    EXPECT_EQ(Boxes().Shown()[0].buttons, gui::mbOK);

    Boxes().Clear();
    form->blue->throwInPaint = true;
    gui::TBitmap picture;
    PrintClient(*form, picture);
    ASSERT_EQ(Boxes().Shown().size(), 1u);
    EXPECT_EQ(Boxes().Shown()[0].text, "Canvas does not allow drawing.");
    EXPECT_EQ(picture.Pixel(10, 20), gui::clLime);  // the rest was painted
    Boxes().Clear();
    gui::Application.SetTitle("");
}

TEST_F(Controls, ChildrenFollowTheParentFontUntilTheyGetTheirOwn) {
    EXPECT_TRUE(form->green->Font().Style() & gui::fsBold);
    EXPECT_TRUE(form->edit1->ParentFont());
    form->Font().SetHeight(-20);
    EXPECT_EQ(form->green->Font().Height(), -20);
    HFONT editFont = reinterpret_cast<HFONT>(SendMessageA(form->edit1->Handle(), WM_GETFONT, 0, 0));
    EXPECT_EQ(editFont, form->edit1->Font().Handle());
    LOGFONTA logFont{};
    GetObjectA(editFont, sizeof logFont, &logFont);
    EXPECT_EQ(logFont.lfHeight, -20);
    EXPECT_EQ(logFont.lfWeight, FW_BOLD);

    form->blue->Font().SetColor(gui::clRed);
    EXPECT_FALSE(form->blue->ParentFont());
    form->Font().SetStyle(0);
    EXPECT_EQ(form->green->Font().Style(), 0u);
    EXPECT_TRUE(form->blue->Font().Style() & gui::fsBold);

    // A "Font." line in a description gives the control a font of its own, even one that
    // equals the parent's.
    gui::PropertyValue none;
    none.kind = gui::PropertyValue::Kind::Set;
    ASSERT_TRUE(form->green->SetProperty("Font.Style", none));
    EXPECT_FALSE(form->green->ParentFont());
}

TEST_F(Controls, KeyPressSeesTheTextBeforeTheKeyAndKeyUpAfter) {
    TestEdit* edit = form->edit1;
    std::vector<std::string> seen;
    edit->OnKeyPress = [&](gui::TObject*, char& key) {
        seen.push_back("press " + std::string(1, key) + " on '" + form->edit1->Text() + "'");
        if (key == 'x') key = 0;  // discarded
        if (key == 'u') key = 'U';
    };
    edit->OnKeyUp = [&](gui::TObject*, WORD& key, gui::TShiftState) {
        seen.push_back("up " + std::to_string(key) + " on '" + form->edit1->Text() + "'");
    };
    for (char c : std::string("axu")) SendMessageA(edit->Handle(), WM_CHAR, c, 1);
    SendMessageA(edit->Handle(), WM_KEYUP, 'U', 0xC0000001);
    EXPECT_EQ(edit->Text(), "aU");
    EXPECT_EQ(seen, (std::vector<std::string>{"press a on ''", "press x on 'a'", "press u on 'a'",
                                              "up 85 on 'aU'"}));
    // The edit's notifications came back to it through its parent.
    EXPECT_EQ(edit->changes, 2);

    edit->SetText("typed");
    EXPECT_EQ(edit->Text(), "typed");
    char raw[16] = {};
    GetWindowTextA(edit->Handle(), raw, sizeof raw);
    EXPECT_STREQ(raw, "typed");
}

// Checked through the events rather than GetFocus: other test programs on the same display may
// take the foreground at any moment.
TEST_F(Controls, FocusMovesFireExitThenEnter) {
    std::vector<std::string> log;
    for (TestEdit* e : {form->edit1, form->edit2}) {
        e->OnEnter = [&log, e](gui::TObject*) { log.push_back("enter " + e->Name()); };
        e->OnExit = [&log, e](gui::TObject*) { log.push_back("exit " + e->Name()); };
    }
    form->edit1->SetFocus();
    log.clear();
    form->edit2->SetFocus();
    form->edit1->SetFocus();
    EXPECT_EQ(log,
              (std::vector<std::string>{"exit Edit1", "enter Edit2", "exit Edit2", "enter Edit1"}));
    EXPECT_EQ(form->FocusedChild(), form->edit1);

    // Tab moves on in tab order, and wraps.
    log.clear();
    PostMessageA(form->edit1->Handle(), WM_KEYDOWN, VK_TAB, 0x000F0001);
    Pump(30);
    PostMessageA(form->edit2->Handle(), WM_KEYDOWN, VK_TAB, 0x000F0001);
    Pump(30);
    EXPECT_EQ(log,
              (std::vector<std::string>{"exit Edit1", "enter Edit2", "exit Edit2", "enter Edit1"}));

    // A disabled control is not focused.
    log.clear();
    form->edit2->SetEnabled(false);
    form->edit2->SetFocus();
    PostMessageA(form->edit1->Handle(), WM_KEYDOWN, VK_TAB, 0x000F0001);
    Pump(30);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(form->FocusedChild(), form->edit1);
}

TEST_F(Controls, HintsShowWhereTheMouseRestsAndGoAtAClick) {
    form->green->SetHint("Reset File Association|Long help text");
    form->green->SetShowHint(true);
    form->blue->SetHint("Not shown");  // ShowHint is off
    PostMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(55, 65));
    Pump(gui::TApplication::HintPause + 200);
    EXPECT_EQ(gui::Application.ActiveHint(), "");

    PostMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(15, 25));
    EXPECT_TRUE(PumpUntil([] { return !gui::Application.ActiveHint().empty(); }));
    EXPECT_EQ(gui::Application.ActiveHint(), "Reset File Association");
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 25));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(15, 25));
    Pump(20);
    EXPECT_EQ(gui::Application.ActiveHint(), "");
}

TEST_F(Controls, ARightClickShowsTheBoundPopupMenu) {
    auto* menu = new gui::TComponent(form.get());
    menu->SetName("PopupMenu1");
    std::vector<std::pair<gui::TComponent*, POINT>> shown;
    gui::SetPopupMenuHandler([&](gui::TComponent* m, int x, int y) {
        shown.push_back({m, POINT{x, y}});
    });
    ASSERT_TRUE(form->green->SetProperty("PopupMenu", gui::PropertyValue::Ident("PopupMenu1")));
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 12, 22);
    Send(WM_RBUTTONUP, 0, 12, 22);
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 35, 55);  // Blue has no menu
    Send(WM_RBUTTONUP, 0, 35, 55);
    gui::SetPopupMenuHandler(nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, menu);
    POINT expected = form->ClientToScreen(POINT{12, 22});
    EXPECT_EQ(shown[0].second.x, expected.x);
    EXPECT_EQ(shown[0].second.y, expected.y);
}

TEST_F(Controls, AlignedChildrenFillTheirSide) {
    form->blue->SetAlign(gui::alBottom);
    EXPECT_EQ(form->blue->Top(), 160 - 30);
    EXPECT_EQ(form->blue->Width(), 240);
    form->green->SetAlign(gui::alClient);
    EXPECT_EQ(form->green->BoundsRect().bottom, 130);
    EXPECT_EQ(form->green->Top(), 0);
    form->SetClientSize(300, 200);
    EXPECT_EQ(form->blue->Top(), 170);
    EXPECT_EQ(form->green->Height(), 170);
    EXPECT_EQ(form->green->Width(), 300);
}

}  // namespace
