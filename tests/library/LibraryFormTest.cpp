// One form described with every component-library control, driven by the messages the system
// and the user send; the tray, the media driver and the browse dialogs answer through their seams.
#include <windows.h>

#include <gtest/gtest.h>
// (the shell and common-control headers need the types of windows.h first)
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BrowseEdit.h"
#include "Dialogs.h"
#include "DirectoryEdit.h"
#include "FilenameEdit.h"
#include "Form.h"
#include "FormPlacement.h"
#include "GuiClasses.h"
#include "MediaPlayer.h"
#include "Menu.h"
#include "Resources.h"
#include "RxGIFAnimator.h"
#include "RxLabel.h"
#include "RxSpinEdit.h"
#include "RxTrayIcon.h"
#include "ShellListView.h"
#include "TestGif.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"

namespace {

using namespace gui;
using namespace testing_support;
namespace fs = std::filesystem;

const char kDescription[] = R"(object LibraryForm: TLibraryForm
  Left = 30
  Top = 40
  BorderStyle = bsSingle
  Caption = 'Library'
  ClientWidth = 420
  ClientHeight = 260
  object RxTrayIcon1: TRxTrayIcon
    Hint = 'zembly SMS'
    Icon = 'anim.gif'
    PopupMenu = PopupMenu1
    OnDblClick = RxTrayIcon1DblClick
  end
  object PopupMenu1: TPopupMenu
    OnPopup = PopupMenu1Popup
    object Open1: TMenuItem
      Caption = 'Open'
      OnClick = Open1Click
    end
  end
  object MediaPlayer1: TMediaPlayer
    Left = 0
    Top = 0
    Visible = False
  end
  object FormPlacement1: TFormPlacement
    IniFileName = '%INI%'
  end
  object RxGIF: TRxGIFAnimator
    Left = 380
    Top = 8
    Width = 16
    Height = 16
    Image = 'anim.gif'
    Color = clYellow
  end
  object FilenameEdit1: TFilenameEdit
    Left = 8
    Top = 8
    Width = 200
    Height = 21
    Filter = 'Any file (*.*)|*.*|Batch file (*.bat)|*.bat'
    DialogTitle = 'Sound'
    InitialDir = 'C:\'
    Text = '"old name.wav"'
    OnAfterDialog = FilenameEdit1AfterDialog
  end
  object DirectoryEdit1: TDirectoryEdit
    Left = 8
    Top = 36
    Width = 200
    Height = 21
    Text = 'C:\Program Files\'
    OnAfterDialog = DirectoryEdit1AfterDialog
  end
  object RxSpinEdit1: TRxSpinEdit
    Left = 8
    Top = 64
    Width = 100
    Height = 21
    Increment = 5.000000000000000000
    MaxValue = 999999999.000000000000000000
    Value = 200.000000000000000000
    MinValue = 1.000000000000000000
    OnChange = RxSpinEdit1Change
  end
  object RxLabel1: TRxLabel
    Left = 220
    Top = 8
    Caption = 'www.example.com'
    Cursor = crHandPoint
    Font.Color = 414598
    Font.Height = -16
    ShadowColor = clWhite
    ShadowSize = 1
    ShadowPos = spRightBottom
    OnClick = RxLabel1Click
    OnMouseMove = RxLabel1MouseMove
  end
  object dirlist1: TShellListView
    Left = 8
    Top = 96
    Width = 200
    Height = 150
    AutoContextMenus = False
    AutoNavigate = False
    ObjectTypes = [otFolders]
    Root = '%ROOT%'
    Sorted = True
    MultiSelect = True
    OnClick = dirlist1Click
  end
end
)";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

class LibraryForm : public TForm {
public:
    LibraryForm(const std::string& ini, const std::string& root) : TForm(nullptr, "TLibraryForm") {
        GUI_HANDLERS(RxTrayIcon1DblClick, PopupMenu1Popup, Open1Click, FilenameEdit1AfterDialog,
                     DirectoryEdit1AfterDialog, RxSpinEdit1Change, RxLabel1Click, RxLabel1MouseMove,
                     dirlist1Click);
        LoadFromDescription(Replace(Replace(kDescription, "%INI%", ini), "%ROOT%", root));
    }

