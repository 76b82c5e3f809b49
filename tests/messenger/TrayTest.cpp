// The tray icon's menu and double-click, driven through the icon's own window as the shell
// reports mouse events to it, and the two ends that save the settings.
#include <windows.h>

#include "MessengerFixture.h"
#include "NewRelease.h"
#include "PayPal.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "contacts.h"
#include "main.h"
#include "options.h"
#include "password.h"

namespace messengertest {
namespace {

using testing_support::Click;
using testing_support::Find;

std::vector<std::string> Captions(gui::TListView& view) {
    std::vector<std::string> captions;
    for (int i = 0; i < view.Items().Count(); ++i) captions.push_back(view.Items()[i]->Caption());
    return captions;
}

class Tray : public MessengerTest {
protected:
    void SetUp() override {
        MessengerTest::SetUp();
        WriteFile("contacts.con", "[zembly SMS contacts 2.00]\r\nc|1\r\nb|2\r\na|3\r\n");
        RunStartUp();
        // Logged on in gateway mode: no request, the icon on.
        Click(*Form12->RadioButton2);
        Click(*Form12->BitBtn1);
        ASSERT_TRUE(Form12->RxTrayIcon1->Active());
    }
    gui::TMenuItem* Item(const char* name) { return &Find<gui::TMenuItem>(*Form12, name); }
    void ExpectContactsLoaded() {
        // One exchange pass over the file's order: the greatest record reaches the end.
        EXPECT_EQ(Form1->ListBox1->Items().Items(),
                  (std::vector<std::string>{"b|2", "a|3", "c|1"}));
        EXPECT_EQ(Captions(*Form1->ListView1), (std::vector<std::string>{" b ", " a ", " c "}));
        const std::vector<std::string> names{"b", "a", "c"};
        EXPECT_EQ(Form1->ComboBox1->Items().Items(), names);
        EXPECT_EQ(Form2->ComboBox2->Items().Items(), names);
    }
};

TEST_F(Tray, OpenSettingsAndDoubleClickReloadTheContacts) {
    Form1->ComboBox1->SetText("typed");
    ChooseTrayItem(Item("Settings1"));
    EXPECT_TRUE(Form2->Visible());
    ExpectContactsLoaded();
    ChooseTrayItem(Item("OpenzemblySMS1"));
    EXPECT_TRUE(Form1->Visible());
    ExpectContactsLoaded();
    Form1->Hide();
    TrayDoubleClick();
    EXPECT_TRUE(Form1->Visible());
    EXPECT_EQ(Form1->ComboBox1->Text(), "typed");

    // The file is read again each time: the records in memory give way to it. Open keeps the
    // sender; the double-click puts in the default one when there is one.
    Form2->ComboBox2->SetText("Me");
    Form1->ListBox1->Items().Add("z|9");
    ChooseTrayItem(Item("OpenzemblySMS1"));
    EXPECT_EQ(Form1->ListBox1->Items().Count(), 3);
    EXPECT_EQ(Form1->ComboBox1->Text(), "typed");
    Form1->ListBox1->Items().Add("z|9");
    TrayDoubleClick();
    ExpectContactsLoaded();
    EXPECT_EQ(Form1->ComboBox1->Text(), "Me");
}

TEST_F(Tray, LogOffHidesTheWindowsInOrderAndWritesNothing) {
    std::vector<std::string> hidden;
    for (gui::TForm* form : std::vector<gui::TForm*>{Form1, Form2, Form9, Form5, Form3}) {
        form->Show();
        form->OnHide = [&hidden, form](gui::TObject*) { hidden.push_back(form->Name()); };
    }
    tray_.calls.clear();
    ChooseTrayItem(Item("LogOff1"));
    EXPECT_EQ(hidden, (std::vector<std::string>{"Form1", "Form2", "Form9", "Form5"}));
    EXPECT_TRUE(Form3->Visible());
    EXPECT_EQ(tray_.calls, std::vector<DWORD>{NIM_DELETE});
    EXPECT_TRUE(Form12->Visible());
    // The mode stays; Cancel then ends without the settings ever being written.
    EXPECT_TRUE(Form12->RadioButton2->Checked());
    Click(*Form12->BitBtn2);
    EXPECT_EQ(exits_.Count(), 1);
    EXPECT_EQ(exits_.Code(), 0);
    EXPECT_EQ(GetFileAttributesA(PathOf("zemblySMS.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Tray, ExitWritesTheSettingsAndEndsWithCodeZero) {
    Form12->Edit1->SetText("leaving");
    EXPECT_EXIT(
        {
            gui::SetProcessEnder(nullptr);
            ChooseTrayItem(Item("Exit2"));
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_NE(ReadFile("zemblySMS.ini").find("\r\nUsername=leaving\r\n"), std::string::npos);
}

TEST_F(Tray, NothingReachesTheFetcherOnceReleased) {
    Click(*Form12->RadioButton1);
    Form12->Edit1->SetText("demo");
    Form12->MaskEdit1->SetText("demo");
    // A logon click waits in the queue behind the menu's Exit command; Exit handles it before
    // the end, after the fetcher has gone.
    PostMessageA(Item("Exit2")->GetParentMenu()->Window(), WM_COMMAND, Item("Exit2")->Command(), 0);
    testing_support::PostClick(*Form12->BitBtn1);
    testing_support::PumpUntil([this] { return exits_.Ended(); });
    EXPECT_EQ(Form1->bSource1, nullptr);
    // The logon ran, and without a fetcher it could only fail.
    EXPECT_TRUE(Form12->Label4->Visible());
    EXPECT_TRUE(ServiceQueries().empty());
    EXPECT_EQ(exits_.Count(), 1);
    EXPECT_EQ(exits_.Code(), 0);
}

TEST_F(Tray, ACloseRequestToTheComposerSavesAndEnds) {
    Form1->Show();
    Form12->Edit1->SetText("closing");
    SendMessageA(Form1->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Form1->bSource1, nullptr);
    EXPECT_NE(ReadFile("zemblySMS.ini").find("\r\nUsername=closing\r\n"), std::string::npos);
    EXPECT_EQ(exits_.Count(), 1);
    EXPECT_EQ(exits_.Code(), 0);
}

}  // namespace
}  // namespace messengertest
