#include <gtest/gtest.h>

#include <memory>

#include "Application.h"
#include "Form.h"
#include "GuiTestSupport.h"
#include "MessagePump.h"
#include "Resources.h"

namespace {

using namespace testing_support;
using gui::TForm;

class TestForm : public TForm {
public:
    explicit TestForm(const std::string& description) : TForm(nullptr, "TTestForm") {
        RegisterHandler<void(gui::TObject*)>("FormCreate", [this](gui::TObject*) {
            ++creates;
            // The controls exist when OnCreate runs.
            swatchAtCreate = FindComponent("Swatch1") != nullptr;
        });
        RegisterHandler<void(gui::TObject*)>("FormShow", [this](gui::TObject*) { ++shows; });
        RegisterHandler<void(gui::TObject*)>("FormHide", [this](gui::TObject*) { ++hides; });
        RegisterHandler<void(gui::TObject*)>("FormDestroy", [this](gui::TObject*) {
            // The handler may still use the form's controls.
            auto* swatch = dynamic_cast<Swatch*>(FindComponent("Swatch1"));
            if (destroyed) *destroyed = swatch ? swatch->fill : 1;
        });
        LoadFromDescription(description);
    }
    int creates = 0, shows = 0, hides = 0;
    gui::TColor* destroyed = nullptr;
    bool swatchAtCreate = false;
};

class Forms : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClasses(); }
    void SetUp() override { Boxes().Clear(); }
    void TearDown() override {
        forms.clear();
        gui::ClearQuitRequest();
        EXPECT_TRUE(Boxes().Shown().empty()) << Boxes().Shown().front().text;
    }
    TestForm* Make(const std::string& description) {
        forms.push_back(std::make_unique<TestForm>(description));
        forms.back()->AfterConstruction();
        return forms.back().get();
    }
    std::vector<std::unique_ptr<TestForm>> forms;
};

// The size is asked before the border in the description; the client area must come out right.
TEST_F(Forms, ADescribedFormGetsItsCaptionSizeColourBorderAndPlace) {
    TestForm* form = Make(
        "object Form12: TTestForm\n"
        "  ClientWidth = 300\n"
        "  ClientHeight = 200\n"
        "  BorderStyle = bsDialog\n"
        "  Caption = 'zembly SMS'\n"
        "  Color = clRed\n"
        "  Position = poScreenCenter\n"
        "  Visible = True\n"
        "  OnCreate = FormCreate\n"
        "  OnShow = FormShow\n"
        "  object Swatch1: TSwatch\n"
        "    Left = 20\n"
        "    Top = 30\n"
        "    Width = 40\n"
        "    Height = 50\n"
        "  end\n"
        "end\n");
    EXPECT_EQ(form->Name(), "Form12");
    EXPECT_EQ(form->creates, 1);
    EXPECT_TRUE(form->swatchAtCreate);
    ASSERT_TRUE(form->Showing());  // described as visible: shown once made
    EXPECT_EQ(form->shows, 1);
    HWND hwnd = form->Handle();

    char caption[64] = {};
    GetWindowTextA(hwnd, caption, sizeof caption);
    EXPECT_STREQ(caption, "zembly SMS");

    RECT client, window;
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->Width(), window.right - window.left);

    LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);

    int width = window.right - window.left, height = window.bottom - window.top;
    EXPECT_NEAR(window.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, 1);
    EXPECT_NEAR(window.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 1);

    gui::TBitmap picture;
    PrintClient(*form, picture);
    EXPECT_EQ(picture.Pixel(5, 5), gui::clRed);
    EXPECT_EQ(picture.Pixel(25, 35), gui::clLime);
    SavePicture(picture, "gui-described-form");
}

TEST_F(Forms, BorderStylesGiveTheirFrames) {
    struct Case {
        const char* style;
        bool caption, sizing, tool;
    } cases[] = {
        {"bsNone", false, false, false},     {"bsSingle", true, false, false},
        {"bsSizeable", true, true, false},   {"bsDialog", true, false, false},
        {"bsToolWindow", true, false, true}, {"bsSizeToolWin", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        TestForm* form = Make(std::string("object F: TTestForm\n  BorderStyle = ") + c.style +
                              "\n  ClientWidth = 150\n  ClientHeight = 90\nend\n");
        HWND hwnd = form->Handle();
        LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
        LONG_PTR exStyle = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
        EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, c.caption);
        EXPECT_EQ((style & WS_THICKFRAME) != 0, c.sizing);
        EXPECT_EQ((exStyle & WS_EX_TOOLWINDOW) != 0, c.tool);
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client.right, 150);
        EXPECT_EQ(client.bottom, 90);
        if (!c.caption) {
            EXPECT_EQ(form->Width(), 150);
        }
        EXPECT_FALSE(form->Showing());  // not described as visible
    }
}

