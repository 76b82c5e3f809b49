// The settings file against the controls that hold the settings: every key into its control and
// out again, the after-steps of the read, passwords of every byte, and writes that fail.
#include <windows.h>

#include "KelTextHandler1.h"
#include "MessengerFixture.h"
#include "WindowDriver.h"
#include "main.h"
#include "options.h"
#include "password.h"

namespace messengertest {
namespace {

using testing_support::Click;

std::string Scrambled(const std::string& password) {
    return KelTextHandler::ScrambleText(password);
}

class SettingsFile : public MessengerTest {};

TEST_F(SettingsFile, WritesEveryControlOnItsLine) {
    Click(*Form12->RadioButton2);
    Form12->CheckBox1->SetChecked(true);
    Form12->Edit1->SetText("ann");
    Form12->MaskEdit1->SetText("pw");
    Form2->ComboBox2->SetText("Me");
    Form1->ComboBox1->SetText("Last");
    Form2->Edit4->SetText("sig");
    Form2->CheckBox1->SetChecked(false);
    Form2->FilenameEdit4->SetText("a.wav");
    Form2->FilenameEdit1->SetText("\"b c.wav\"");
    Form2->FilenameEdit2->SetText("c.wav");
    Form2->ComboBox1->SetText("http://");
    Form2->Edit1->SetText("gw.example/send?to=%to%");
    Form2->Edit2->SetText("gu");
    Form2->MaskEdit1->SetText("gp");
    Form12->SaveINI();
    EXPECT_EQ(
        ReadFile("zemblySMS.ini"),
        "[zemblySMS 2.00]\r\n3rd Party=true,auto\r\nUsername=ann\r\nPassword=" + Scrambled("pw") +
            "\r\nFrom Default=Me\r\nFrom Last=Last\r\nSignature=sig\r\nCheck Updates=0\r\n"
            "Sound Startup=a.wav\r\nSound Sent=\"b c.wav\"\r\nSound Delivered=c.wav\r\n"
            "Service URL=http://gw.example/send?to=%to%\r\nService Username=gu\r\n"
            "Service Password=" +
            Scrambled("gp") + "\r\n");
}

TEST_F(SettingsFile, ReadsEveryKeyIntoItsControl) {
    sounds_.AddFile(PathOf("start up.wav"), 500);
    sounds_.AddFile("C:\\abs\\sent.wav", 500);
    WriteFile("zemblySMS.ini",
              "[zemblySMS 2.71]\r\n3RD PARTY=true,auto\r\nUSERNAME= ann\r\n"
              "Password=" +
                  Scrambled("pw") +
                  "\r\nFrom Default=Me\r\nfrom last=Last=1\r\nSignature=\r\n"
                  "Check Updates=yes\r\nSound Startup=\"start up.wav\"\r\n"
                  "Sound Sent=C:\\abs\\sent.wav\r\nSound Delivered=\r\n"
                  "Service URL=https://gw//x\r\nService Username=gu\r\n"
                  "Service Password=" +
                  Scrambled("gp") + "\r\nUsername =ignored\r\n");
    Form12->LoadINI();

    EXPECT_TRUE(Form12->RadioButton2->Checked());
    // The mode rule ran when the mode line was read, before the fields were filled.
    EXPECT_FALSE(Form12->Edit1->Enabled());
    EXPECT_FALSE(Form1->ListView1->MultiSelect());
    EXPECT_TRUE(Form12->CheckBox1->Checked());
    EXPECT_EQ(Form12->Edit1->Text(), " ann");
    EXPECT_EQ(Form12->MaskEdit1->Text(), "pw");
    EXPECT_EQ(Form2->ComboBox2->Text(), "Me");
    EXPECT_EQ(Form1->ComboBox1->Text(), "Last=1");
    EXPECT_EQ(Form2->Edit4->Text(), "");
    EXPECT_FALSE(Form2->CheckBox1->Checked());
    EXPECT_EQ(Form2->FilenameEdit4->Text(), "\"start up.wav\"");
    EXPECT_EQ(Form2->FilenameEdit1->Text(), "C:\\abs\\sent.wav");
    EXPECT_EQ(Form2->FilenameEdit2->Text(), "");
    EXPECT_EQ(Form2->ComboBox1->Text(), "https://");
    EXPECT_EQ(Form2->Edit1->Text(), "gw//x");
    EXPECT_EQ(Form2->Edit2->Text(), "gu");
    EXPECT_EQ(Form2->MaskEdit1->Text(), "gp");

    // After-steps: the automatic logon armed, the signature counted, the players opened on the
    // names without quotes, a relative one in the program folder, an empty one left alone.
    EXPECT_TRUE(Form12->Timer1->Enabled());
    EXPECT_EQ(Form2->Label4->Caption(), "0/159");
    EXPECT_EQ(Form12->MediaPlayer1->FileName(), PathOf("start up.wav"));
    EXPECT_TRUE(Form12->MediaPlayer1->IsOpen());
    EXPECT_TRUE(Form12->MediaPlayer2->IsOpen());
    EXPECT_FALSE(Form12->MediaPlayer3->IsOpen());
    EXPECT_EQ(Form12->MediaPlayer3->FileName(), "");
}

TEST_F(SettingsFile, AnotherVersionsFileChangesNothingAndNoFileStillCounts) {
    WriteFile("zemblySMS.ini", "[zemblySMS 3.00]\r\nSignature=three\r\n");
    Form12->LoadINI();
    EXPECT_EQ(Form2->Edit4->Text(), "[sent via zemblySMS!]");
    WriteFile("zemblySMS.ini", "[zemblySMS 2\r\nSignature=bare\r\n");
    Form12->LoadINI();
    EXPECT_EQ(Form2->Edit4->Text(), "bare");
    // Without a file the after-steps still run.
    DeleteFileA(PathOf("zemblySMS.ini").c_str());
    Form2->Edit4->SetText("[sent via zemblySMS!]");
    Form12->LoadINI();
    EXPECT_EQ(Form2->Label4->Caption(), "21/159");
    EXPECT_FALSE(Form12->Timer1->Enabled());
}

TEST_F(SettingsFile, PasswordsOfEveryByteComeBackUnchanged) {
    Form12->CheckBox1->SetChecked(true);
    for (int first = 1; first < 256; first += 18) {
        std::string password;
        for (int c = first; c < first + 18 && c < 256; ++c) password += static_cast<char>(c);
        Form12->MaskEdit1->SetText(password);
        Form2->MaskEdit1->SetText(std::string(password.rbegin(), password.rend()));
        Form12->SaveINI();
        Form12->MaskEdit1->SetText("");
        Form2->MaskEdit1->SetText("");
        Form12->LoadINI();
        EXPECT_EQ(Form12->MaskEdit1->Text(), password) << "from byte " << first;
        EXPECT_EQ(Form2->MaskEdit1->Text(), std::string(password.rbegin(), password.rend()));
    }
}

TEST_F(SettingsFile, AFailedWriteKeepsThePreviousFileAndIsShown) {
    const std::string before = "[zemblySMS 2.00]\r\nUsername=old\r\n";
    WriteFile("zemblySMS.ini", before);
    RunStartUp();
    SetFileAttributesA(PathOf("zemblySMS.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    Form12->Edit1->SetText("new");
    ChooseTrayItem(&testing_support::Find<gui::TMenuItem>(*Form12, "Exit2"));

    EXPECT_EQ(ReadFile("zemblySMS.ini"), before);
    ASSERT_EQ(dialogs_.Shown().size(), 1u);
    EXPECT_EQ(dialogs_.Shown()[0].type, gui::mtError);
    EXPECT_NE(dialogs_.Shown()[0].text.find(PathOf("zemblySMS.ini")), std::string::npos);
    // Exit goes on to its end all the same, and leaves no half-written file behind.
    EXPECT_EQ(exits_.Count(), 1);
    EXPECT_EQ(exits_.Code(), 0);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(PathOf("*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);

    // A file another program holds open is kept the same way.
    SetFileAttributesA(PathOf("zemblySMS.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE held = CreateFileA(PathOf("zemblySMS.ini").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(Form12->SaveINI(), gui::Exception);
    CloseHandle(held);
    EXPECT_EQ(ReadFile("zemblySMS.ini"), before);
}

}  // namespace
}  // namespace messengertest
