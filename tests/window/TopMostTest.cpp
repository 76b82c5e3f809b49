// The keep-on-top component: the form's window band from the window's making on (and no window
// made for it), changes of the flag, the design state and owners that are not forms.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FormLoader.h"
#include "NetGradient.h"
#include "SharedClasses.h"
#include "TopMost.h"
#include "WindowComponentsTestSupport.h"

namespace {

struct WindowPosCall {
    HWND window;
    HWND insertAfter;
    int x, y, cx, cy;
    UINT flags;
};

std::vector<WindowPosCall> calls;

// Records each call and passes it on, so the window really changes band.
BOOL WINAPI RecordingSetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy,
                                  UINT flags) {
    calls.push_back({window, insertAfter, x, y, cx, cy, flags});
    return SetWindowPos(window, insertAfter, x, y, cx, cy, flags);
}

class TopMostTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        TTopMost::SetWindowPosSetter(&RecordingSetWindowPos);
    }
    void TearDown() override { TTopMost::SetWindowPosSetter(nullptr); }
};

std::string DialogWith(const std::string& topMostLines) {
    return "object Form1: TForm\n"
           "  Left = 120\n  Top = 90\n  BorderStyle = bsDialog\n"
           "  ClientWidth = 200\n  ClientHeight = 100\n"
           "  object TopMost1: TTopMost\n" +
           topMostLines +
           "  end\n"
           "end\n";
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TTopMost& TopMostOf(gui::TForm& form) {
    auto* component = dynamic_cast<TTopMost*>(form.FindComponent("TopMost1"));
    if (!component) throw std::runtime_error("no TopMost1");
    return *component;
}

TEST_F(TopMostTest, FormIsTopmostFromItsWindowsMakingBeforeItIsShown) {
    auto form = windowtest::MakeForm(DialogWith(""));
    EXPECT_FALSE(form->HandleAllocated()) << "the component made the hidden form's window";
    EXPECT_TRUE(calls.empty());
    HWND window = form->Handle();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(IsTopmost(window));
    EXPECT_TRUE(TopMostOf(*form).TopMost());
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].window, window);
    EXPECT_EQ(calls[0].insertAfter, HWND_TOPMOST);
    EXPECT_EQ(calls[0].flags, static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(calls[0].x | calls[0].y | calls[0].cx | calls[0].cy, 0);

    windowtest::ShowAndSettle(*form);
    EXPECT_TRUE(IsTopmost(window));
}

TEST_F(TopMostTest, SettingTheSameValueMakesNoCall) {
    auto form = windowtest::MakeForm(DialogWith(""));
    form->HandleNeeded();
    TTopMost& topMost = TopMostOf(*form);
    calls.clear();
    topMost.SetTopMost(true);
    EXPECT_TRUE(topMost.SetProperty("TopMost", gui::PropertyValue::Ident("True")));
    EXPECT_TRUE(calls.empty());
    topMost.SetTopMost(false);
    topMost.SetTopMost(false);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(TopMostTest, LeavingAndReenteringTheBandKeepsPlaceSizeAndVisibility) {
    auto form = windowtest::MakeForm(DialogWith(""));
    windowtest::ShowAndSettle(*form);
    HWND window = form->Handle();
    RECT before{};
    GetWindowRect(window, &before);
    TTopMost& topMost = TopMostOf(*form);

    topMost.SetTopMost(false);
    windowtest::Settle(*form);
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_FALSE(IsTopmost(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(EqualRect(&before, &after));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().insertAfter, HWND_NOTOPMOST);
    EXPECT_EQ(calls.back().flags, static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE));

    topMost.SetTopMost(true);
    windowtest::Settle(*form);
    GetWindowRect(window, &after);
    EXPECT_TRUE(IsTopmost(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(TopMostTest, FlagChangedBeforeTheWindowIsMadeDecidesItsBand) {
    auto form = windowtest::MakeForm(DialogWith("    TopMost = False\n"));
    EXPECT_FALSE(TopMostOf(*form).TopMost());
    EXPECT_FALSE(IsTopmost(form->Handle()));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].insertAfter, HWND_NOTOPMOST);

    // A window made again (a style change) is put into the band again.
    auto second = windowtest::MakeForm(DialogWith("    TopMost = False\n"));
    TopMostOf(*second).SetTopMost(true);
    second->RecreateWnd();  // no window yet: nothing to make again
    EXPECT_FALSE(second->HandleAllocated());
    second->HandleNeeded();
    second->RecreateWnd();
    EXPECT_TRUE(IsTopmost(second->Handle()));
}

TEST_F(TopMostTest, FormInTheDesignerIsNeverTopmost) {
    RegisterSharedClasses();
    gui::TForm form(nullptr);
    form.SetDesigning(true);
    form.LoadFromDescription(DialogWith(""));
    EXPECT_TRUE(TopMostOf(form).TopMost());
    EXPECT_FALSE(IsTopmost(form.Handle()));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].insertAfter, HWND_NOTOPMOST);
}

TEST_F(TopMostTest, OwnerThatIsNotAFormIsRefusedAndKeepsNothing) {
    RegisterSharedClasses();
    gui::TComponent plain(nullptr);
    try {
        new TTopMost(&plain);
        FAIL() << "a plain component was taken as a form";
    } catch (const gui::EInvalidCast& error) {
        EXPECT_STREQ(error.what(), "Invalid class typecast");
    }
    EXPECT_EQ(plain.ComponentCount(), 0);
    EXPECT_THROW(new TTopMost(nullptr), gui::EInvalidCast);

    // A control of a form is no form either.
    auto form =
        windowtest::MakeForm("object Form1: TForm\n  object Bar: TNetGradient\n  end\nend\n");
    gui::TComponent* bar = form->FindComponent("Bar");
    int owned = form->ComponentCount();
    EXPECT_THROW(new TTopMost(bar), gui::EInvalidCast);
    EXPECT_EQ(bar->ComponentCount(), 0);
    EXPECT_EQ(form->ComponentCount(), owned);

    // Through a description whose root is not a form.
    gui::TComponent root(nullptr);
    try {
        gui::LoadDescription(root,
                             "object Data: TComponent\n  object TopMost1: TTopMost\n  end\nend\n");
        FAIL() << "a description without a form made a TTopMost";
    } catch (const gui::Exception& error) {
        EXPECT_NE(std::string(error.what()).find("Invalid class typecast"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(root.ComponentCount(), 0);
    EXPECT_TRUE(calls.empty());
}

}  // namespace
