// The office menu's state: which items get which handlers, its appearance object, style and
// description properties, and the stripe gradient.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "FormLoader.h"
#include "ImageList.h"
#include "MenuTestSupport.h"
#include "OfficeMenuLayout.h"
#include "OfficePopupMenu.h"
#include "Resources.h"
#include "SharedClasses.h"

namespace {

using gui::PropertyValue;
using gui::TMenuItem;
using menutest::AddItem;

// Reaches the pre-popup notification the way the popup operation calls it.
class ProbeMenu : public TOfficePopupMenu {
public:
    using TOfficePopupMenu::DoPopup;
    using TOfficePopupMenu::TOfficePopupMenu;
};

// Which measure handler an item carries, told apart by what it measures: the separator
// handler gives a hint-less item 10 x 4.
enum class Handler { None, Separator, Office };
Handler MeasureHandlerOf(TMenuItem* item) {
    if (!item->OnMeasureItem) return Handler::None;
    gui::TBitmap scratch(1, 1);
    menutest::UseTestFont(scratch.Canvas());
    int w = 0, h = 0;
    item->OnMeasureItem(item, &scratch.Canvas(), w, h);
    return w == 10 && h == 4 ? Handler::Separator : Handler::Office;
}

TEST(OfficeMenu, ConstructionGivesDefaultPresetAndNoDesign) {
    gui::TComponent form(nullptr);
    TOfficePopupMenu menu(&form);
    EXPECT_FALSE(menu.OfficeDesign());
    EXPECT_FALSE(menu.OwnerDraw());
    EXPECT_EQ(menu.Style(), msDefault);
    ASSERT_NE(menu.Appearance(), nullptr);
    TMenuAppearance expected;
    ApplyStylePreset(expected, msDefault);
    EXPECT_EQ(*menu.Appearance(), expected);
}

TEST(OfficeMenu, DesignGivesTopLevelItemsTheirHandlersByExactCaption) {
    gui::TComponent form(nullptr);
    TOfficePopupMenu menu(&form);
    TMenuItem* open = AddItem(menu.Items(), &form, "Open zemblySMS...");
    TMenuItem* line = AddItem(menu.Items(), &form, "-");
    TMenuItem* spaced = AddItem(menu.Items(), &form, " -");
    TMenuItem* twice = AddItem(menu.Items(), &form, "--");
    TMenuItem* parent = AddItem(menu.Items(), &form, "More");
    TMenuItem* child = AddItem(parent, &form, "Child");
    TMenuItem* childLine = AddItem(parent, &form, "-");
    bool overwritten = true;
    open->OnDrawItem = [&](gui::TObject*, gui::TCanvas*, const RECT&, bool) {
        overwritten = false;
    };

    menu.SetOfficeDesign(true);
    EXPECT_TRUE(menu.OwnerDraw());
    EXPECT_EQ(MeasureHandlerOf(open), Handler::Office);
    EXPECT_EQ(MeasureHandlerOf(line), Handler::Separator);
    EXPECT_EQ(MeasureHandlerOf(spaced), Handler::Office);
    EXPECT_EQ(MeasureHandlerOf(twice), Handler::Office);
    EXPECT_EQ(MeasureHandlerOf(parent), Handler::Office);
    for (TMenuItem* item : {open, line, spaced, twice, parent}) EXPECT_TRUE(item->OnDrawItem);
    // Sub-items are left to the default drawing.
    EXPECT_FALSE(child->OnMeasureItem);
    EXPECT_FALSE(childLine->OnDrawItem);
    // The handler that was there is gone.
    gui::TBitmap target(100, 30);
    open->OnDrawItem(open, &target.Canvas(), RECT{0, 0, 100, 30}, false);
    EXPECT_TRUE(overwritten);
}

TEST(OfficeMenu, RemovingTheDesignClearsEveryTopLevelHandler) {
    gui::TComponent form(nullptr);
    TOfficePopupMenu menu(&form);
    TMenuItem* a = AddItem(menu.Items(), &form, "A");
    TMenuItem* b = AddItem(menu.Items(), &form, "B");
    TMenuItem* child = AddItem(b, &form, "Child");
    menu.SetOfficeDesign(true);
    // Handlers from other code go as well, on top-level items only.
    b->OnMeasureItem = [](gui::TObject*, gui::TCanvas*, int&, int&) {};
    child->OnMeasureItem = [](gui::TObject*, gui::TCanvas*, int&, int&) {};
    menu.SetOfficeDesign(false);
    EXPECT_FALSE(menu.OfficeDesign());
    EXPECT_FALSE(menu.OwnerDraw());
    EXPECT_FALSE(a->OnMeasureItem);
    EXPECT_FALSE(a->OnDrawItem);
    EXPECT_FALSE(b->OnMeasureItem);
    EXPECT_TRUE(child->OnMeasureItem);
}

TEST(OfficeMenu, EachPopupReappliesTheStateAndRaisesNoOnPopup) {
    gui::TComponent form(nullptr);
    ProbeMenu menu(&form);
    int popups = 0;
    menu.OnPopup = [&](gui::TObject*) { ++popups; };
    // As a description loads it: design on before there are items.
    menu.SetProperty("OfficeDesign", PropertyValue::Ident("True"));
    EXPECT_TRUE(menu.OwnerDraw());
    TMenuItem* later = AddItem(menu.Items(), &form, "Later");
    EXPECT_FALSE(later->OnDrawItem);
    menu.DoPopup();
    EXPECT_EQ(MeasureHandlerOf(later), Handler::Office);
    // Re-captioned while closed: the next popup follows the caption.
    later->SetCaption("-");
    menu.DoPopup();
    EXPECT_EQ(MeasureHandlerOf(later), Handler::Separator);
    // Design off: the popup takes owner drawing and handlers away again.
    menu.SetOfficeDesign(false);
    later->OnDrawItem = [](gui::TObject*, gui::TCanvas*, const RECT&, bool) {};
    menu.SetOwnerDraw(true);
    menu.DoPopup();
    EXPECT_FALSE(later->OnDrawItem);
    EXPECT_FALSE(menu.OwnerDraw());
    EXPECT_EQ(popups, 0);
}

TEST(OfficeMenu, StyleAppliesItsPresetEveryTimeItIsWritten) {
    gui::TComponent form(nullptr);
    TOfficePopupMenu menu(&form);
    TMenuAppearance* own = menu.Appearance();
    menu.SetStyle(msOffice2007Silver);
    EXPECT_EQ(menu.Style(), msOffice2007Silver);
    EXPECT_EQ(own->GutterColor(), 0x00E0E4E7u);
    own->SetGutterWidth(99);
    own->SetFontColor(0x123456);
    menu.SetStyle(msOffice2007Silver);  // unchanged, applied again
    EXPECT_EQ(own->GutterWidth(), 36);
    EXPECT_EQ(own->FontColor(), 0x004C535Cu);
    EXPECT_EQ(menu.Appearance(), own);
}

TEST(OfficeMenu, WritingAppearanceCopiesIntoTheMenusOwnObject) {
    gui::TComponent form(nullptr);
    TOfficePopupMenu menu(&form);
    TMenuAppearance* own = menu.Appearance();
    {
        auto given = std::make_unique<TMenuAppearance>();
        ApplyStylePreset(*given, msVista);
        given->SetMarginX(9);
        menu.SetAppearance(given.get());
        // The menu keeps its own object; later changes to the given one do not reach it, and
        // freeing the given one leaves the menu intact.
        given->SetMarginX(1);
    }
    EXPECT_EQ(menu.Appearance(), own);
    EXPECT_EQ(own->MarginX(), 9);
    EXPECT_EQ(own->GutterWidth(), 28);
    menu.SetAppearance(nullptr);
    EXPECT_EQ(own->MarginX(), 9);
    menu.SetAppearance(own);  // itself: nothing changes
    EXPECT_EQ(own->MarginX(), 9);
}

TEST(OfficeMenu, DescriptionValuesReachTheOwnAppearanceAndStyleWinsLast) {
    gui::TComponent form(nullptr);
    TOfficePopupMenu menu(&form);
    TMenuAppearance* own = menu.Appearance();
    EXPECT_TRUE(menu.SetProperty("OwnerDraw", PropertyValue::Ident("True")));
    EXPECT_TRUE(menu.SetProperty("Appearance.MarginX", PropertyValue::Int(7)));
    EXPECT_TRUE(menu.SetProperty("Appearance.GutterColor", PropertyValue::Ident("clRed")));
    EXPECT_EQ(own->MarginX(), 7);
    EXPECT_EQ(own->GutterColor(), gui::clRed);
    EXPECT_FALSE(menu.SetProperty("Appearance.Bogus", PropertyValue::Int(1)));
    EXPECT_TRUE(menu.SetProperty("Style", PropertyValue::Ident("msOffice2007Silver")));
    EXPECT_EQ(own->MarginX(), 4);
    EXPECT_EQ(own->GutterColor(), 0x00E0E4E7u);
    EXPECT_THROW(menu.SetProperty("Style", PropertyValue::Ident("msNone")), gui::Exception);
    EXPECT_EQ(menu.Style(), msOffice2007Silver);
}

TEST(OfficeMenu, RegisteredForDescriptions) {
    RegisterSharedClasses();
    gui::TComponent form(nullptr);
    for (const char* name : {"TMenuItem", "TPopupMenu", "TImageList", "TOfficePopupMenu"})
        EXPECT_TRUE(gui::ClassRegistry::Known(name)) << name;
    gui::TComponent* made = gui::ClassRegistry::Create("TOfficePopupMenu", &form);
    EXPECT_NE(dynamic_cast<TOfficePopupMenu*>(made), nullptr);
    EXPECT_EQ(made->Owner(), &form);
}

// The tray menu is written as a description: items with images and handlers, the image list,
// and the appearance lines before the style.
class MenuForm : public gui::TComponent {
public:
    MenuForm() : TComponent(nullptr) {
        SetClassName("TMenuForm");
        GUI_CONTROLS(OfficePopupMenu1, ImageList1, Exit2);
        GUI_HANDLERS(OpenClick, Exit2Click);
    }
    void OpenClick(gui::TObject* sender) { clicks.push_back(sender->Name()); }
    void Exit2Click(gui::TObject*) { clicks.push_back("exit"); }

