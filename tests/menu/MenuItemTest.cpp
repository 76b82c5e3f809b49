// Menu items, popup menus and image lists of the GUI layer, without opening a menu.
#include <gtest/gtest.h>

#include <set>

#include "ImageList.h"
#include "Menu.h"
#include "MenuTestSupport.h"
#include "WindowTestSupport.h"

namespace {

using gui::TMenuItem;
using gui::TPopupMenu;
using menutest::AddItem;

MENUITEMINFOA ItemInfo(HMENU menu, UINT position, std::string* text = nullptr) {
    static char buffer[256];
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = sizeof buffer;
    buffer[0] = 0;
    EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info));
    if (text) *text = buffer;
    return info;
}

TEST(ShortCutText, ModifiersAndKeyNames) {
    EXPECT_EQ(gui::ShortCutToText(gui::scNone), "");
    EXPECT_EQ(gui::ShortCutToText(gui::ShortCut('S', gui::scCtrl)), "Ctrl+S");
    EXPECT_EQ(gui::ShortCutToText(gui::ShortCut(VK_F5, gui::scShift | gui::scCtrl)),
              "Shift+Ctrl+F5");
    EXPECT_EQ(gui::ShortCutToText(gui::ShortCut(VK_DELETE, gui::scAlt)), "Alt+Del");
    EXPECT_EQ(gui::ShortCutToText(gui::ShortCut('7', 0)), "7");
    EXPECT_EQ(gui::ShortCutToText(gui::ShortCut(VK_RETURN, 0)), "Enter");
    // A modifier alone names no key.
    EXPECT_EQ(gui::ShortCutToText(gui::scCtrl), "");
}

TEST(MenuItem, TreeOwnershipAndCommands) {
    gui::TComponent form(nullptr);
    TPopupMenu* menu = new TPopupMenu(&form);
    TMenuItem* file = AddItem(menu->Items(), &form, "File");
    TMenuItem* open = AddItem(file, &form, "Open");
    TMenuItem* exit = AddItem(menu->Items(), &form, "Exit");
    EXPECT_EQ(menu->Items()->Count(), 2);
    EXPECT_EQ(open->Parent(), file);
    EXPECT_EQ(open->GetParentMenu(), menu);
    EXPECT_EQ(exit->MenuIndex(), 1);
    EXPECT_EQ(menu->Items()->Find(open->Command()), open);

    std::set<UINT> commands{file->Command(), open->Command(), exit->Command(),
                            menu->Items()->Command()};
    EXPECT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands.count(0), 0u);

    // Moving an item takes it off its old parent.
    file->Add(exit);
    EXPECT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(exit->Parent(), file);
    EXPECT_THROW(open->Add(file), gui::Exception);

    // Freeing a parent frees its sub-items, which leave their owner's list too.
    const int owned = form.ComponentCount();
    delete file;
    EXPECT_EQ(form.ComponentCount(), owned - 3);
    EXPECT_EQ(menu->Items()->Count(), 0);
}

TEST(MenuItem, OwnerFreesItemsInAnyOrderWithoutDoubleFree) {
    // Items described in a form are owned by the form and created after the menu: the form
    // frees sub-items, items and menu in that order.
    auto* form = new gui::TComponent(nullptr);
    TPopupMenu* menu = new TPopupMenu(form);
    TMenuItem* parent = AddItem(menu->Items(), form, "Parent");
    AddItem(parent, form, "Child");
    AddItem(menu->Items(), form, "Other");
    delete form;

    // And the other way round: a menu freed first takes its items along.
    form = new gui::TComponent(nullptr);
    menu = new TPopupMenu(form);
    parent = AddItem(menu->Items(), form, "Parent");
    AddItem(parent, form, "Child");
    delete menu;
    EXPECT_EQ(form->ComponentCount(), 0);
    delete form;
}

