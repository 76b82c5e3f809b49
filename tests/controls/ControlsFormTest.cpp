// One form described with every standard control, driven with the messages the system sends
// when the user types and clicks.
#include <windows.h>

#include <gtest/gtest.h>
// (the common controls need the types of windows.h first)
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "Application.h"
#include "Buttons.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Form.h"
#include "GuiClasses.h"
#include "ImageList.h"
#include "ListControls.h"
#include "ListView.h"
#include "Pages.h"
#include "Resources.h"
#include "StdCtrls.h"
#include "TestPictures.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"

namespace {

using namespace gui;
using controls_test::Pixels;
using namespace testing_support;

const char kDescription[] = R"(object ControlsForm: TControlsForm
  Left = 20
  Top = 20
  BorderStyle = bsSingle
  Caption = 'Controls'
  ClientWidth = 640
  ClientHeight = 400
  Color = clBtnFace
  object Label1: TLabel
    Left = 8
    Top = 8
    Caption = 'Name:'
    Color = clYellow
  end
  object Label2: TLabel
    Left = 200
    Top = 8
    Width = 100
    Alignment = taRightJustify
    Caption = '###'
  end
  object Label3: TLabel
    Left = 0
    Top = 0
    Caption = 'curDir'
    Visible = False
  end
  object Label5: TLabel
    Left = 300
    Top = 30
    Width = 110
    WordWrap = True
    Caption = 'A caption long enough to need three or more lines here'
  end
  object Edit1: TEdit
    Left = 8
    Top = 30
    Width = 150
    Height = 21
    MaxLength = 30
    OnChange = Edit1Change
  end
  object MaskEdit1: TMaskEdit
    Left = 170
    Top = 30
    Width = 120
    Height = 21
    MaxLength = 18
    PasswordChar = '*'
  end
  object Memo1: TMemo
    Left = 8
    Top = 60
    Width = 280
    Height = 80
    Lines.Strings = (
      'first line')
    ScrollBars = ssVertical
    OnKeyPress = Memo1KeyPress
    OnKeyUp = Memo1KeyUp
  end
  object Button1: TButton
    Left = 300
    Top = 100
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    OnClick = Button1Click
  end
  object BitBtn1: TBitBtn
    Left = 300
    Top = 130
    Width = 100
    Height = 30
    Caption = 'Add'
    Glyph = 'glyph.bmp'
    Hint = 'Reset File Association'
    ShowHint = True
    OnClick = BitBtn1Click
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 150
    Width = 150
    Height = 17
    Caption = 'Logon Automatically'
    Checked = True
    OnClick = CheckBox1Click
  end
  object RadioButton1: TRadioButton
    Left = 170
    Top = 150
    Width = 120
    Height = 17
    Caption = 'Service'
    Checked = True
    OnClick = RadioClick
    OnEnter = RadioEnter
  end
  object RadioButton2: TRadioButton
    Left = 170
    Top = 170
    Width = 120
    Height = 17
    Caption = 'Gateway'
    OnClick = RadioClick
    OnEnter = RadioEnter
  end
  object ComboBox1: TComboBox
    Left = 8
    Top = 195
    Width = 150
    Text = 'https://'
    Items.Strings = (
      'https://'
      'http://')
    OnKeyUp = ComboKeyUp
  end
  object ComboBox2: TComboBox
    Left = 170
    Top = 195
    Width = 100
    Style = csDropDownList
    Items.Strings = (
      'a'
      'b'
      'c')
    ItemIndex = 1
  end
  object ListBox1: TListBox
    Left = 0
    Top = 0
    Visible = False
  end
  object ListBox2: TListBox
    Left = 8
    Top = 225
    Width = 120
    Height = 60
    Sorted = True
    Items.Strings = (
      'pear'
      'apple'
      'Banana')
    OnClick = ListBox2Click
  end
  object ListView1: TListView
    Left = 140
    Top = 225
    Width = 200
    Height = 110
    ViewStyle = vsList
    RowSelect = True
    MultiSelect = True
    SmallImages = ImageList1
    Font.Height = -19
    Font.Style = [fsBold]
    OnClick = ListView1Click
    OnDblClick = ListView1DblClick
    OnSelectItem = ListView1SelectItem
  end
  object Panel1: TPanel
    Left = 420
    Top = 8
    Width = 210
    Height = 100
    BevelInner = bvLowered
    Color = clTeal
    object Label4: TLabel
      Left = 8
      Top = 8
      Caption = 'On panel'
      Transparent = True
    end
    object Button2: TButton
      Left = 8
      Top = 60
      Width = 75
      Height = 25
      Caption = 'Inside'
    end
    object Image2: TImage
      Left = 120
      Top = 20
      Width = 64
      Height = 48
      Picture = 'quarters.bmp'
      Stretch = True
      OnClick = ImageClick
      OnMouseDown = ImageMouseDown
      OnMouseMove = ImageMouseMove
      OnMouseUp = ImageMouseUp
    end
  end
  object Image1: TImage
    Left = 420
    Top = 120
    Width = 64
    Height = 48
    Picture = 'quarters.png'
    Stretch = True
  end
  object Notebook1: TNotebook
    Left = 350
    Top = 225
    Width = 140
    Height = 110
    PageIndex = 0
    OnPageChanged = Notebook1PageChanged
    object TPage
      Left = 0
      Top = 0
      Caption = 'Welcome'
      object CheckBox2: TCheckBox
        Left = 8
        Top = 8
        Width = 100
        Height = 17
        Caption = 'Required'
      end
    end
    object TPage
      Left = 0
      Top = 0
      Caption = 'License'
      object Memo2: TMemo
        Left = 0
        Top = 0
        Width = 140
        Height = 110
        ReadOnly = True
      end
    end
  end
  object TabbedNotebook1: TTabbedNotebook
    Left = 500
    Top = 225
    Width = 130
    Height = 110
    object TTabPage
      Caption = 'General'
      object Edit4: TEdit
        Left = 4
        Top = 4
        Width = 100
      end
    end
    object TTabPage
      Caption = 'Sounds'
      object Edit5: TEdit
        Left = 4
        Top = 4
        Width = 100
      end
    end
  end
  object ProgressBar1: TProgressBar
    Left = 8
    Top = 350
    Width = 300
    Height = 16
    Max = 10
    Position = 3
    Step = 4
  end
  object ImageList1: TImageList
    Width = 35
    Height = 30
  end
end
)";

