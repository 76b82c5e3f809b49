// The page walk of both roads driven by window messages: button states per page, Next and its
// checks, the skips, Back, Cancel by page, the install types, the folder list, the summary and
// the web-address label.
#include <windows.h>

#include <shlobj.h>

#include <tuple>

#include "LocalFiles.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "WizardTestSupport.h"

namespace {

using testing_support::Click;
using wizard_test::Ini;
using wizard_test::WizardTest;

// Back, Next and Cancel enabled, and Next's caption.
using Buttons = std::tuple<bool, bool, bool, std::string>;

Buttons Of(TForm1& form) {
    return {form.Button3->Enabled(), form.Button2->Enabled(), form.Button1->Enabled(),
            form.Button2->Caption()};
}

const Buttons kMiddle{true, true, true, "Next"};

class WizardPages : public WizardTest {
protected:
    // Starts with two components and walks to the location page.
    TForm1& ToLocation(std::initializer_list<const char*> lines) {
        StartWith(lines);
        Press(*form_->Button2);
        Click(*form_->CheckBox1);
        Press(*form_->Button2);
        EXPECT_EQ(Page(), 2);
        return *form_;
    }
};

TEST_F(WizardPages, InstallRoadFromWelcomeToFinish) {
    // A folder of the current user's Programs folder for the folder list to show.
    char programs[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs)));
    const std::string shown = "Wizard Test " + std::to_string(GetCurrentProcessId());
    CreateDirectoryA((std::string(programs) + "\\" + shown).c_str(), nullptr);

    TForm1& form =
        StartWith({"progname=Foo", "version=1", "[Docs]", "file=a.txt", "[Tools]", "file=b.exe"});
    EXPECT_EQ(Of(form), (Buttons{false, true, true, "Next"}));

    // Licence: Next follows the box at once, and is set from it again on every arrival.
    Press(*form.Button2);
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(Of(form), (Buttons{true, false, true, "Next"}));
    EXPECT_TRUE(form.Memo1->Focused());
    Click(*form.CheckBox1);
    EXPECT_TRUE(form.Button2->Enabled());
    Click(*form.CheckBox1);
    EXPECT_FALSE(form.Button2->Enabled());
    Press(*form.Button3);
    EXPECT_EQ(Page(), 0);
    EXPECT_TRUE(form.Button2->Enabled());
    Press(*form.Button2);
    EXPECT_FALSE(form.Button2->Enabled());
    Click(*form.CheckBox1);
    Press(*form.Button2);

    // Location: an existing folder passes without a question.
    EXPECT_EQ(Page(), 2);
    form.DirectoryEdit1->SetText(MakeFolder("Target"));
    Press(*form.Button2);
    EXPECT_TRUE(Messages().empty());

    // Type: Cancel asks first, and No stays. Minimal then Custom leaves every box unchecked but
    // enabled, hidden ones too.
    EXPECT_EQ(Page(), 3);
    EXPECT_EQ(Of(form), kMiddle);
    dialogs_.Queue(gui::mrNo);
    Press(*form.Button1);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Are you sure you wish to cancel this setup?"});
    EXPECT_FALSE(exits_.Ended());
    dialogs_.Clear();
    Click(*form.RadioButton2);
    for (gui::TCheckBox* box : form.ComponentBoxes())
        EXPECT_FALSE(box->Checked() || box->Enabled());
    Click(*form.RadioButton3);
    for (gui::TCheckBox* box : form.ComponentBoxes()) {
        EXPECT_FALSE(box->Checked());
        EXPECT_TRUE(box->Enabled());
    }
    Click(*form.CheckBox3);
    EXPECT_TRUE(form.CheckBox3->Checked());
    EXPECT_TRUE(form.CheckBox8->Checked());
    EXPECT_FALSE(form.CheckBox8->Enabled());

    // Folder: a click on an empty spot keeps the name, a click on a folder takes its name.
    Press(*form.Button2);
    EXPECT_EQ(Page(), 4);
    gui::TShellListView& list = *form.dirlist1;
    Click(list, list.ClientWidth() - 3, list.ClientHeight() - 3);
    EXPECT_EQ(form.Edit1->Text(), "Foo");
    int item = -1;
    for (int i = 0; i < list.Items().Count(); ++i)
        if (list.Items()[i]->Caption() == shown) item = i;
    ASSERT_GE(item, 0);
    const RECT r = list.ItemRect(item);
    Click(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(form.Edit1->Text(), shown);
    Click(*form.CheckBox9);
    RemoveDirectoryA((std::string(programs) + "\\" + shown).c_str());

    // Summary.
    Press(*form.Button2);
    EXPECT_EQ(Page(), 5);
    EXPECT_EQ(form.Label11->Caption(), form.DirectoryEdit1->Text());
    EXPECT_EQ(form.Label20->Caption(), "Custom Installation");
    EXPECT_EQ(form.Label21->Caption(), shown);
    EXPECT_EQ(form.Label22->Caption(), "No");

    // The install road ends on the Finished page: Finish, no way back, Cancel off.
    Press(*form.Button2);
    EXPECT_EQ(Page(), 7);
    EXPECT_EQ(Of(form), (Buttons{false, true, false, "Finish"}));
    EXPECT_NE(form.Label24->Caption().find("No files found for extraction."), std::string::npos);
    form.Button1->SetEnabled(true);  // even when it can be pressed, Cancel does nothing here
    Press(*form.Button1);
    EXPECT_FALSE(exits_.Ended());
    EXPECT_TRUE(Messages().empty());
    Press(*form.Button2);
    EXPECT_TRUE(exits_.Ended());
    EXPECT_EQ(exits_.Code(), 0);
}