    template <class T>
    T* Get(const char* name) {
        return &testing_support::Find<T>(*this, name);
    }

    void RxTrayIcon1DblClick(TObject*) { log.push_back("tray double-click"); }
    void PopupMenu1Popup(TObject*) { log.push_back("popup"); }
    void Open1Click(TObject*) { log.push_back("open"); }
    void FilenameEdit1AfterDialog(TObject*, std::string& name, bool& action) {
        auto* edit = Get<TFilenameEdit>("FilenameEdit1");
        log.push_back("after:" + edit->Text() + "|" + name + "|" + (action ? "1" : "0"));
        // As the settings dialog does: the quotes of the text before the dialog go.
        std::string text = edit->Text();
        text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
        edit->SetText(text);
        if (refuse) action = false;
    }
    void DirectoryEdit1AfterDialog(TObject*, std::string& name, bool& action) {
        log.push_back("folder:" + name + "|" + (action ? "1" : "0"));
    }
    void RxSpinEdit1Change(TObject*) { ++spinChanges; }
    void RxLabel1Click(TObject*) { log.push_back("link"); }
    void RxLabel1MouseMove(TObject*, TShiftState, int x, int y) {
        log.push_back("over " + std::to_string(x) + "," + std::to_string(y));
    }
    void dirlist1Click(TObject*) { log.push_back("folders"); }

    std::vector<std::string> log;
    int spinChanges = 0;
    bool refuse = false;
};

const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

// An 8 x 8 red screen; a 4 x 4 green patch at (4, 4) whose top-left pixel is transparent, cleared
// after it shows; a 2 x 2 blue patch at the origin.
std::string AnimationGif() {
    using library_test::GifFrameSpec;
    GifFrameSpec full{0, 0, 8, 8, std::vector<uint8_t>(64, 0), 5, 1, -1};
    GifFrameSpec patch{4, 4, 4, 4, std::vector<uint8_t>(16, 1), 5, 2, 3};
    patch.indices[0] = 3;
    GifFrameSpec corner{0, 0, 2, 2, std::vector<uint8_t>(4, 2), 10, 1, -1};
    return library_test::MakeAnimatedGif(8, 8, {kRed, kGreen, kBlue, kWhite},
                                         {full, patch, corner});
}

class LibraryFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static DialogRecorder boxes(mrOk);  // no box may ever wait for a person
        RegisterClasses();
        AddResource("anim.gif", AnimationGif());
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        scratch = fs::path(temp) / ("zembly-library-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(scratch);
        for (const char* folder : {"root\\Zeta", "root\\Alpha", "root\\beta", "root\\secret"})
            fs::create_directories(scratch / folder);
        SetFileAttributesA((scratch / "root\\secret").string().c_str(), FILE_ATTRIBUTE_HIDDEN);
        std::FILE* file = std::fopen((scratch / "root\\aaa.txt").string().c_str(), "w");
        if (file) std::fclose(file);
    }

    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(scratch, ignored);
    }

    void SetUp() override { form = NewForm(); }
    void TearDown() override { form.reset(); }

    static std::string Ini() { return (scratch / "placement.ini").string(); }
    static std::string Root() { return (scratch / "root").string(); }
    static std::unique_ptr<LibraryForm> NewForm() {
        auto made = std::make_unique<LibraryForm>(Ini(), Root());
        made->HandleNeeded();
        return made;
    }

    static fs::path scratch;
    std::unique_ptr<LibraryForm> form;
};

fs::path LibraryFormTest::scratch;

// ---------------------------------------------------------------------------------------------
// Tray icon

// Every call to the notification area, and what the last one carried.
class TrayRecorder {
public:
    TrayRecorder() {
        SetTrayNotifier([this](DWORD message, const NOTIFYICONDATAA& data) {
            messages.push_back(message);
            last = data;
            return true;
        });
    }
    ~TrayRecorder() { SetTrayNotifier(nullptr); }
    std::vector<DWORD> messages;
    NOTIFYICONDATAA last{};
};