// Visible as far as the window and its parents on the form go, whether or not the form itself
// is on screen.
bool Shown(HWND window) {
    for (HWND w = window; w; w = GetParent(w)) {
        LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
        if (!(style & WS_CHILD)) return true;
        if (!(style & WS_VISIBLE)) return false;
    }
    return true;
}

const uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00,
               kMagenta = 0xFFFF00FF;

// The template of every form unit: control fields and handler methods declared once, bound by
// name in the constructor before the description is read.
class ControlsForm : public TForm {
public:
    ControlsForm() : TForm(nullptr, "TControlsForm") {
        GUI_CONTROLS(BitBtn1, Button1, Button2, CheckBox1, CheckBox2, ComboBox1, ComboBox2, Edit1,
                     Edit4, Edit5, Image1, Image2, ImageList1, Label1, Label2, Label3, Label4,
                     Label5, ListBox1, ListBox2, ListView1, MaskEdit1, Memo1, Memo2, Notebook1,
                     Panel1, ProgressBar1, RadioButton1, RadioButton2, TabbedNotebook1);
        GUI_HANDLERS(Edit1Change, Memo1KeyPress, Memo1KeyUp, ComboKeyUp, Button1Click, BitBtn1Click,
                     CheckBox1Click, RadioClick, RadioEnter, ListBox2Click, ListView1Click,
                     ListView1DblClick, ListView1SelectItem, Notebook1PageChanged, ImageClick,
                     ImageMouseDown, ImageMouseMove, ImageMouseUp);
        LoadFromDescription(kDescription);
    }

    TBitBtn* BitBtn1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TCheckBox* CheckBox2 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TComboBox* ComboBox2 = nullptr;
    TEdit* Edit1 = nullptr;
    TEdit* Edit4 = nullptr;
    TEdit* Edit5 = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TImageList* ImageList1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TListBox* ListBox1 = nullptr;
    TListBox* ListBox2 = nullptr;
    TListView* ListView1 = nullptr;
    TMaskEdit* MaskEdit1 = nullptr;
    TMemo* Memo1 = nullptr;
    TMemo* Memo2 = nullptr;
    TNotebook* Notebook1 = nullptr;
    TPanel* Panel1 = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TRadioButton* RadioButton1 = nullptr;
    TRadioButton* RadioButton2 = nullptr;
    TTabbedNotebook* TabbedNotebook1 = nullptr;