TEST_F(WizardPages, WithoutComponentsTheTypePageIsSkippedBothWays) {
    TForm1& form = ToLocation({"progname=Foo"});
    form.DirectoryEdit1->SetText(MakeFolder("Target"));
    Press(*form.Button2);
    EXPECT_EQ(Page(), 4);
    Press(*form.Button3);
    EXPECT_EQ(Page(), 2);
}

TEST_F(WizardPages, LocationRefusesUnusableFoldersAndAsksAboutMissingOnes) {
    TForm1& form = ToLocation({"progname=Foo", "[Docs]"});
    for (const char* unusable :
         {"", "relative\\folder", "C:\\", "\\\\host\\share", "C:\\a\\..\\b"}) {
        SCOPED_TRACE(unusable);
        dialogs_.Clear();
        form.DirectoryEdit1->SetText(unusable);
        Press(*form.Button2);
        EXPECT_EQ(Page(), 2);
        ASSERT_EQ(dialogs_.Shown().size(), 1u);  // the refusal alone, no question
        EXPECT_EQ(dialogs_.Shown()[0].type, gui::mtWarning);
    }

    const std::string missing = MakeFolder("Parent") + "\\Missing\\Product";
    form.DirectoryEdit1->SetText(missing);
    dialogs_.Clear();
    dialogs_.Queue(gui::mrNo);
    Press(*form.Button2);
    EXPECT_EQ(Page(), 2);
    ASSERT_EQ(dialogs_.Shown().size(), 1u);
    EXPECT_EQ(dialogs_.Shown()[0].text, "This folder does not currently exist, ok to create it?");
    EXPECT_EQ(dialogs_.Shown()[0].type, gui::mtConfirmation);
    EXPECT_EQ(dialogs_.Shown()[0].buttons, gui::mbYes | gui::mbNo);
    EXPECT_EQ(form.Label11->Caption(), "");

    Press(*form.Button2);  // answered Yes
    EXPECT_EQ(Page(), 3);
    EXPECT_FALSE(setup::FolderExists(missing));  // the install road makes it, not this page
}

// The road without feedback and Finish on its end page are walked in UninstallRoadTest.
TEST_F(WizardPages, UninstallPagesAndCancelThereEndsWithoutAQuestion) {
    const std::string installed = MakeFolder("Foo");
    Write(installed + "\\setup.ini", Ini({"progname=Foo", "feedback=3"}));
    TForm1& form = Start("/uninstall: 0," + installed);
    EXPECT_EQ(Page(), 8);
    EXPECT_EQ(Of(form), (Buttons{false, true, true, "Next"}));
    Press(*form.Button2);
    ASSERT_EQ(Page(), 9);
    EXPECT_EQ(Of(form), (Buttons{false, true, true, "Next"}));
    Press(*form.Button1);
    EXPECT_EQ(exits_.Code(), 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WizardPages, WebAddressShowsTheHandAndOpensTheBrowser) {
    TForm1& form = StartWith({"progname=Foo"});
    EXPECT_EQ(form.RxLabel1->Caption(), standIn_.Host());
    testing_support::MouseMove(*form.RxLabel1, 2, 2);
    EXPECT_EQ(form.RxLabel1->Cursor(), gui::crHandPoint);
    Click(*form.RxLabel1);
    EXPECT_EQ(starts_.Started(),
              std::vector<std::string>{"\"c:\\program files\\internet explorer\\iexplore.exe\" " +
                                       standIn_.Url("/")});
}

}  // namespace
