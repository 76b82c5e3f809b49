// The office menu opened for real: a timer inside the platform's menu loop looks at the menu
// window, takes pictures of it, presses keys and closes it, so no test waits for a person.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

#include "MenuTestSupport.h"
#include "MessagePump.h"
#include "OfficeMenuLayout.h"
#include "OfficePopupMenu.h"
#include "WindowTestSupport.h"

namespace {

using gui::TColor;
using gui::TMenuItem;
using testing_support::OwnMenuWindow;

// Steps run one per timer tick once the menu window shows; a watchdog closes the menu when the
// steps do not (or the window never shows).
class MenuDriver {
public:
    using Step = std::function<void(HWND menuWindow)>;

    static void Run(gui::TPopupMenu& menu, int x, int y, std::vector<Step> steps) {
        Run([&] { menu.Popup(x, y); }, std::move(steps));
    }

    static void Run(const std::function<void()>& open, std::vector<Step> steps) {
        MenuDriver driver;
        driver.steps_ = std::move(steps);
        current_ = &driver;
        const UINT_PTR timer = SetTimer(nullptr, 0, 60, &MenuDriver::Tick);
        open();
        KillTimer(nullptr, timer);
        current_ = nullptr;
        EXPECT_FALSE(driver.timedOut_) << "the menu had to be closed by the watchdog";
        EXPECT_GE(driver.next_, driver.steps_.size()) << "not every step ran";
    }

    // Posts a key to the thread's queue, where the menu loop reads it.
    static void Key(HWND window, WPARAM key) {
        PostMessageA(window, WM_KEYDOWN, key, 1);
        PostMessageA(window, WM_KEYUP, key, 0xC0000001);
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuDriver* d = current_;
        if (!d) return;
        if (++d->ticks_ > 80) {  // about five seconds
            d->timedOut_ = true;
            EndMenu();
            return;
        }
        HWND window = OwnMenuWindow();
        if (!window || d->next_ >= d->steps_.size()) return;
        d->steps_[d->next_++](window);
    }

    static MenuDriver* current_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    int ticks_ = 0;
    bool timedOut_ = false;
};
MenuDriver* MenuDriver::current_ = nullptr;

// The foreground window when the menu loop starts, seen by a spy on the owner window.
class ForegroundSpy {
public:
    explicit ForegroundSpy(HWND owner) : owner_(owner) {
        current_ = this;
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~ForegroundSpy() {
        SetWindowLongPtrA(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        current_ = nullptr;
    }
    HWND Seen() const { return seen_; }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
        // Sent as the menu loop starts, right after the popup made its owner the foreground.
        if (message == WM_ENTERMENULOOP && current_) current_->seen_ = GetForegroundWindow();
        return CallWindowProcA(current_->original_, w, message, wParam, lParam);
    }

    static ForegroundSpy* current_;
    HWND owner_;
    WNDPROC original_ = nullptr;
    HWND seen_ = nullptr;
};
ForegroundSpy* ForegroundSpy::current_ = nullptr;

// What is on the screen inside the rectangle.
void CaptureScreen(const RECT& r, gui::TBitmap& into) {
    into.SetSize(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(into.Canvas().Handle(), 0, 0, into.Width(), into.Height(), screen, r.left, r.top,
           SRCCOPY);
    ReleaseDC(nullptr, screen);
}

// The union of this thread's visible menu windows (a menu and its open submenu).
RECT MenuWindowsRect() {
    RECT all{0, 0, 0, 0};
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, "#32768", nullptr)) != nullptr) {
        if (!IsWindowVisible(w) || GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId())
            continue;
        RECT r;
        GetWindowRect(w, &r);
        UnionRect(&all, &all, &r);
    }
    return all;
}

int CountAny(const gui::TBitmap& b, const std::set<TColor>& colors) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (colors.count(b.Pixel(x, y))) ++n;
    return n;
}