TEST_F(LibraryFormTest, TrayIconIsAddedOnceAndTakenAwayWhenSwitchedOff) {
    TrayRecorder tray;
    auto* icon = form->Get<TRxTrayIcon>("RxTrayIcon1");
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    EXPECT_TRUE(tray.messages.empty()) << "an inactive icon stays out of the notification area";
    icon->SetActive(true);
    icon->SetActive(true);
    ASSERT_EQ(tray.messages, std::vector<DWORD>{NIM_ADD});
    EXPECT_EQ(tray.last.hWnd, icon->Window());
    EXPECT_EQ(tray.last.uCallbackMessage, TRxTrayIcon::kCallbackMessage);
    EXPECT_STREQ(tray.last.szTip, "zembly SMS");
    ICONINFO picture{};
    ASSERT_TRUE(GetIconInfo(tray.last.hIcon, &picture)) << "the described picture as an icon";
    BITMAP colour{};
    GetObjectA(picture.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 8);
    DeleteObject(picture.hbmColor);
    DeleteObject(picture.hbmMask);

    // A restarted taskbar has forgotten every icon; an icon switched off does not come back.
    SendMessageA(icon->Window(), taskbarCreated, 0, 0);
    icon->SetActive(false);
    icon->SetActive(false);
    SendMessageA(icon->Window(), taskbarCreated, 0, 0);
    EXPECT_EQ(tray.messages, (std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_DELETE}));
}

RECT menuRect;
int menuTicks;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND menu = OwnMenuWindow()) {
        GetWindowRect(menu, &menuRect);
        EndMenu();
    } else if (++menuTicks > 60) {
        EndMenu();  // the watchdog: never leave a test inside a menu loop
    }
}

TEST_F(LibraryFormTest, TrayMouseMessagesPopTheMenuAndRunTheDoubleClick) {
    TrayRecorder tray;
    HWND window = form->Get<TRxTrayIcon>("RxTrayIcon1")->Window();
    const UINT callback = TRxTrayIcon::kCallbackMessage;

    SendMessageA(window, callback, 1, WM_RBUTTONDOWN);
    EXPECT_TRUE(form->log.empty()) << "the menu comes when the button is released";

    POINT mouse{};
    GetCursorPos(&mouse);
    menuRect = RECT{};
    menuTicks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenu);
    SendMessageA(window, callback, 1, WM_RBUTTONUP);
    KillTimer(nullptr, timer);
    ASSERT_EQ(form->log, std::vector<std::string>{"popup"});
    // At the mouse (or ending there, where the screen's edge turns the menu round).
    EXPECT_TRUE(menuRect.left == mouse.x || menuRect.right == mouse.x) << menuRect.left;
    EXPECT_TRUE(menuRect.top == mouse.y || menuRect.bottom == mouse.y) << menuRect.top;

    SendMessageA(window, callback, 1, WM_LBUTTONDBLCLK);
    form->Get<TMenuItem>("Open1")->SetDefault(true);
    SendMessageA(window, callback, 1, WM_LBUTTONDBLCLK);  // the default item runs instead
    EXPECT_EQ(form->log, (std::vector<std::string>{"popup", "tray double-click", "open"}));
}

// ---------------------------------------------------------------------------------------------
// Media player

TEST_F(LibraryFormTest, MediaPlayerPlaysOnlyAnOpenedFile) {
    MediaRecorder media;
    media.AddFile("start.wav", 1200);
    media.AddFile("sent.wav", 300);
    auto* player = form->Get<TMediaPlayer>("MediaPlayer1");
    EXPECT_FALSE(player->IsOpen());
    EXPECT_THROW(player->Length(), Exception);
    EXPECT_THROW(player->Play(), Exception);

    player->SetFileName("start.wav");
    player->Open();
    EXPECT_EQ(player->Length(), 1200u);
    player->SetFileName("sent.wav");
    player->Open();  // closes start.wav first
    EXPECT_EQ(media.OpenCount(), 1);
    EXPECT_EQ(player->Length(), 300u);
    player->Play();
    player->Play();
    EXPECT_EQ(media.Played(), (std::vector<std::string>{"sent.wav", "sent.wav"}));

    player->SetFileName("missing.wav");
    EXPECT_THROW(player->Open(), Exception);
    EXPECT_FALSE(player->IsOpen()) << "a failed open leaves no file of before open";
    EXPECT_EQ(media.OpenCount(), 0);
    EXPECT_THROW(player->SetVisible(true), Exception) << "the button bar is a named gap";
}