    void Edit1Change(TObject*) { ++edit1Changes; }
    void Memo1KeyPress(TObject*, char& key) {
        pressSaw.push_back(Memo1->Text());
        // As the composer's counter does: the limit is set before the key takes effect.
        if (memoLimit > 0) Memo1->SetMaxLength(memoLimit);
        if (key == 'x') key = 0;
        if (key == 'a') key = 'b';
    }
    void Memo1KeyUp(TObject*, WORD&, TShiftState) { upSaw.push_back(Memo1->Text()); }
    void ComboKeyUp(TObject*, WORD& key, TShiftState) {
        comboKeyUps.push_back(ComboBox1->Text() + "/" + std::to_string(key));
    }
    void Button1Click(TObject*) { log.push_back("Button1"); }
    void BitBtn1Click(TObject*) { log.push_back("BitBtn1"); }
    void CheckBox1Click(TObject*) {
        log.push_back(std::string("CheckBox1:") + (CheckBox1->Checked() ? "1" : "0"));
    }
    void RadioClick(TObject* sender) { log.push_back("click:" + sender->Name()); }
    void RadioEnter(TObject* sender) { log.push_back("enter:" + sender->Name()); }
    void ListBox2Click(TObject*) {
        log.push_back("ListBox2:" + std::to_string(ListBox2->ItemIndex()));
    }
    void ListView1Click(TObject*) {
        // The composer's To: text: every selected caption without its first and last character,
        // joined by a semicolon and two spaces.
        std::string to;
        for (int i = 0; i < ListView1->Items().Count(); ++i) {
            TListItem* item = ListView1->Items()[i];
            if (!item->Selected()) continue;
            const std::string& c = item->Caption();
            to += c.substr(1, c.size() - 2) + ";  ";
        }
        toText = to.size() >= 3 ? to.substr(0, to.size() - 3) : std::string();
        ++listClicks;
    }
    void ListView1DblClick(TObject*) { ++listDoubleClicks; }
    void ListView1SelectItem(TObject*, TListItem* item, bool selected) {
        log.push_back("select:" + item->Caption() + (selected ? "+" : "-"));
    }
    void Notebook1PageChanged(TObject*) {
        // Runs before the code that changed the page goes on: the page shows already.
        bool welcome = Shown(CheckBox2->Handle());
        bool license = Shown(Memo2->Handle());
        log.push_back("page:" + std::to_string(Notebook1->PageIndex()) +
                      (welcome ? " welcome" : "") + (license ? " license" : ""));
    }
    void ImageClick(TObject*) { log.push_back("image click"); }
    void ImageMouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    }
    void ImageMouseMove(TObject*, TShiftState, int x, int y) {
        log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    }
    void ImageMouseUp(TObject*, TMouseButton, TShiftState, int x, int y) {
        log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    }

    std::vector<std::string> log;
    std::vector<std::string> pressSaw, upSaw, comboKeyUps;
    std::string toText = "|";
    int listClicks = 0;
    int listDoubleClicks = 0;
    int edit1Changes = 0;
    int memoLimit = 0;
};

class ControlsFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static DialogRecorder boxes(mrOk);  // no box may ever wait for a person
        RegisterClasses();
        ClassRegistry::Register("TImageList",
                                [](TComponent* owner) { return new TImageList(owner); });
        Pixels glyph(16, 16, kMagenta);
        for (int y = 4; y < 12; ++y)
            for (int x = 4; x < 12; ++x) glyph.at(x, y) = kRed;
        AddResource("glyph.bmp", controls_test::MakeBmp(glyph));
        Pixels quarters = Pixels::Quarters(16, 16, kRed, kGreen, kBlue, kYellow);
        AddResource("quarters.bmp", controls_test::MakeBmp(quarters));
        AddResource("quarters.png", controls_test::MakePng(quarters));
    }

    // Most tests drive the form's windows without showing it: putting a window on the screen
    // and taking it off again costs seconds under the test display.
    void SetUp() override {
        form = std::make_unique<ControlsForm>();
        form->HandleNeeded();
    }

    void ShowForm() {
        form->Show();
        testing_support::Pump(50);
    }

    void TearDown() override { form.reset(); }

    std::unique_ptr<ControlsForm> form;
};