TEST(MenuItem, ImagesComeFromTheNearestSubMenuImagesOrTheMenu) {
    gui::TComponent form(nullptr);
    auto* menuImages = new gui::TImageList(&form);
    auto* subImages = new gui::TImageList(&form);
    TPopupMenu* menu = new TPopupMenu(&form);
    TMenuItem* top = AddItem(menu->Items(), &form, "Top");
    TMenuItem* sub = AddItem(top, &form, "Sub");
    TMenuItem* subsub = AddItem(sub, &form, "SubSub");
    EXPECT_EQ(top->ImageList(), nullptr);
    menu->SetImages(menuImages);
    EXPECT_EQ(top->ImageList(), menuImages);
    EXPECT_EQ(subsub->ImageList(), menuImages);
    top->SetSubMenuImages(subImages);
    EXPECT_EQ(top->ImageList(), menuImages);  // its own SubMenuImages are for its children
    EXPECT_EQ(sub->ImageList(), subImages);
    EXPECT_EQ(subsub->ImageList(), subImages);
}

TEST(MenuItem, DescriptionPropertiesAndBindings) {
    gui::TComponent form(nullptr);
    int clicks = 0;
    form.RegisterHandler<void(gui::TObject*)>("Exit2Click", [&](gui::TObject*) { ++clicks; });
    auto* images = new gui::TImageList(&form);
    images->SetName("ImageList1");
    TPopupMenu* menu = new TPopupMenu(&form);
    EXPECT_TRUE(menu->SetProperty("Images", gui::PropertyValue::Ident("ImageList1")));
    EXPECT_TRUE(menu->SetProperty("OwnerDraw", gui::PropertyValue::Ident("True")));
    auto* item = new TMenuItem(&form);
    EXPECT_TRUE(item->SetProperty("Caption", gui::PropertyValue::Str("E&xit")));
    EXPECT_TRUE(item->SetProperty("Hint", gui::PropertyValue::Str("Ends the program")));
    EXPECT_TRUE(item->SetProperty("ImageIndex", gui::PropertyValue::Int(1)));
    EXPECT_TRUE(item->SetProperty("ShortCut", gui::PropertyValue::Int(16467)));  // Ctrl+S
    EXPECT_TRUE(item->SetProperty("OnClick", gui::PropertyValue::Ident("Exit2Click")));
    EXPECT_THROW(item->SetProperty("OnClick", gui::PropertyValue::Ident("Missing")),
                 gui::Exception);
    EXPECT_FALSE(item->SetProperty("Bogus", gui::PropertyValue::Int(1)));
    menu->AddDescribedChild(item);
    EXPECT_THROW(menu->AddDescribedChild(images), gui::Exception);

    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(menu->Images(), images);
    EXPECT_EQ(item->ImageList(), images);
    EXPECT_EQ(gui::ShortCutToText(item->ShortCut()), "Ctrl+S");
    item->Click();
    EXPECT_EQ(clicks, 1);
    item->SetEnabled(false);
    item->Click();
    EXPECT_EQ(clicks, 1);
}