// ---------------------------------------------------------------------------------------------
// Form placement

// Shows and hides the form and returns where it appeared.
POINT ShownAt(LibraryForm& form) {
    form.Show();
    POINT at{form.Left(), form.Top()};
    form.Hide();
    return at;
}

// Shows the form, moves it and hides it again, which stores the place.
void MoveShown(LibraryForm& form, int x, int y) {
    form.Show();
    form.SetBounds(x, y, form.Width(), form.Height());
    form.Hide();
}

TEST_F(LibraryFormTest, PlacementRoundTripThroughTheIniFile) {
    // The default: the program's name, no folder, so the profile API takes the Windows folder.
    EXPECT_EQ(TFormPlacement(nullptr).IniFileName(), "library_test.INI");
    fs::remove(Ini());
    EXPECT_EQ(ShownAt(*form).x, 30) << "nothing stored: the designed place";
    MoveShown(*form, 123, 77);
    EXPECT_EQ(GetPrivateProfileIntA("LibraryForm", "Left", -1, Ini().c_str()), 123);
    EXPECT_EQ(GetPrivateProfileIntA("LibraryForm", "Top", -1, Ini().c_str()), 77);

    // A hidden form has no window for its placement to watch until it is shown.
    auto second = std::make_unique<LibraryForm>(Ini(), Root());
    EXPECT_FALSE(second->HandleAllocated());
    POINT at = ShownAt(*second);
    EXPECT_EQ(at.x, 123);
    EXPECT_EQ(at.y, 77);

    // The end of a move stores the place without the form being hidden.
    second->Show();
    second->SetBounds(140, 90, second->Width(), second->Height());
    SendMessageA(second->Handle(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(GetPrivateProfileIntA("LibraryForm", "Left", -1, Ini().c_str()), 140);
    second->Hide();

    // Stored places that cannot be used (not a number; on no monitor) are passed over.
    for (const char* unusable : {"12x", "-30000"}) {
        WritePrivateProfileStringA("LibraryForm", "Left", unusable, Ini().c_str());
        EXPECT_EQ(ShownAt(*NewForm()).x, 30) << unusable;
    }
}

TEST_F(LibraryFormTest, PlacementRoundTripThroughTheRegistry) {
    const char* key = "Software\\ZemblyLibraryTest";
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
    auto use = [key](LibraryForm& f) {
        auto* placement = f.Get<TFormPlacement>("FormPlacement1");
        placement->SetUseRegistry(true);
        placement->SetIniFileName(key);
        placement->SetIniSection("EditStatus");
    };
    use(*form);
    MoveShown(*form, 150, 66);
    DWORD left = 0, size = sizeof left;
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\ZemblyLibraryTest\\EditStatus", "Left",
                           RRF_RT_REG_DWORD, nullptr, &left, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(left, 150u);

    auto second = NewForm();
    use(*second);
    POINT at = ShownAt(*second);
    EXPECT_EQ(at.x, 150);
    EXPECT_EQ(at.y, 66);
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
}

// ---------------------------------------------------------------------------------------------
// File-name and folder edits

void Browse(TBrowseEdit& edit) {
    SendMessageA(edit.ButtonHandle(), BM_CLICK, 0, 0);
}

TEST_F(LibraryFormTest, FileNameIsWrittenAfterTheEventAndQuotedWhenItHoldsASpace) {
    BrowseRecorder dialogs;
    auto* edit = form->Get<TFilenameEdit>("FilenameEdit1");
    dialogs.Choose("C:\\My Sounds\\sent.wav");
    Browse(*edit);
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    const BrowseRequest& asked = dialogs.Asked()[0];
    EXPECT_EQ(asked.kind, BrowseKind::OpenFile);
    EXPECT_EQ(asked.title, "Sound");
    EXPECT_EQ(asked.filter, "Any file (*.*)|*.*|Batch file (*.bat)|*.bat");
    EXPECT_EQ(asked.initialDir, "C:\\");
    EXPECT_EQ(asked.name, "old name.wav");
    // The handler saw the text of before the dialog, and its quote removal only touched that.
    EXPECT_EQ(form->log,
              std::vector<std::string>{"after:\"old name.wav\"|C:\\My Sounds\\sent.wav|1"});
    EXPECT_EQ(edit->Text(), "\"C:\\My Sounds\\sent.wav\"");

    dialogs.Choose("C:\\sounds\\fail.wav");
    Browse(*edit);
    EXPECT_EQ(edit->Text(), "C:\\sounds\\fail.wav");

    form->log.clear();
    dialogs.Cancel();
    Browse(*edit);
    EXPECT_EQ(form->log,
              std::vector<std::string>{"after:C:\\sounds\\fail.wav|C:\\sounds\\fail.wav|0"});
    EXPECT_EQ(edit->Text(), "C:\\sounds\\fail.wav");

    form->refuse = true;
    dialogs.Choose("C:\\other.wav");
    Browse(*edit);
    EXPECT_EQ(edit->Text(), "C:\\sounds\\fail.wav") << "action false writes nothing";
}

TEST_F(LibraryFormTest, FolderEditWritesTheChosenFolderUnquoted) {
    BrowseRecorder dialogs;
    auto* edit = form->Get<TDirectoryEdit>("DirectoryEdit1");
    dialogs.Choose("C:\\Program Files\\Acme");
    Browse(*edit);
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].kind, BrowseKind::Folder);
    EXPECT_EQ(dialogs.Asked()[0].name, "C:\\Program Files\\");
    EXPECT_EQ(form->log, std::vector<std::string>{"folder:C:\\Program Files\\Acme|1"});
    EXPECT_EQ(edit->Text(), "C:\\Program Files\\Acme");
}