TEST_F(ControlsFormTest, KeyPressSeesTheTextBeforeTheKeyAndKeyUpAfterIt) {
    auto* memo = form->Memo1;
    memo->SetSelStart(static_cast<int>(memo->Text().size()));
    Type(*memo, "!");
    KeyUp(*memo, '1');
    ASSERT_EQ(form->pressSaw.size(), 1u);
    EXPECT_EQ(form->pressSaw[0], "first line");
    ASSERT_EQ(form->upSaw.size(), 1u);
    EXPECT_EQ(form->upSaw[0], "first line!");

    // A handler may change the key or swallow it.
    Type(*memo, "axa");
    EXPECT_EQ(memo->Text(), "first line!bb");
    EXPECT_EQ(form->pressSaw.back(), "first line!b");

    // A limit set while the key is reported already applies to that key.
    form->memoLimit = static_cast<int>(memo->Text().size());
    Type(*memo, "z");
    EXPECT_EQ(memo->Text(), "first line!bb");
    EXPECT_EQ(memo->MaxLength(), form->memoLimit);
}

TEST_F(ControlsFormTest, MemoLinesAndTextAreOneText) {
    auto* memo = form->Memo1;
    EXPECT_EQ(memo->Lines().Count(), 1);
    memo->SetSelStart(static_cast<int>(memo->Text().size()));
    Type(*memo, "\rsecond");  // Enter makes a new line in the window
    ASSERT_EQ(memo->Lines().Count(), 2);
    EXPECT_EQ(memo->Lines()[1], "second");
    memo->Lines().Add("third");
    EXPECT_EQ(memo->Text(), "first line\r\nsecond\r\nthird");
    memo->Lines().Delete(0);
    EXPECT_EQ(memo->Text(), "second\r\nthird");
    memo->Lines().Clear();
    EXPECT_EQ(memo->Text(), "");
    EXPECT_EQ(GetWindowTextLengthA(memo->Handle()), 0);
    EXPECT_TRUE(GetWindowLongPtrA(memo->Handle(), GWL_STYLE) & WS_VSCROLL);

    // A memo without a window keeps its lines all the same.
    TMemo loose(nullptr);
    loose.Lines().Add("one");
    loose.Lines().Add("two");
    EXPECT_FALSE(loose.HandleAllocated());
    EXPECT_EQ(loose.Text(), "one\r\ntwo");
}

