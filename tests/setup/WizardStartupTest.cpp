// The start-up on the window: what setup.ini, the branding files and the command line put into
// the controls, the fatal roads and their exit codes, and what happens while the page request
// pumps messages.
#include <windows.h>

#include "LocalFiles.h"
#include "TestPictures.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "WizardTestSupport.h"

namespace {

using wizard_test::Ini;
using wizard_test::WizardTest;

std::vector<std::string> Lines(gui::TListBox& list) {
    return list.Items().Items();
}

TEST_F(WizardTest, SetupIniFillsTheControlsInFileOrder) {
    TForm1& form = StartWith({"progname=Foo", "company=Acme", "version=2.0", "file=bin\\*.exe",
                              "[Docs]", "startup=app.exe,tools",
                              "KEY=HKEY_CURRENT_USER\\Software"
                              "\\Foo,string,Name,Data",
                              "[registry]", "app=after.exe", "[Extras", "feedback=7"});
    EXPECT_FALSE(exits_.Ended());
    EXPECT_EQ(form.Label1->Caption(), "Foo v2.0 Setup");
    EXPECT_EQ(form.Label4->Caption(), "Welcome to the Foo setup program.");
    const std::string programFiles = form.KTH->GetSpecialFolder("ProgramFiles");
    EXPECT_EQ(form.DirectoryEdit1->Text(), programFiles + "Acme\\Foo");
    EXPECT_EQ(form.Edit1->Text(), "Foo");
    EXPECT_EQ(form.Label39->Caption(), "Acme");
    EXPECT_EQ(form.Label37->Caption(), "None");  // feedback counts only when uninstalling
    EXPECT_EQ(form.curDir->Caption(), folder_);
    EXPECT_EQ(Lines(*form.ListBox2), std::vector<std::string>{"0,bin\\*.exe"});
    // File lines after [registry] stay with the component before it.
    EXPECT_EQ(Lines(*form.ListBox3), (std::vector<std::string>{"1,app.exe,tools", "3,after.exe"}));
    EXPECT_EQ(Lines(*form.ListBox14),
              std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Foo,string,Name,Data"});
    EXPECT_EQ(form.CheckBox2->Caption(), "Docs");
    EXPECT_EQ(form.CheckBox3->Caption(), "Extra");
    EXPECT_TRUE(form.CheckBox2->Visible());
    EXPECT_TRUE(form.CheckBox3->Visible());
    EXPECT_FALSE(form.CheckBox4->Visible());
    EXPECT_EQ(Page(), 0);
    EXPECT_TRUE(form.Button2->Enabled());
    EXPECT_FALSE(form.Button3->Enabled());
    EXPECT_EQ(PageRequests("/setup.htm"), 1);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WizardTest, OddFilesGiveThePartsResultNeverACrash) {
    // CR-only line ends, keys in any case, NUL and bytes above 127, a line of a megabyte, lines
    // without "=", and eleven component sections.
    std::string ini = std::string(wizard_test::kHeader) + "\rPROGNAME=F\xE9\xFFo\rVerSion=1";
    ini += std::string("\0x", 2) + "\r" + std::string(1 << 20, 'z') + "\rno equals sign here\r";
    for (int k = 1; k <= 11; ++k)
        ini += "[C" + std::to_string(k) + "]\rfile=f" + std::to_string(k) + "\r";
    Write("setup.ini", ini);
    TForm1& form = Start();
    EXPECT_FALSE(exits_.Ended());
    EXPECT_EQ(form.progName->Caption(), "F\xE9\xFFo");
    EXPECT_EQ(form.Label1->Caption(), "F\xE9\xFFo v1" + std::string("\0x", 2) + " Setup");
    const auto boxes = form.ComponentBoxes();
    for (gui::TCheckBox* box : boxes) EXPECT_TRUE(box->Visible());
    EXPECT_EQ(boxes[9]->Caption(), "C10");
    EXPECT_EQ(Lines(*form.ListBox12), std::vector<std::string>{"0,f10"});  // f11 is dropped
}

TEST_F(WizardTest, MissingSetupIniShowsItsMessageAndQuitsWithOneOnceTheLoopRuns) {
    TForm1& form = Start();
    ASSERT_EQ(Messages(), std::vector<std::string>{"Error in locating Setup components!"});
    EXPECT_EQ(dialogs_.Shown()[0].type, gui::mtError);
    EXPECT_EQ(dialogs_.Shown()[0].buttons, gui::mbOK);
    EXPECT_EQ(form.Label1->Caption(), "[none] Setup");
    EXPECT_EQ(PageRequests("/setup.htm"), 0);
    ASSERT_TRUE(testing_support::PumpUntil([this] { return exits_.Ended(); }));
    EXPECT_EQ(exits_.Code(), 1);
    testing_support::Pump(50);
    EXPECT_EQ(exits_.Count(), 1);  // the timer stopped itself
}

TEST_F(WizardTest, WrongHeadersEndAtOnceWithOne) {
    for (const std::string& ini : {std::string("[Tarnwick Installer v1.20]\r\nprogname=X"),
                                   std::string("[Tarnwick Installer v1.00] \r\nprogname=X"),
                                   std::string("[tarnwick installer v1.00]"), std::string()}) {
        SCOPED_TRACE(ini);
        Write("setup.ini", ini);
        gui::ExitRecorder exits;
        TForm1& form = Start();
        EXPECT_EQ(exits.Code(), 1);
        EXPECT_EQ(Messages().back(), "Error in INI file!\r\nSetup must close.");
        EXPECT_EQ(form.progName->Caption(), "ProgName");
        Close();
    }
}

TEST_F(WizardTest, BrandingFilesReplaceTheBuiltInPicturesAndATallLogoIsFitted) {
    using controls_test::Pixels;
    Write("setup.ico", controls_test::MakeIco(Pixels(32, 32, 0xFF00FF00)));
    Write("logo.bmp", controls_test::MakeBmp(Pixels(200, 100, 0xFFFF0000)));
    Write("setup.ini", Ini({"progname=Foo"}));
    TForm1& form = Start();
    EXPECT_EQ(form.Image1->Picture().Bitmap().Pixel(16, 16), gui::clLime);
    EXPECT_EQ(form.Image2->Width(), 86);
    EXPECT_EQ(form.Image2->Height(), 43);
    EXPECT_EQ(form.Image2->Left(), form.Width() - 86 - 15);
    EXPECT_FALSE(form.RxLabel1->Visible());
}

TEST_F(WizardTest, UnreadableBrandingLeavesTheBuiltInOnesWithoutAMessage) {
    using controls_test::Pixels;
    Write("setup.ico", "not a picture");
    Write("logo.bmp", controls_test::MakeBmp(Pixels(40, 30, 0xFF0000FF)));
    Write("logo.gif", "GIF89a but broken");
    Write("agreement.txt", "locked");
    Write("setup.ini", Ini({"progname=Foo"}));
    // Held open without sharing, so the licence cannot be read.
    HANDLE locked = CreateFileA(Path("agreement.txt").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    TForm1& form = Start();
    CloseHandle(locked);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(exits_.Ended());
    EXPECT_EQ(form.Image1->Picture().Width(), 32);  // the built-in icon
    EXPECT_NE(form.Image1->Picture().Bitmap().Pixel(16, 16), gui::clLime);
    // The last logo that could be read is shown, at its own size and right-aligned like a
    // fitted one, and the label stays.
    EXPECT_EQ(form.Image2->Width(), 40);
    EXPECT_EQ(form.Image2->Height(), 30);
    EXPECT_EQ(form.Image2->Left(), form.Width() - 40 - 15);
    EXPECT_EQ(form.Image2->Picture().Bitmap().Pixel(20, 15), gui::clBlue);
    EXPECT_TRUE(form.RxLabel1->Visible());
    EXPECT_EQ(form.Memo1->Lines()[0], "TARNWICK SOFTWARE LICENCE AGREEMENT");
}

TEST_F(WizardTest, AnEmptyLicenceFileReplacesTheBuiltInText) {
    Write("agreement.txt", "");
    TForm1& form = StartWith({"progname=Foo"});
    EXPECT_EQ(form.Memo1->Text(), "");
}

TEST_F(WizardTest, PageRequestPumpsButNeitherRepeatsTheStartUpNorSkipsTheTypePage) {
    Write("setup.ini", Ini({"progname=Foo", "version=1", "[Docs]", "file=a.txt"}));
    int waits = 0;
    wizard_test::DuringPageRequest([&] {
        if (waits++ > 0) return;
        // The user moves on at once, and the window is activated again meanwhile.
        EXPECT_TRUE(form_->CheckBox2->Visible());
        Press(*form_->Button2);
        form_->CheckBox1->SetChecked(true);
        Press(*form_->Button2);
        form_->DirectoryEdit1->SetText(folder_);
        Press(*form_->Button2);
        SendMessageA(form_->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
        SendMessageA(form_->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    });
    Start();
    EXPECT_GE(waits, 1);
    EXPECT_EQ(Page(), 3);
    EXPECT_EQ(PageRequests("/setup.htm"), 1);
    EXPECT_EQ(form_->Label4->Caption(), "Welcome to the Foo setup program.");
}

}  // namespace