TEST(PopupMenu, BuildsThePlatformMenuFromTheItems) {
    gui::TComponent form(nullptr);
    TPopupMenu menu(&form);
    TMenuItem* open = AddItem(menu.Items(), &form, "Open");
    open->SetShortCut(gui::ShortCut('O', gui::scCtrl));
    open->SetDefault(true);
    AddItem(menu.Items(), &form, "-");
    TMenuItem* hidden = AddItem(menu.Items(), &form, "Hidden");
    hidden->SetVisible(false);
    TMenuItem* more = AddItem(menu.Items(), &form, "More");
    TMenuItem* checked = AddItem(more, &form, "Checked");
    checked->SetChecked(true);
    checked->SetEnabled(false);
    AddItem(menu.Items(), &form, "--");

    HMENU h = menu.BuildHandle();
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(GetMenuItemCount(h), 4);
    std::string text;
    MENUITEMINFOA info = ItemInfo(h, 0, &text);
    EXPECT_EQ(text, "Open\tCtrl+O");
    EXPECT_EQ(info.wID, open->Command());
    EXPECT_TRUE(info.fState & MFS_DEFAULT);
    EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemInfo(h, 1).fType & MFT_SEPARATOR);
    info = ItemInfo(h, 2, &text);
    EXPECT_EQ(text, "More");
    ASSERT_NE(info.hSubMenu, nullptr);
    const MENUITEMINFOA sub = ItemInfo(info.hSubMenu, 0);
    EXPECT_TRUE(sub.fState & MFS_CHECKED);
    EXPECT_TRUE(sub.fState & MFS_DISABLED);
    // Only "-" exactly is a separator.
    EXPECT_FALSE(ItemInfo(h, 3).fType & MFT_SEPARATOR);

    // Owner drawing reaches every item, separators and sub-items included; a rebuild replaces
    // the previous menu.
    menu.SetOwnerDraw(true);
    HMENU owner = menu.BuildHandle();
    EXPECT_FALSE(IsMenu(h));
    EXPECT_TRUE(ItemInfo(owner, 0).fType & MFT_OWNERDRAW);
    const MENUITEMINFOA line = ItemInfo(owner, 1);
    EXPECT_TRUE(line.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(line.fType & MFT_SEPARATOR);
    EXPECT_TRUE(ItemInfo(ItemInfo(owner, 2).hSubMenu, 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(ItemInfo(owner, 0).dwItemData, open->Command());
}

TEST(PopupMenu, OwnerWindowRoutesCommandsMeasuresAndDraws) {
    gui::TComponent form(nullptr);
    TPopupMenu menu(&form);
    menu.SetOwnerDraw(true);
    TMenuItem* a = AddItem(menu.Items(), &form, "Alpha");
    TMenuItem* sub = AddItem(AddItem(menu.Items(), &form, "Sub"), &form, "Beta");
    AddItem(menu.Items(), &form, "-");
    std::vector<std::string> log;
    a->OnClick = [&](gui::TObject* s) {
        log.push_back("click " + dynamic_cast<TMenuItem*>(s)->Caption());
    };
    sub->OnClick = [&](gui::TObject*) { log.push_back("click Beta"); };
    int passedWidth = -1;
    a->OnMeasureItem = [&](gui::TObject*, gui::TCanvas* canvas, int& w, int& h) {
        EXPECT_NE(canvas, nullptr);
        passedWidth = w;
        w = 123;
        h = 45;
    };
    HWND window = menu.Window();
    ASSERT_TRUE(IsWindow(window));

    SendMessageA(window, WM_COMMAND, sub->Command(), 0);
    SendMessageA(window, WM_COMMAND, a->Command(), 0);
    SendMessageA(window, WM_COMMAND, 0xFFFF, 0);  // no item: ignored
    EXPECT_EQ(log, (std::vector<std::string>{"click Beta", "click Alpha"}));

    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_MENU;
    m.itemData = a->Command();
    EXPECT_EQ(SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m)), TRUE);
    EXPECT_EQ(m.itemWidth, 123u);
    EXPECT_EQ(m.itemHeight, 45u);
    EXPECT_GT(passedWidth, 0);  // the handler starts from the default measure

    // Items without handlers get the default measure: a separator is short, an item as tall
    // as its text.
    m = MEASUREITEMSTRUCT{};
    m.CtlType = ODT_MENU;
    m.itemData = menu.Items()->Items(2)->Command();
    SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
    EXPECT_GT(m.itemHeight, 0u);
    EXPECT_LT(m.itemHeight, 12u);
    m = MEASUREITEMSTRUCT{};
    m.CtlType = ODT_MENU;
    m.itemData = sub->Command();
    SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
    EXPECT_GE(m.itemHeight, 12u);
    EXPECT_GT(m.itemWidth, 30u);

    // Drawing goes to the handler with the item's rectangle and selection.
    gui::TBitmap target(150, 30);
    RECT seen{};
    bool seenSelected = false;
    a->OnDrawItem = [&](gui::TObject*, gui::TCanvas* canvas, const RECT& r, bool selected) {
        seen = r;
        seenSelected = selected;
        canvas->Brush().SetColor(gui::clRed);
        canvas->FillRect(r);
    };
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemData = a->Command();
    d.itemState = ODS_SELECTED;
    d.hDC = target.Canvas().Handle();
    d.rcItem = RECT{2, 3, 40, 20};
    EXPECT_EQ(SendMessageA(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d)), TRUE);
    EXPECT_EQ(seen.left, 2);
    EXPECT_EQ(seen.bottom, 20);
    EXPECT_TRUE(seenSelected);
    EXPECT_EQ(target.Pixel(10, 10), gui::clRed);
    EXPECT_NE(target.Pixel(45, 10), gui::clRed);

    // The default drawing of a selected item fills it with the highlight colour.
    d.itemData = sub->Command();
    d.rcItem = RECT{0, 22, 150, 30};
    SendMessageA(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    EXPECT_EQ(target.Pixel(149, 29), gui::ColorToRGB(gui::clHighlight));
}