TEST_F(ControlsFormTest, EditsKeepToTheirLengthAndHideAPassword) {
    auto* edit = form->Edit1;
    Type(*edit, std::string(35, 'u'));
    EXPECT_EQ(edit->Text(), std::string(30, 'u'));
    EXPECT_EQ(form->edit1Changes, 30);
    edit->SetText("set by code");
    EXPECT_EQ(form->edit1Changes, 31);

    auto* password = form->MaskEdit1;
    Type(*password, "secret-password-12345");
    EXPECT_EQ(password->Text(), "secret-password-12");
    EXPECT_EQ(SendMessageA(password->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
    password->SetPasswordChar(0);
    EXPECT_EQ(SendMessageA(password->Handle(), EM_GETPASSWORDCHAR, 0, 0), 0);
    EXPECT_EQ(password->Text(), "secret-password-12");
}

TEST_F(ControlsFormTest, ButtonsCheckBoxesAndRadioButtonsClick) {
    ShowForm();  // focus moves only on a shown form
    Click(*form->Button1);
    Click(*form->BitBtn1);
    EXPECT_EQ(form->log, (std::vector<std::string>{"Button1", "BitBtn1"}));
    EXPECT_TRUE(form->Button1->Default());
    form->log.clear();

    // Loading the checked box ran no handler; clicks and code both toggle and report.
    auto* check = form->CheckBox1;
    EXPECT_TRUE(check->Checked());
    Click(*check);
    EXPECT_FALSE(check->Checked());
    EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    check->SetChecked(true);
    EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(form->log, (std::vector<std::string>{"CheckBox1:0", "CheckBox1:1"}));
    form->log.clear();

    auto* service = form->RadioButton1;
    auto* gateway = form->RadioButton2;
    Click(*gateway);
    EXPECT_TRUE(gateway->Checked());
    EXPECT_FALSE(service->Checked());
    EXPECT_EQ(SendMessageA(service->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Click(*gateway);  // checked already: no second click event
    EXPECT_EQ(form->log, (std::vector<std::string>{"enter:RadioButton2", "click:RadioButton2"}));
    form->log.clear();

    // Checking from code runs the handler too; clearing does not.
    service->SetChecked(true);
    EXPECT_FALSE(gateway->Checked());
    gateway->SetChecked(false);
    EXPECT_EQ(form->log, (std::vector<std::string>{"click:RadioButton1"}));
    form->log.clear();
    service->SetFocus();
    EXPECT_EQ(form->log, (std::vector<std::string>{"enter:RadioButton1"}));
}

TEST_F(ControlsFormTest, BitmapButtonDrawsItsGlyphWithoutItsBackgroundAndShowsItsHint) {
    auto* button = form->BitBtn1;
    TBitmap picture(button->Width(), button->Height());
    SendMessageA(button->Handle(), WM_PRINTCLIENT,
                 reinterpret_cast<WPARAM>(picture.Canvas().Handle()), PRF_CLIENT);
    int red = 0, magenta = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.Pixel(x, y) == clRed) ++red;
            if (picture.Pixel(x, y) == clFuchsia) ++magenta;
        }
    EXPECT_EQ(red, 64);  // the glyph's 8 x 8 square
    EXPECT_EQ(magenta, 0);
    testing_support::SavePicture(picture, "controls_bitbtn");

    ShowForm();  // the hint follows the mouse on the screen
    POINT centre = button->ClientToScreen(POINT{button->Width() / 2, button->Height() / 2});
    SetCursorPos(centre.x, centre.y);
    PostMessageA(button->Handle(), WM_MOUSEMOVE, 0,
                 MAKELPARAM(button->Width() / 2, button->Height() / 2));
    EXPECT_TRUE(testing_support::PumpUntil(
        [] { return Application.ActiveHint() == "Reset File Association"; }, 3000));
}

TEST_F(ControlsFormTest, ListViewSelectionBuildsTheRecipientText) {
    auto* view = form->ListView1;
    for (const char* name : {" Ann ", " Bob ", " Cy "}) {
        TListItem* item = view->Items().Add();
        item->SetCaption(name);
        item->SetImageIndex(0);
    }
    ASSERT_EQ(ListView_GetItemCount(view->Handle()), 3);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(
                  SendMessageA(view->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
              form->ImageList1->Handle());
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(view->Handle(), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_EQ(font.lfHeight, -19);
    EXPECT_GE(font.lfWeight, FW_BOLD);

    auto clickItem = [&](int index, WPARAM keys) {
        RECT r = view->ItemRect(index);
        Click(*view, (r.left + r.right) / 2, (r.top + r.bottom) / 2, keys);
    };
    clickItem(0, 0);
    clickItem(2, MK_CONTROL);
    EXPECT_EQ(form->toText, "Ann;  Cy");
    EXPECT_EQ(form->listClicks, 2);
    EXPECT_EQ(view->SelCount(), 2);
    EXPECT_EQ(view->Selected()->Caption(), " Ann ");
    EXPECT_EQ(form->log, (std::vector<std::string>{"select: Ann +", "select: Cy +"}));
    RECT first = view->ItemRect(0);
    LPARAM at = MAKELPARAM((first.left + first.right) / 2, (first.top + first.bottom) / 2);
    SendMessageA(view->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(view->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(form->listDoubleClicks, 1);

    // A click where no item is, without Ctrl, clears the selection.
    RECT last = view->ItemRect(2);
    Click(*view, view->ClientWidth() - 4, view->ClientHeight() - 4);
    ASSERT_GT(view->ClientHeight() - 4, last.bottom);
    EXPECT_EQ(form->toText, "");
    EXPECT_EQ(view->SelCount(), 0);
    EXPECT_EQ(view->Selected(), nullptr);
}

TEST_F(ControlsFormTest, ListViewMultiSelectSwitchesAtRunTime) {
    auto* view = form->ListView1;
    for (const char* name : {" Ann ", " Bob ", " Cy "}) view->Items().Add()->SetCaption(name);
    view->Items()[0]->SetSelected(true);
    view->Items()[1]->SetSelected(true);
    EXPECT_EQ(view->SelCount(), 2);

    view->SetMultiSelect(false);
    EXPECT_EQ(SelectedCaptions(*view), (std::vector<std::string>{" Ann "}));
    EXPECT_TRUE(GetWindowLongPtrA(view->Handle(), GWL_STYLE) & LVS_SINGLESEL);
    RECT r = view->ItemRect(2);
    Click(*view, (r.left + r.right) / 2, (r.top + r.bottom) / 2, MK_CONTROL);
    EXPECT_EQ(SelectedCaptions(*view), (std::vector<std::string>{" Cy "}));
    view->Items()[0]->SetSelected(true);  // single selection from code as well
    EXPECT_EQ(SelectedCaptions(*view), (std::vector<std::string>{" Ann "}));

    view->SetMultiSelect(true);
    r = view->ItemRect(1);
    Click(*view, (r.left + r.right) / 2, (r.top + r.bottom) / 2, MK_CONTROL);
    EXPECT_EQ(SelectedCaptions(*view), (std::vector<std::string>{" Ann ", " Bob "}));

    // Items survive a new window, selection included.
    view->SetBorderStyle(bsNone);
    EXPECT_EQ(ListView_GetItemCount(view->Handle()), 3);
    EXPECT_EQ(SelectedCaptions(*view), (std::vector<std::string>{" Ann ", " Bob "}));
    view->Items().Delete(0);
    EXPECT_EQ(SelectedCaptions(*view), (std::vector<std::string>{" Bob "}));
    EXPECT_EQ(view->Items()[0]->Index(), 0);
    EXPECT_THROW(view->Items().Item(2), Exception);
}

TEST_F(ControlsFormTest, ListViewReportRowsGetAFullWidthColumn) {
    auto* view = form->ListView1;
    view->Items().Add()->SetCaption(" Ann ");
    EXPECT_TRUE(SendMessageA(view->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) &
                LVS_EX_FULLROWSELECT);
    view->SetViewStyle(vsReport);
    EXPECT_EQ(GetWindowLongPtrA(view->Handle(), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(view->Handle())), 1);
    EXPECT_EQ(ListView_GetColumnWidth(view->Handle(), 0), view->ClientWidth());
    view->SetWidth(view->Width() + 40);
    EXPECT_EQ(ListView_GetColumnWidth(view->Handle(), 0), view->ClientWidth());
    // A row selected anywhere along its width.
    RECT r = view->ItemRect(0);
    EXPECT_EQ(view->GetItemAt(r.right - 3, (r.top + r.bottom) / 2), view->Items()[0]);
    view->AddColumn("Number", 80);
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(view->Handle())), 1);
}

TEST_F(ControlsFormTest, ComboBoxesKeepTheirTextAndPassKeysOn) {
    auto* combo = form->ComboBox1;
    EXPECT_EQ(combo->Text(), "https://");
    combo->SetText("Bob");
    combo->Items().Clear();
    EXPECT_EQ(combo->Text(), "Bob");
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 0);
    combo->Items().Add("Ann");
    combo->Items().Add("Bob");
    EXPECT_EQ(combo->Text(), "Bob");
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->Text(), "Ann");

    // Keys typed into the edit field reach the combo box's own key events.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    ASSERT_NE(info.hwndItem, nullptr);
    SendMessageA(info.hwndItem, EM_SETSEL, 0, -1);
    for (char c : std::string("Cy")) SendMessageA(info.hwndItem, WM_CHAR, c, 1);
    SendMessageA(info.hwndItem, WM_KEYUP, 'Y', static_cast<LPARAM>(0xC0000001u));
    EXPECT_EQ(form->comboKeyUps, (std::vector<std::string>{"Cy/89"}));

    auto* list = form->ComboBox2;
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->Text(), "b");
    list->SetText("C");
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->Text(), "c");
    list->SetText("none of them");
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->Text(), "");
}

