// The page bookkeeping of both notebooks: pages that leave (destroyed or taken by another
// notebook), the shown page staying the same page, and the events a change of page runs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Pages.h"

namespace {

using namespace gui;

TEST(Notebook, ADestroyedPageLeavesAndTheShownPageStaysShown) {
    TNotebook book(nullptr);
    int changes = 0;
    book.OnPageChanged = [&](TObject*) { ++changes; };
    TPage* one = book.AddPage("One");
    book.AddPage("Two");
    TPage* three = book.AddPage("Three");
    book.SetPageIndex(2);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(three->Visible());
    EXPECT_FALSE(one->Visible());

    delete one;
    ASSERT_EQ(book.PageCount(), 2);
    EXPECT_EQ(book.PageName(0), "Two");
    EXPECT_EQ(book.PageIndex(), 1);
    EXPECT_EQ(book.ActivePage(), "Three");
    EXPECT_TRUE(three->Visible());
    EXPECT_EQ(changes, 1);  // the same page is shown: no change of page

    // When the shown page goes, the one taking its index shows.
    delete three;
    ASSERT_EQ(book.PageCount(), 1);
    EXPECT_EQ(book.ActivePage(), "");
    book.SetPageIndex(0);
    EXPECT_EQ(book.ActivePage(), "Two");
    EXPECT_TRUE(book.Page(0)->Visible());
}

TEST(Notebook, APageTakenByAnotherNotebookLeavesTheFirst) {
    TNotebook first(nullptr), second(nullptr);
    first.AddPage("Welcome");
    TPage* license = first.AddPage("License");
    second.InsertPage(license);
    EXPECT_EQ(first.PageCount(), 1);
    ASSERT_EQ(second.PageCount(), 1);
    EXPECT_EQ(second.Page(0), license);
    EXPECT_EQ(license->Notebook(), &second);
    EXPECT_EQ(license->Parent(), &second);
    second.InsertPage(license);  // already there
    EXPECT_EQ(second.PageCount(), 1);

    // A page that outlives its notebook forgets it.
    auto loose = std::make_unique<TPage>(nullptr);
    {
        TNotebook brief(nullptr);
        brief.InsertPage(loose.get());
        EXPECT_EQ(loose->Notebook(), &brief);
        loose->SetParent(nullptr);
    }
    EXPECT_EQ(loose->Notebook(), nullptr);
}

TEST(Notebook, ARenamedPageIsFoundByItsNewName) {
    TNotebook book(nullptr);
    book.SetVisible(false);
    book.AddPage("One");
    TPage* two = book.AddPage("Two");
    book.Handle();
    ASSERT_TRUE(two->HandleAllocated());  // the name is read back from the page's window
    two->SetCaption("Second");
    book.SetActivePage("second");
    EXPECT_EQ(book.PageIndex(), 1);
    EXPECT_EQ(book.ActivePage(), "Second");
}

TEST(Notebook, DescribedPagesAndControlsGoWhereTheyBelong) {
    TNotebook book(nullptr);
    PropertyValue names;
    names.kind = PropertyValue::Kind::List;
    names.items = {"A", "B"};
    ASSERT_TRUE(book.SetProperty("Pages.Strings", names));
    ASSERT_TRUE(book.SetProperty("ActivePage", PropertyValue::Str("b")));
    EXPECT_EQ(book.PageIndex(), 1);
    EXPECT_THROW(book.SetProperty("Pages.Strings", PropertyValue::Str("C")), Exception);

    auto* page = new TPage(&book);
    book.AddDescribedChild(page);
    EXPECT_EQ(book.PageCount(), 3);
    auto* control = new TCustomControl(&book);
    book.AddDescribedChild(control);
    EXPECT_EQ(control->Parent(), book.Page(1));
}

TEST(TabbedNotebook, TabsFollowThePagesAndTheirCaptions) {
    TTabbedNotebook tabs(nullptr);
    tabs.SetVisible(false);
    int clicks = 0;
    tabs.OnClick = [&](TObject*) { ++clicks; };
    TTabPage* general = tabs.AddPage("General");
    tabs.AddPage("Sounds");
    HWND window = tabs.Handle();
    ASSERT_EQ(TabCtrl_GetItemCount(window), 2);

    tabs.SetPageIndex(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(TabCtrl_GetCurSel(window), 1);
    general->SetCaption("Common");
    char text[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(window, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "Common");

    delete general;
    EXPECT_EQ(TabCtrl_GetItemCount(window), 1);
    EXPECT_EQ(tabs.PageIndex(), 0);
    EXPECT_EQ(TabCtrl_GetCurSel(window), 0);
    EXPECT_EQ(tabs.ActivePage(), "Sounds");
    EXPECT_TRUE(tabs.Page(0)->Visible());
    EXPECT_EQ(clicks, 1);
}

}  // namespace