    TOfficePopupMenu* OfficePopupMenu1 = nullptr;
    gui::TImageList* ImageList1 = nullptr;
    gui::TMenuItem* Exit2 = nullptr;
    std::vector<std::string> clicks;
};

TEST(OfficeMenu, LoadsWithItemsImagesHandlersAndAppearanceFromADescription) {
    RegisterSharedClasses();
    gui::TBitmap picture(60, 15);
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 15; ++y) picture.SetPixel(x, y, menutest::ImageColor(x / 20));
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "menu-strip.png";
    picture.SaveToPng(path);
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    gui::AddResource("menu-strip.png", bytes);

    MenuForm form;
    gui::LoadDescription(form,
                         "object Form12: TMenuForm\n"
                         "  object ImageList1: TImageList\n"
                         "    Width = 20\n"
                         "    Height = 15\n"
                         "    Strip = 'menu-strip.png'\n"
                         "  end\n"
                         "  object OfficePopupMenu1: TOfficePopupMenu\n"
                         "    Images = ImageList1\n"
                         "    OwnerDraw = True\n"
                         "    Appearance.MarginX = 9\n"
                         "    OfficeDesign = True\n"
                         "    Style = msOffice2007Silver\n"
                         "    object OpenzemblySMS1: TMenuItem\n"
                         "      Caption = 'Open zemblySMS...'\n"
                         "      ImageIndex = 2\n"
                         "      OnClick = OpenClick\n"
                         "    end\n"
                         "    object N1: TMenuItem\n"
                         "      Caption = '-'\n"
                         "    end\n"
                         "    object Exit2: TMenuItem\n"
                         "      Caption = 'Exit'\n"
                         "      ImageIndex = 1\n"
                         "      OnClick = Exit2Click\n"
                         "    end\n"
                         "  end\n"
                         "end\n");
    TOfficePopupMenu& menu = *form.OfficePopupMenu1;
    ASSERT_EQ(menu.Items()->Count(), 3);
    EXPECT_EQ(menu.Items()->Items(0)->Caption(), "Open zemblySMS...");
    EXPECT_EQ(menu.Items()->Items(0)->ImageIndex(), 2);
    EXPECT_EQ(menu.Items()->Items(2), form.Exit2);
    EXPECT_EQ(menu.Images(), form.ImageList1);
    EXPECT_EQ(form.ImageList1->Count(), 3);
    // The style came after the appearance line and overwrote it.
    EXPECT_EQ(menu.Appearance()->MarginX(), 4);
    EXPECT_EQ(menu.Style(), msOffice2007Silver);