TEST(PopupMenu, MnemonicsOfOwnerDrawnItemsChooseTheirItem) {
    gui::TComponent form(nullptr);
    TPopupMenu menu(&form);
    menu.SetOwnerDraw(true);
    AddItem(menu.Items(), &form, "&Open");
    AddItem(menu.Items(), &form, "-");
    AddItem(menu.Items(), &form, "Save && E&xit");
    AddItem(menu.Items(), &form, "&Disabled")->SetEnabled(false);
    HMENU h = menu.BuildHandle();
    EXPECT_EQ(menu.MenuChar('x', h), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(menu.MenuChar('O', h), MAKELRESULT(0, MNC_EXECUTE));
    // "&&" is a plain ampersand, not a mnemonic; disabled items are not chosen.
    EXPECT_EQ(HIWORD(menu.MenuChar('e', h)), MNC_IGNORE);
    EXPECT_EQ(HIWORD(menu.MenuChar('d', h)), MNC_IGNORE);
    EXPECT_EQ(SendMessageA(menu.Window(), WM_MENUCHAR, 'x', reinterpret_cast<LPARAM>(h)),
              MAKELRESULT(2, MNC_EXECUTE));
}

TEST(ImageList, PicturesFromDescriptions) {
    gui::TComponent form(nullptr);
    gui::TImageList list(&form);
    EXPECT_TRUE(list.SetProperty("Width", gui::PropertyValue::Int(20)));
    EXPECT_TRUE(list.SetProperty("Height", gui::PropertyValue::Int(15)));
    EXPECT_TRUE(list.SetProperty("MaskColor", gui::PropertyValue::Ident("clFuchsia")));
    EXPECT_EQ(list.MaskColor(), gui::clFuchsia);
    // A 40 x 15 BMP file: two images.
    std::vector<uint8_t> bmp(54 + 40 * 15 * 4, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, 40);
    put32(22, 15);
    bmp[26] = 1;
    bmp[28] = 32;
    for (size_t p = 54; p + 3 < bmp.size(); p += 4) bmp[p + 2] = 0xFF;  // red, opaque
    gui::PropertyValue data;
    data.kind = gui::PropertyValue::Kind::Binary;
    data.data = bmp;
    EXPECT_TRUE(list.SetProperty("Bitmap", data));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.SetProperty("Bitmap", gui::PropertyValue::Str("x")), gui::Exception);
    // A picture resource that is not there names itself.
    EXPECT_THROW(list.SetProperty("Strip", gui::PropertyValue::Str("missing.png")), gui::Exception);
}

TEST(PopupMenu, HandlerFailuresAreReportedNotThrownThroughTheWindow) {
    gui::TComponent form(nullptr);
    TPopupMenu menu(&form);
    TMenuItem* a = AddItem(menu.Items(), &form, "Alpha");
    a->OnClick = [](gui::TObject*) { throw gui::Exception("boom"); };
    a->OnMeasureItem = [](gui::TObject*, gui::TCanvas*, int&, int&) {
        throw std::runtime_error("bad measure");
    };
    std::vector<std::string> reported;
    gui::SetExceptionReport([&](const std::exception& e) { reported.push_back(e.what()); });
    SendMessageA(menu.Window(), WM_COMMAND, a->Command(), 0);
    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_MENU;
    m.itemData = a->Command();
    EXPECT_EQ(SendMessageA(menu.Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m)), TRUE);
    gui::SetExceptionReport(nullptr);
    EXPECT_EQ(reported, (std::vector<std::string>{"boom", "bad measure"}));
}