std::set<TColor> GradientColors(TColor start, TColor end) {
    std::set<TColor> colors;
    for (int i = 0; i < 256; ++i) colors.insert(officemenu::StripeColor(start, end, i, 256));
    return colors;
}

const char* StyleName(TMenuStyle s) {
    static const char* names[] = {"Default", "Luna", "Obsidian", "Silver", "Vista"};
    return names[s];
}

// The tray menu's items, with a hint, a titled separator, a disabled item and a submenu.
class TrayMenu : public ::testing::TestWithParam<TMenuStyle> {
protected:
    void SetUp() override {
        images_ = new gui::TImageList(&form_);
        menutest::FillStrip(*images_, 7);
        menu_ = new TOfficePopupMenu(&form_);
        menu_->SetImages(images_);
        menu_->SetOwnerDraw(true);
        menu_->SetOfficeDesign(true);
        menu_->SetStyle(GetParam());
        open_ = Add(menu_->Items(), "Open zemblySMS...", 3);
        Add(menu_->Items(), "-");
        Add(menu_->Items(), "Paypal...", 6)->SetHint("Buy message credits");
        Add(menu_->Items(), "Settings...", 2);
        Add(menu_->Items(), "-")->SetHint("Account");
        more_ = Add(menu_->Items(), "More");
        Add(more_, "Sign Up", 0);
        Add(more_, "Download", 5)->SetEnabled(false);
        Add(menu_->Items(), "Log Off...", 4)->SetEnabled(false);
        exit_ = Add(menu_->Items(), "Exit", 1);
        for (int i = 0; i < menu_->Items()->Count(); ++i)
            menu_->Items()->Items(i)->OnClick = [this](gui::TObject* s) {
                clicked_.push_back(dynamic_cast<TMenuItem*>(s)->Caption());
            };
    }

    TMenuItem* Add(TMenuItem* parent, const std::string& caption, int image = -1) {
        auto* item = new TMenuItem(&form_);
        item->SetCaption(caption);
        item->SetImageIndex(image);
        parent->Add(item);
        return item;
    }

    const TMenuAppearance& A() const { return *menu_->Appearance(); }

    gui::TComponent form_{nullptr};
    gui::TImageList* images_ = nullptr;
    TOfficePopupMenu* menu_ = nullptr;
    TMenuItem* open_ = nullptr;
    TMenuItem* more_ = nullptr;
    TMenuItem* exit_ = nullptr;
    std::vector<std::string> clicked_;
};

TEST_P(TrayMenu, OpensDrawsSelectsAndRunsTheChosenItem) {
    const std::string name = StyleName(GetParam());
    gui::TBitmap closed, selected;
    RECT where{};
    const POINT at{120, 90};
    ForegroundSpy spy(menu_->Window());
    MenuDriver::Run(*menu_, at.x, at.y,
                    {[&](HWND w) {
                         GetWindowRect(w, &where);
                         CaptureScreen(where, closed);
                         MenuDriver::Key(menu_->Window(), VK_DOWN);  // selects the first item
                     },
                     [&](HWND w) {
                         GetWindowRect(w, &where);
                         CaptureScreen(where, selected);
                         MenuDriver::Key(menu_->Window(), VK_RETURN);
                     }});
    testing_support::SavePicture(closed, "tray-menu-" + name);
    testing_support::SavePicture(selected, "tray-menu-" + name + "-selected");

    // The owner window was brought to the front before the menu was tracked.
    EXPECT_EQ(spy.Seen(), menu_->Window());
    EXPECT_FALSE(menu_->Tracking());
    EXPECT_NEAR(where.left, at.x, 2);
    EXPECT_NEAR(where.top, at.y, 2);

    // The office look on screen: gutter, item background, the images, separator lines.
    const TMenuAppearance& a = A();
    ASSERT_FALSE(closed.Empty());
    EXPECT_GT(menutest::CountColor(closed, a.GutterColor(), 0, 0, closed.Width(), closed.Height()),
              100);
    EXPECT_GT(menutest::CountColor(closed, a.ItemBackgroundColor(), 0, 0, closed.Width(),
                                   closed.Height()),
              100);
    EXPECT_GT(
        menutest::CountColor(closed, a.SeparatorLineColor(), 0, 0, closed.Width(), closed.Height()),
        20);
    for (int image : {3, 6, 2, 1, 4})
        EXPECT_GT(menutest::CountColor(closed, menutest::ImageColor(image), 0, 0, closed.Width(),
                                       closed.Height()),
                  100)
            << "image " << image;
    EXPECT_EQ(CountAny(closed, GradientColors(a.Gradient1Start(), a.Gradient1End())) > 200, false);
    // The first item selected: gradient 1 appears.
    EXPECT_GT(CountAny(selected, GradientColors(a.Gradient1Start(), a.Gradient1End())), 200);

    // The command arrives through the owner window's queue once the menu has closed.
    gui::ProcessMessages();
    EXPECT_EQ(clicked_, std::vector<std::string>{"Open zemblySMS..."});
}

