// The settings dialog's buttons and edits driven by messages: OK and Cancel with the sound players
// and the settings file, the signature length, the quote removal of the sound edits' file
// dialogs, and the startup shortcut read back through the shell.
#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include "Application.h"
#include "BrowseDialogs.h"
#include "FileStore.h"
#include "MessengerFixture.h"
#include "PlatformFolderSources.h"
#include "TextToolkit.h"
#include "WindowDriver.h"
#include "options.h"
#include "password.h"

namespace messengertest {
namespace {

using testing_support::Click;
using testing_support::Type;

// The running system's folders, with the all-users Startup folder in a place of the test's own.
class StartupIn : public text::PlatformFolderSources {
public:
    explicit StartupIn(std::string folder) : folder_(std::move(folder)) {}
    std::string ShellFolder(int csidl) override {
        return csidl == text::csidl::kCommonStartup ? folder_
                                                    : PlatformFolderSources::ShellFolder(csidl);
    }

private:
    std::string folder_;
};

class SettingsDialog : public MessengerTest {
protected:
    void SetUp() override {
        MessengerTest::SetUp();
        sounds_.AddFile(PathOf("zSMS-Fail.wav"), 500);
        RunStartUp();
        Form2->Show();
    }
};

TEST_F(SettingsDialog, OkWritesAndReopensTheSoundsCancelReadsBack) {
    sounds_.AddFile("C:\\my sounds\\sent.wav", 300);
    Form2->FilenameEdit1->SetText("\"C:\\my sounds\\sent.wav\"");
    Form2->FilenameEdit2->SetText("");
    Form2->Edit4->SetText("kept");
    Click(*Form2->BitBtn1);
    EXPECT_FALSE(Form2->Visible());
    EXPECT_NE(ReadFile("zemblySMS.ini").find("\r\nSignature=kept\r\n"), std::string::npos);
    EXPECT_EQ(Form12->MediaPlayer2->FileName(), "C:\\my sounds\\sent.wav");
    EXPECT_TRUE(Form12->MediaPlayer2->IsOpen());
    // An emptied edit leaves its player with the file it had.
    EXPECT_EQ(Form12->MediaPlayer3->FileName(), PathOf("zSMS-Fail.wav"));
    EXPECT_TRUE(Form12->MediaPlayer3->IsOpen());

    Form2->Show();
    Form2->Edit4->SetText("discarded");
    Click(*Form2->BitBtn2);
    EXPECT_FALSE(Form2->Visible());
    EXPECT_EQ(Form2->Edit4->Text(), "kept");
    EXPECT_EQ(Form2->Label4->Caption(), "4/159");

    // A write that fails is reported and keeps the dialog open, the players as they were.
    Form2->Show();
    SetFileAttributesA(PathOf("zemblySMS.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    Form2->FilenameEdit2->SetText("C:\\my sounds\\sent.wav");
    Click(*Form2->BitBtn1);
    SetFileAttributesA(PathOf("zemblySMS.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(Form2->Visible());
    ASSERT_EQ(dialogs_.Shown().size(), 1u);
    EXPECT_EQ(dialogs_.Shown()[0].type, gui::mtError);
    EXPECT_EQ(Form12->MediaPlayer3->FileName(), PathOf("zSMS-Fail.wav"));
}

TEST_F(SettingsDialog, EnterInTheKeyHandlerPressesOkOtherKeysDoNothing) {
    Form2->Edit4->SetText("by key");
    char key = 'a';
    Form2->Edit2KeyPress(Form2->Edit2, key);
    EXPECT_TRUE(Form2->Visible());
    key = '\r';
    Form2->Edit2KeyPress(Form2->Edit2, key);
    EXPECT_FALSE(Form2->Visible());
    EXPECT_NE(ReadFile("zemblySMS.ini").find("\r\nSignature=by key\r\n"), std::string::npos);
}

TEST_F(SettingsDialog, SignatureLengthFollowsEveryChange) {
    // Only a settings file can hold a signature longer than one part: it is cut as it is read.
    WriteFile("zemblySMS.ini", "[zemblySMS 2.00]\r\nSignature=" + std::string(170, 's') + "\r\n");
    Form12->LoadINI();
    EXPECT_EQ(Form2->Edit4->Text(), std::string(159, 's'));
    EXPECT_EQ(Form2->Label4->Caption(), "159/159");

    Form2->Edit4->SetText("");
    EXPECT_EQ(Form2->Label4->Caption(), "0/159");
    Type(*Form2->Edit4, "ab\b");
    EXPECT_EQ(Form2->Label4->Caption(), "1/159");
}

TEST_F(SettingsDialog, FileDialogCleansTheOldTextBeforeTheChosenNameIsWritten) {
    gui::BrowseRecorder browse;
    Form2->FilenameEdit4->SetText("\"old one.wav\"");
    browse.Cancel();
    SendMessageA(Form2->FilenameEdit4->ButtonHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Form2->FilenameEdit4->Text(), "old one.wav");

    Form2->FilenameEdit2->SetText("\"old one.wav\"");
    browse.Choose("C:\\new one.wav");
    SendMessageA(Form2->FilenameEdit2->ButtonHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Form2->FilenameEdit2->Text(), "\"C:\\new one.wav\"");
    EXPECT_EQ(browse.Asked().size(), 2u);
}

TEST_F(SettingsDialog, StartupShortcutIsSavedThenShownOrItsFailureExplained) {
    StartupIn startup(Folder());
    Form2->kth->SetFolderSources(&startup);
    Click(*Form2->BitBtn3);
    const std::string link = text::LowerAscii(Folder()) + "zemblySMS Messenger.lnk";
    ASSERT_EQ(dialogs_.Shown().size(), 1u);
    EXPECT_EQ(dialogs_.Shown()[0].text, link);

    IShellLinkA* shellLink = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkA, reinterpret_cast<void**>(&shellLink))));
    IPersistFile* file = nullptr;
    shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    std::wstring wide(link.begin(), link.end());
    EXPECT_TRUE(SUCCEEDED(file->Load(wide.c_str(), STGM_READ)));
    char path[MAX_PATH] = {}, folder[MAX_PATH] = {};
    shellLink->GetPath(path, MAX_PATH, nullptr, 0);
    shellLink->GetWorkingDirectory(folder, MAX_PATH);
    file->Release();
    shellLink->Release();
    const std::string program = gui::Application.ExeName();
    EXPECT_STRCASEEQ(path, program.c_str());
    EXPECT_STRCASEEQ(folder, program.substr(0, program.rfind('\\') + 1).c_str());

    StartupIn missing(Folder() + "missing\\");
    Form2->kth->SetFolderSources(&missing);
    Click(*Form2->BitBtn3);
    ASSERT_EQ(dialogs_.Shown().size(), 2u);
    EXPECT_EQ(dialogs_.Shown()[1].type, gui::mtWarning);
    EXPECT_EQ(dialogs_.Shown()[1].text, "The startup shortcut could not be saved:\n\r" +
                                            text::LowerAscii(Folder()) +
                                            "missing\\zemblySMS Messenger.lnk\n\r" +
                                            files::SystemMessage(ERROR_PATH_NOT_FOUND) + ".");
    Form2->kth->SetFolderSources(nullptr);
}

}  // namespace
}  // namespace messengertest