// ---------------------------------------------------------------------------------------------
// Spin edit

void ClickAt(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

TEST_F(LibraryFormTest, SpinEditStepsByItsIncrementAndKeepsToItsRange) {
    auto* spin = form->Get<TRxSpinEdit>("RxSpinEdit1");
    EXPECT_EQ(spin->Value(), 200);
    PressKey(*spin, VK_UP);
    EXPECT_EQ(spin->Text(), "205");
    PressKey(*spin, VK_DOWN);
    PressKey(*spin, VK_DOWN);
    EXPECT_EQ(spin->Value(), 195);
    EXPECT_EQ(form->spinChanges, 3);

    RECT arrows;
    GetClientRect(spin->UpDownHandle(), &arrows);
    ClickAt(spin->UpDownHandle(), arrows.right / 2, 2);
    EXPECT_EQ(spin->Value(), 200) << "upper arrow";
    ClickAt(spin->UpDownHandle(), arrows.right / 2, arrows.bottom - 2);
    EXPECT_EQ(spin->Value(), 195) << "lower arrow";

    // Typed text may leave the range while it is typed; the value never does, and the text comes
    // back into the range when the focus leaves.
    spin->SelectAll();
    Type(*spin, "0x-");
    EXPECT_EQ(spin->Text(), "0");
    EXPECT_EQ(spin->Value(), 1);
    SendMessageA(spin->Handle(), WM_KILLFOCUS,
                 reinterpret_cast<WPARAM>(form->Get<TFilenameEdit>("FilenameEdit1")->Handle()), 0);
    EXPECT_EQ(spin->Text(), "1");
    PressKey(*spin, VK_DOWN);
    EXPECT_EQ(spin->Value(), 1) << "no step below the minimum";

    spin->SelectAll();
    Type(*spin, "99999999999999999999999");
    EXPECT_EQ(spin->Value(), 999999999);
    PressKey(*spin, VK_UP);
    EXPECT_EQ(spin->Text(), "999999999");
}

// ---------------------------------------------------------------------------------------------
// Shell folder list

std::vector<std::string> Captions(TListView* view) {
    std::vector<std::string> captions;
    for (int i = 0; i < view->Items().Count(); ++i) captions.push_back(view->Items()[i]->Caption());
    return captions;
}

TEST_F(LibraryFormTest, ShellListShowsTheVisibleFoldersOfItsRootSorted) {
    auto* list = form->Get<TShellListView>("dirlist1");
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"Alpha", "beta", "Zeta"}));
    EXPECT_EQ(list->FolderPath(1), Root() + "\\beta");
    LONG_PTR style = GetWindowLongPtrA(list->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_FALSE(style & LVS_SINGLESEL);
    EXPECT_FALSE(style & LVS_EDITLABELS);

    fs::create_directory(scratch / "root\\delta");
    list->Reload();
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"Alpha", "beta", "delta", "Zeta"}));
    fs::remove(scratch / "root\\delta");
    list->Reload();

    RECT item = list->ItemRect(2);
    Click(*list, item.left + 4, (item.top + item.bottom) / 2);
    EXPECT_EQ(form->log, std::vector<std::string>{"folders"});
    ASSERT_NE(list->Selected(), nullptr);
    EXPECT_EQ(list->Selected()->Caption(), "Zeta");

    TShellListView programs(nullptr);
    char expected[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, expected);
    EXPECT_EQ(programs.RootFolder(), expected);
}