TEST_F(ControlsFormTest, ListBoxesSortAndStoreWithOrWithoutAWindow) {
    auto* sorted = form->ListBox2;
    ASSERT_EQ(SendMessageA(sorted->Handle(), LB_GETCOUNT, 0, 0), 3);
    char text[32];
    SendMessageA(sorted->Handle(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Banana");
    EXPECT_EQ(sorted->Items().Items(), (std::vector<std::string>{"apple", "Banana", "pear"}));
    LRESULT height = SendMessageA(sorted->Handle(), LB_GETITEMHEIGHT, 0, 0);
    Click(*sorted, 10, static_cast<int>(height * 2 + height / 2));
    EXPECT_EQ(form->log, (std::vector<std::string>{"ListBox2:2"}));
    sorted->Items().Add("cherry");
    EXPECT_EQ(sorted->Items().IndexOf("cherry"), 2);
    EXPECT_EQ(sorted->ItemIndex(), 3);  // the selection moved along with its item

    // The hidden list box of a form stores strings like any list.
    auto* store = form->ListBox1;
    store->Items().Add("Ann|0123");
    store->Items().Add("Bob|0456");
    store->Items().Exchange(0, 1);
    EXPECT_EQ(store->Items()[0], "Bob|0456");
    EXPECT_EQ(SendMessageA(store->Handle(), LB_GETCOUNT, 0, 0), 2);
    EXPECT_FALSE(Shown(store->Handle()));

    // A list box that never gets a window is a store as well, selection included.
    TListBox loose(nullptr);
    loose.Items().SetText("one\r\ntwo\r\nthree");
    loose.SetItemIndex(1);
    loose.Items().Insert(0, "zero");
    EXPECT_EQ(loose.ItemIndex(), 2);
    EXPECT_TRUE(loose.Selected(2));
    loose.Items().Delete(2);
    EXPECT_EQ(loose.ItemIndex(), -1);
    loose.Items().BeginUpdate();
    loose.Items().Add("four");
    loose.SetItemIndex(3);  // an item the selection has not heard of yet
    EXPECT_TRUE(loose.Selected(3));
    loose.Items().EndUpdate();
    EXPECT_FALSE(loose.HandleAllocated());
}

TEST_F(ControlsFormTest, NotebookShowsOnlyTheActivePage) {
    auto* notebook = form->Notebook1;
    HWND welcome = form->CheckBox2->Handle();
    HWND license = form->Memo2->Handle();
    ASSERT_EQ(notebook->PageCount(), 2);
    EXPECT_TRUE(Shown(welcome));
    EXPECT_FALSE(Shown(license));

    notebook->SetPageIndex(1);
    EXPECT_EQ(form->log, (std::vector<std::string>{"page:1 license"}));
    EXPECT_FALSE(Shown(welcome));
    EXPECT_TRUE(Shown(license));
    // The page fills the notebook.
    EXPECT_EQ(notebook->Page(1)->Width(), notebook->ClientWidth());

    notebook->SetPageIndex(1);  // no change, no event
    notebook->SetPageIndex(7);  // no such page
    EXPECT_EQ(form->log.size(), 1u);
    notebook->SetActivePage("WELCOME");
    EXPECT_EQ(notebook->PageIndex(), 0);
    EXPECT_EQ(notebook->ActivePage(), "Welcome");
    EXPECT_EQ(form->log.back(), "page:0 welcome");
}

TEST_F(ControlsFormTest, TabbedNotebookChangesPageWhenATabIsClicked) {
    auto* tabs = form->TabbedNotebook1;
    HWND general = form->Edit4->Handle();
    HWND sounds = form->Edit5->Handle();
    ASSERT_EQ(TabCtrl_GetItemCount(tabs->Handle()), 2);
    EXPECT_TRUE(Shown(general));
    EXPECT_FALSE(Shown(sounds));

    RECT tab{};
    ASSERT_TRUE(TabCtrl_GetItemRect(tabs->Handle(), 1, &tab));
    Click(*tabs, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    EXPECT_EQ(tabs->PageIndex(), 1);
    EXPECT_EQ(tabs->ActivePage(), "Sounds");
    EXPECT_FALSE(Shown(general));
    EXPECT_TRUE(Shown(sounds));
    // Pages lie below the tabs.
    EXPECT_GE(tabs->Page(1)->Top(), tab.bottom);

    tabs->SetPageIndex(0);
    EXPECT_EQ(TabCtrl_GetCurSel(tabs->Handle()), 0);
    EXPECT_TRUE(Shown(general));
}

TEST_F(ControlsFormTest, LabelsSizeThemselvesAndStoreText) {
    auto* right = form->Label2;
    int rightEdge = 200 + 100;
    EXPECT_EQ(right->Left() + right->Width(), rightEdge);
    EXPECT_LT(right->Width(), 100);
    right->SetCaption("12/159   - 1 Credit");
    EXPECT_EQ(right->Left() + right->Width(), rightEdge);
    EXPECT_LT(right->Left(), 200);

    auto* wrapped = form->Label5;
    EXPECT_EQ(wrapped->Width(), 110);
    EXPECT_GT(wrapped->Height(), 3 * 12);

    auto* store = form->Label3;
    EXPECT_EQ(store->Caption(), "curDir");
    store->SetCaption("c:\\program files\\zembly\\");
    EXPECT_EQ(store->Caption(), "c:\\program files\\zembly\\");

    TBitmap client;
    testing_support::PrintClient(*form, client);
    auto* name = form->Label1;
    EXPECT_EQ(client.Pixel(name->Left() + name->Width() - 1, name->Top()), clYellow);
    int dark = 0;
    for (int y = name->Top(); y < name->Top() + name->Height(); ++y)
        for (int x = name->Left(); x < name->Left() + name->Width(); ++x)
            if (client.Pixel(x, y) == clBlack) ++dark;
    EXPECT_GT(dark, 10);  // the caption was drawn
}

TEST_F(ControlsFormTest, PanelsHoldControlsInsideTheirBevels) {
    auto* panel = form->Panel1;
    auto* inside = form->Button2;
    EXPECT_EQ(inside->Parent(), panel);
    EXPECT_EQ(GetParent(inside->Handle()), panel->Handle());
    EXPECT_EQ(form->Label4->Parent(), panel);

    TBitmap picture;
    testing_support::PrintClient(*panel, picture);
    int w = picture.Width(), h = picture.Height();
    EXPECT_EQ(picture.Pixel(0, 0), ColorToRGB(clBtnHighlight));  // raised outer bevel
    EXPECT_EQ(picture.Pixel(w - 1, h - 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(picture.Pixel(1, 1), ColorToRGB(clBtnShadow));  // lowered inner bevel
    EXPECT_EQ(picture.Pixel(w - 2, h - 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(picture.Pixel(w - 10, 4), clTeal);
    // The transparent label shows the panel's colour between its letters.
    auto* label = form->Label4;
    EXPECT_EQ(picture.Pixel(label->Left() + label->Width() - 1, label->Top()), clTeal);
}

TEST_F(ControlsFormTest, ImageMouseEventsAreRelativeToTheImage) {
    auto* panel = form->Panel1;
    auto* image = form->Image2;
    HWND window = panel->Handle();
    int x0 = image->Left(), y0 = image->Top();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0 + 5, y0 + 7));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x0 + 9, y0 + 11));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x0 + 9, y0 + 11));
    EXPECT_EQ(form->log,
              (std::vector<std::string>{"down 5,7", "move 9,11", "image click", "up 9,11"}));
    form->log.clear();
    // Released away from the image: the image keeps the mouse, but there is no click.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0 + 1, y0 + 1));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x0 - 6, y0 + 1));
    EXPECT_EQ(form->log, (std::vector<std::string>{"down 1,1", "up -6,1"}));
}

TEST_F(ControlsFormTest, ProgressBarStopsAtItsEnds) {
    auto* bar = form->ProgressBar1;
    HWND window = bar->Handle();
    EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 3);
    bar->StepIt();
    EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 7);
    bar->StepIt();  // past the end: the bar stays full instead of starting again
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 10);
    bar->SetRange(1, 1);
    EXPECT_EQ(bar->Position(), 1);
    bar->SetMax(200);
    bar->SetStep(1);
    bar->StepBy(50);
    EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 51);
    EXPECT_EQ(SendMessageA(window, PBM_GETRANGE, FALSE, 0), 200);
    bar->SetPosition(-4);
    EXPECT_EQ(bar->Position(), 1);
}

TEST_F(ControlsFormTest, TheWholeFormIsPictured) {
    ShowForm();
    auto* view = form->ListView1;
    for (const char* name : {" Ann ", " Bob "}) view->Items().Add()->SetCaption(name);
    view->Items()[1]->SetSelected(true);
    form->Memo1->Lines().Add("second line");
    testing_support::Pump(100);
    TBitmap picture;
    CaptureWindow(form->Handle(), picture);
    ASSERT_EQ(picture.Width(), 640);
    testing_support::SavePicture(picture, "controls_form");
    // The stretched picture of Image1 is on screen: its four quarters in their places.
    auto* image = form->Image1;
    EXPECT_EQ(picture.Pixel(image->Left() + 4, image->Top() + 4), clRed);
    EXPECT_EQ(picture.Pixel(image->Left() + 60, image->Top() + 44), clYellow);
}

}  // namespace