TEST_F(Forms, ShowingAVisibleFormNeitherMovesNorRaisesIt) {
    TestForm* lower = Make(
        "object A: TTestForm\n  BorderStyle = bsNone\n  Left = 100\n"
        "  Top = 100\n  Width = 200\n  Height = 150\n"
        "  Position = poScreenCenter\n  OnShow = FormShow\n"
        "  OnHide = FormHide\nend\n");
    TestForm* upper = Make(
        "object B: TTestForm\n  BorderStyle = bsNone\n  Left = 150\n"
        "  Top = 120\n  Width = 200\n  Height = 150\nend\n");
    lower->Show();
    upper->Show();
    Pump(50);
    ASSERT_TRUE(IsAbove(upper->Handle(), lower->Handle()));
    EXPECT_EQ(lower->shows, 1);

    // The user drags the lower window elsewhere; the form follows.
    SetWindowPos(lower->Handle(), nullptr, 30, 40, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(lower->Left(), 30);
    EXPECT_EQ(lower->Top(), 40);

    lower->Show();
    Pump(50);
    RECT r;
    GetWindowRect(lower->Handle(), &r);
    EXPECT_EQ(r.left, 30);  // not centred again
    EXPECT_EQ(r.top, 40);
    EXPECT_TRUE(IsAbove(upper->Handle(), lower->Handle()));
    EXPECT_EQ(lower->shows, 1);

    lower->Hide();
    lower->Hide();
    EXPECT_FALSE(lower->Showing());
    EXPECT_EQ(lower->hides, 1);

    // Shown again from hidden: raised, and still where the user left it.
    lower->Show();
    Pump(50);
    EXPECT_TRUE(IsAbove(lower->Handle(), upper->Handle()));
    GetWindowRect(lower->Handle(), &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(lower->shows, 2);
}

TEST_F(Forms, CloseRequestsAskOnCloseQueryAndOnClose) {
    TestForm* form = Make("object C: TTestForm\nend\n");
    form->Show();
    bool allow = false;
    gui::TCloseAction chosen = gui::caHide;
    int closes = 0;
    form->OnCloseQuery = [&](gui::TObject*, bool& canClose) { canClose = allow; };
    form->OnClose = [&](gui::TObject*, gui::TCloseAction& action) {
        ++closes;
        EXPECT_EQ(action, gui::caHide);
        action = chosen;
    };
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(form->Showing());

    allow = true;
    chosen = gui::caNone;
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(form->Showing());
    EXPECT_TRUE(IsWindow(form->Handle()));

    chosen = gui::caHide;
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form->Showing());
    EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST_F(Forms, DescriptionsComeFromResourcesByName) {
    gui::AddResource("TESTFORM7", "object Form7: TTestForm\n  Caption = 'From a resource'\nend\n");
    auto form = std::make_unique<TForm>(nullptr, "TTestForm");
    form->LoadFromResource("testform7");
    EXPECT_EQ(form->Caption(), "From a resource");
    try {
        form->LoadFromResource("NOSUCHFORM");
        FAIL() << "a missing resource was accepted";
    } catch (const gui::Exception& e) {
        EXPECT_NE(std::string(e.what()).find("NOSUCHFORM"), std::string::npos);
    }
}

// The resource compiled into this test program with windres.
TEST_F(Forms, CompiledRcDataResourcesAreFound) {
    std::string data;
    ASSERT_TRUE(gui::FindResourceData("TESTDESCRIPTION", data));
    auto form = std::make_unique<TForm>(nullptr, "TTestForm");
    form->LoadFromDescription(data);
    EXPECT_EQ(form->Caption(), "Compiled in");
    EXPECT_FALSE(gui::FindResourceData("", data));
}

// OnDestroy comes from the window's end while the whole form lives, so a handler bound to a
// method of the form's own class may use its controls; a form deleted outright gets none.
TEST(FormDestroy, FreeRunsOnDestroyFromTheWindowsEndWithTheControlsStillThere) {
    RegisterTestClasses();
    const char* description =
        "object Form1: TTestForm\n"
        "  OnDestroy = FormDestroy\n"
        "  object Swatch1: TSwatch\n"
        "    Fill = clRed\n"
        "  end\n"
        "end\n";
    enum { kShownThenFreed, kFreedWithNoWindow, kDeletedOutright };
    for (int end : {kShownThenFreed, kFreedWithNoWindow, kDeletedOutright}) {
        SCOPED_TRACE(end);
        gui::TColor seen = 0;
        auto* form = new TestForm(description);
        form->destroyed = &seen;
        if (end == kShownThenFreed) form->Show();
        if (end == kDeletedOutright) {
            form->HandleNeeded();
            delete form;
        } else {
            form->Free();
        }
        EXPECT_EQ(seen, end == kDeletedOutright ? 0u : gui::clRed);
    }
}

}  // namespace