INSTANTIATE_TEST_SUITE_P(Styles, TrayMenu,
                         ::testing::Values(msDefault, msOffice2007Luna, msOffice2007Obsidian,
                                           msOffice2007Silver, msVista),
                         [](const ::testing::TestParamInfo<TMenuStyle>& info) {
                             return std::string(StyleName(info.param));
                         });

class TrayMenuSilver : public TrayMenu {};

TEST_P(TrayMenuSilver, SubmenuOpensWithDefaultDrawnItemsAndEscapeChoosesNothing) {
    gui::TBitmap both;
    int menus = 0;
    auto down = [&](HWND) { MenuDriver::Key(menu_->Window(), VK_DOWN); };
    // Open, Paypal, Settings, More: the separators are skipped.
    MenuDriver::Run(
        *menu_, 100, 100,
        {down, down, down, down, [&](HWND) { MenuDriver::Key(menu_->Window(), VK_RIGHT); },
         [&](HWND) {
             HWND w = nullptr;
             while ((w = FindWindowExA(nullptr, w, "#32768", nullptr)) != nullptr)
                 if (IsWindowVisible(w) &&
                     GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId())
                     ++menus;
             CaptureScreen(MenuWindowsRect(), both);
             MenuDriver::Key(menu_->Window(), VK_ESCAPE);
         },
         [&](HWND) { MenuDriver::Key(menu_->Window(), VK_ESCAPE); }});
    testing_support::SavePicture(both, "tray-menu-submenu");
    EXPECT_EQ(menus, 2);
    // The submenu's image shows in its default drawing.
    EXPECT_GT(
        menutest::CountColor(both, menutest::ImageColor(0), 0, 0, both.Width(), both.Height()),
        100);
    gui::ProcessMessages();
    EXPECT_TRUE(clicked_.empty());
}

TEST_P(TrayMenuSilver, PopsUpAtTheCursorAndASecondPopupWhileOpenIsIgnored) {
    SetCursorPos(300, 200);
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT where{};
    int popups = 0;
    MenuDriver::Run([&] { menu_->PopupAtCursor(); }, {[&](HWND w) {
                        GetWindowRect(w, &where);
                        // Already open: returns at once instead of tracking a second menu.
                        menu_->Popup(10, 10);
                        ++popups;
                        MenuDriver::Key(menu_->Window(), VK_ESCAPE);
                    }});
    EXPECT_EQ(popups, 1);
    EXPECT_NEAR(where.left, cursor.x, 2);
    EXPECT_NEAR(where.top, cursor.y, 2);
    gui::ProcessMessages();
    EXPECT_TRUE(clicked_.empty());
}

INSTANTIATE_TEST_SUITE_P(Silver, TrayMenuSilver, ::testing::Values(msOffice2007Silver),
                         [](const ::testing::TestParamInfo<TMenuStyle>&) {
                             return std::string("Silver");
                         });

}  // namespace