    SendMessageA(menu.Window(), WM_COMMAND, form.Exit2->Command(), 0);
    SendMessageA(menu.Window(), WM_COMMAND, menu.Items()->Items(0)->Command(), 0);
    EXPECT_EQ(form.clicks, (std::vector<std::string>{"exit", "OpenzemblySMS1"}));
}

TEST(FillGradientRect, StripesRowsAndColumns) {
    gui::TBitmap b(40, 300);
    menutest::Clear(b, gui::clWhite);
    HDC dc = b.Canvas().Handle();
    // Nothing for fewer than one step.
    EXPECT_FALSE(TOfficePopupMenu::FillGradientRect(dc, RECT{0, 0, 40, 300}, 0, 0, 0xFF, 0));
    EXPECT_FALSE(TOfficePopupMenu::FillGradientRect(dc, RECT{0, 0, 40, 300}, -3, 0, 0xFF, 0));
    EXPECT_EQ(menutest::CountColor(b, gui::clWhite, 0, 0, 40, 300), 40 * 300);

    // 17 rows, moved by the rectangle's corner: row 0 from stripe 7, row 16 from stripe 248.
    const gui::TColor from = 0x00EBFDFF, to = 0x00ABEBFF;
    EXPECT_TRUE(TOfficePopupMenu::FillGradientRect(dc, RECT{5, 10, 25, 27}, 256, from, to, 0));
    EXPECT_EQ(b.Pixel(5, 10), officemenu::StripeColor(from, to, 7, 256));
    EXPECT_EQ(b.Pixel(24, 26), officemenu::StripeColor(from, to, 248, 256));
    EXPECT_EQ(b.Pixel(5, 9), gui::clWhite);
    EXPECT_EQ(b.Pixel(25, 20), gui::clWhite);
    EXPECT_EQ(b.Pixel(4, 20), gui::clWhite);
    EXPECT_EQ(b.Pixel(10, 27), gui::clWhite);

    // 256 rows and more: the first row is stripe 0, the last exactly the end colour.
    EXPECT_TRUE(TOfficePopupMenu::FillGradientRect(dc, RECT{0, 30, 3, 290}, 256, from, to, 0));
    EXPECT_EQ(b.Pixel(1, 30), officemenu::StripeColor(from, to, 0, 256));
    EXPECT_EQ(b.Pixel(1, 289), to);

    // Direction 1: columns from the left.
    menutest::Clear(b, gui::clWhite);
    EXPECT_TRUE(TOfficePopupMenu::FillGradientRect(dc, RECT{0, 0, 4, 2}, 4, 0x000000, 0x640000, 1));
    EXPECT_EQ(b.Pixel(0, 0), 0x190000u);
    EXPECT_EQ(b.Pixel(3, 1), 0x640000u);
    EXPECT_EQ(b.Pixel(4, 0), gui::clWhite);

    // System colours are taken at their current value.
    EXPECT_TRUE(TOfficePopupMenu::FillGradientRect(dc, RECT{0, 0, 2, 2}, 1, gui::clBtnFace,
                                                   gui::clBtnFace, 0));
    EXPECT_EQ(b.Pixel(0, 0), gui::ColorToRGB(gui::clBtnFace));
}

}  // namespace