TEST(PopupMenu, OnPopupRunsBeforeTheMenuIsBuilt) {
    // A subclass reaches the notification directly, as the popup operation would.
    struct Probe : TPopupMenu {
        using TPopupMenu::DoPopup;
        using TPopupMenu::TPopupMenu;
    };
    gui::TComponent form(nullptr);
    Probe menu(&form);
    int popups = 0;
    menu.OnPopup = [&](gui::TObject* s) {
        EXPECT_EQ(s, &menu);
        ++popups;
    };
    menu.DoPopup();
    EXPECT_EQ(popups, 1);
}

// Described strips are added when the list is first drawn from or counted, under the mask colour
// they were described with, and before any added by code.
TEST(ImageList, DescribedStripsComeInAtFirstUseWithTheirOwnMaskColour) {
    gui::TComponent form(nullptr);
    gui::TImageList list(&form);
    list.SetProperty("Width", gui::PropertyValue::Int(2));
    list.SetProperty("Height", gui::PropertyValue::Int(2));
    list.SetProperty("MaskColor", gui::PropertyValue::Ident("clRed"));
    // A red image, then a blue one.
    const uint32_t red = 0xFF0000, blue = 0x0000FF;
    std::string bmp = testing_support::SmallBmp(4, 2, {red, red, blue, blue, red, red, blue, blue});
    gui::PropertyValue data;
    data.kind = gui::PropertyValue::Kind::Binary;
    data.data.assign(bmp.begin(), bmp.end());
    ASSERT_TRUE(list.SetProperty("Bitmap", data));
    list.SetMaskColor(gui::clNone);

    gui::TBitmap target(8, 4);
    menutest::Clear(target, gui::clWhite);
    EXPECT_TRUE(list.Draw(target.Canvas(), 0, 0, 0));
    EXPECT_TRUE(list.Draw(target.Canvas(), 4, 0, 1));
    EXPECT_EQ(target.Pixel(1, 1), gui::clWhite) << "red was the mask colour when described";
    EXPECT_EQ(target.Pixel(5, 1), gui::clBlue);
    gui::TBitmap more(2, 2);
    EXPECT_EQ(list.AddStrip(more), 2);
}

TEST(ImageList, StripsMasksAndDrawing) {
    gui::TComponent form(nullptr);
    gui::TImageList list(&form);
    menutest::FillStrip(list, 3);
    EXPECT_EQ(list.Count(), 3);

    gui::TBitmap target(80, 20);
    menutest::Clear(target, gui::clWhite);
    EXPECT_TRUE(list.Draw(target.Canvas(), 2, 3, 1));
    EXPECT_EQ(target.Pixel(10, 10), menutest::ImageColor(1));
    EXPECT_EQ(target.Pixel(2 + 19, 3 + 14), menutest::ImageColor(1));
    EXPECT_EQ(target.Pixel(2, 3), gui::clWhite);    // the masked pixel lets the white through
    EXPECT_EQ(target.Pixel(22, 10), gui::clWhite);  // nothing beyond the image's width

    // Disabled images are faded, not left out.
    EXPECT_TRUE(list.Draw(target.Canvas(), 40, 3, 2, false));
    const gui::TColor faded = target.Pixel(50, 10);
    EXPECT_NE(faded, menutest::ImageColor(2));
    EXPECT_NE(faded, gui::clWhite);

    EXPECT_FALSE(list.Draw(target.Canvas(), 0, 0, 3));
    EXPECT_FALSE(list.Draw(target.Canvas(), 0, 0, -1));

    // A strip not a whole number of images wide drops the narrow rest.
    gui::TBitmap odd(2 * 20 + 7, 15);
    EXPECT_EQ(list.AddStrip(odd), 3);
    EXPECT_EQ(list.Count(), 5);
    gui::TBitmap narrow(7, 15);
    EXPECT_EQ(list.AddStrip(narrow), -1);

    // A new size drops the images, which no longer fit.
    list.SetWidth(16);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.SetHeight(0), gui::Exception);
}

}  // namespace