// ---------------------------------------------------------------------------------------------
// Animated picture and link label

bool Near(TColor color, uint32_t rgb) {
    int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    return std::abs(r - int(rgb >> 16 & 0xFF)) < 8 && std::abs(g - int(rgb >> 8 & 0xFF)) < 8 &&
           std::abs(b - int(rgb & 0xFF)) < 8;
}

TEST_F(LibraryFormTest, GifFramesShowWithTheirOffsetsTransparencyAndDisposal) {
    auto* gif = form->Get<TRxGIFAnimator>("RxGIF");
    ASSERT_EQ(gif->FrameCount(), 3);
    EXPECT_EQ(gif->PictureWidth(), 8);
    EXPECT_EQ(gif->FrameDelay(0), 50);
    EXPECT_EQ(gif->FrameDelay(2), 100);
    TBitmap picture;
    auto at = [&](int x, int y) { return picture.Pixel(gif->Left() + x, gif->Top() + y); };

    gif->SetFrameIndex(1);
    testing_support::PrintClient(*form, picture);
    EXPECT_TRUE(Near(at(5, 5), kGreen));
    EXPECT_TRUE(Near(at(4, 4), kRed)) << "the patch's transparent pixel";
    EXPECT_TRUE(Near(at(1, 1), kRed));
    EXPECT_TRUE(Near(at(12, 12), 0xFFFF00)) << "the control's own colour beside the picture";

    gif->SetFrameIndex(2);
    testing_support::PrintClient(*form, picture);
    EXPECT_TRUE(Near(at(1, 1), kBlue));
    EXPECT_TRUE(Near(at(5, 5), 0xFFFF00)) << "the cleared patch";
    EXPECT_TRUE(Near(at(6, 1), kRed));
}

TEST_F(LibraryFormTest, GifAnimatesOnlyWhileOnScreen) {
    auto* gif = form->Get<TRxGIFAnimator>("RxGIF");
    gif->SetAnimate(true);
    testing_support::Pump(250);
    EXPECT_EQ(gif->FrameIndex(), 0) << "the form is hidden";
    form->Show();
    EXPECT_TRUE(testing_support::PumpUntil([&] { return gif->FrameIndex() == 2; }, 3000));
    gif->SetAnimate(false);
    int stopped = gif->FrameIndex();
    testing_support::Pump(250);
    EXPECT_EQ(gif->FrameIndex(), stopped);
    TBitmap picture;
    CaptureWindow(form->Handle(), picture);
    testing_support::SavePicture(picture, "library_form");
    form->Hide();
}

TEST_F(LibraryFormTest, LinkLabelTakesItsShadowAndAnswersTheMouse) {
    auto* link = form->Get<TRxLabel>("RxLabel1");
    EXPECT_EQ(link->Cursor(), crHandPoint);
    Click(*link, 3, 4);  // the mouse comes over the label first
    ASSERT_GE(form->log.size(), 2u);
    EXPECT_EQ(form->log.front(), "over 3,4");
    EXPECT_EQ(form->log.back(), "link");

    TBitmap picture;
    testing_support::PrintClient(*form, picture);
    int text = 0, shadow = 0;
    for (int y = link->Top(); y < link->Top() + link->Height(); ++y)
        for (int x = link->Left(); x < link->Left() + link->Width(); ++x) {
            text += Near(picture.Pixel(x, y), 0x865306);  // 414598 is blue 06, green 53, red 86
            shadow += Near(picture.Pixel(x, y), kWhite);
        }
    EXPECT_GT(text, 10);
    EXPECT_GT(shadow, 10);
}

}  // namespace
