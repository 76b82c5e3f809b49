#include "options.h"

#include "Application.h"
#include "Dialogs.h"
#include "MessageCounter.h"
#include "ProgramFolder.h"
#include "ShellLink.h"
#include "Sounds.h"
#include "StartupShortcut.h"
#include "TextToolkit.h"
#include "password.h"

TForm2* Form2 = nullptr;

namespace {

void RemoveQuotes(gui::TFilenameEdit& edit) {
    edit.SetText(text::RemoveAllOf(edit.Text(), "\""));
}

}  // namespace

TForm2::TForm2(gui::TComponent* owner) : TForm(owner, "TForm2") {
    GUI_CONTROLS(ComboBox2, Edit4, Label4, CheckBox1, FilenameEdit4, FilenameEdit1, FilenameEdit2,
                 ComboBox1, Edit1, Edit2, MaskEdit1, BitBtn1, BitBtn2, BitBtn3, kth);
    GUI_HANDLERS(Button1Click, Button2Click, Edit4Change, FilenameEdit4AfterDialog,
                 FilenameEdit1AfterDialog, FilenameEdit2AfterDialog, BitBtn3Click, Edit2KeyPress);
    LoadFromResource("TFORM2");
}

void TForm2::Button1Click(gui::TObject*) {
    Form12->SaveINI();
    Hide();
    // The startup player takes a changed file at the next settings read.
    const std::string folder = Form12->curDir->Caption();
    messenger::OpenSound(*Form12->MediaPlayer2, FilenameEdit1->Text(), folder);
    messenger::OpenSound(*Form12->MediaPlayer3, FilenameEdit2->Text(), folder);
}

void TForm2::Button2Click(gui::TObject*) {
    Form12->LoadINI();
    Hide();
}

void TForm2::Edit4Change(gui::TObject*) {
    // Only a settings file can hold a longer one: typing stops at the edit's maximum length.
    if (Edit4->Text().size() > static_cast<size_t>(messenger::kPartLength))
        Edit4->SetText(Edit4->Text().substr(0, messenger::kPartLength));
    Label4->SetCaption(messenger::SignatureLengthText(Edit4->Text()));
}

void TForm2::FilenameEdit4AfterDialog(gui::TObject*, std::string&, bool&) {
    RemoveQuotes(*FilenameEdit4);
}

void TForm2::FilenameEdit1AfterDialog(gui::TObject*, std::string&, bool&) {
    RemoveQuotes(*FilenameEdit1);
}

void TForm2::FilenameEdit2AfterDialog(gui::TObject*, std::string&, bool&) {
    RemoveQuotes(*FilenameEdit2);
}

void TForm2::BitBtn3Click(gui::TObject*) {
    const std::string program = gui::Application.ExeName();
    const std::string link = kth->GetSpecialFolder("allStartup") + messenger::kStartupShortcutName;
    const std::string reason =
        files::SaveShellLink(link, program, messenger::ProgramFolder(program));
    if (reason.empty())
        gui::ShowMessage(link);
    else
        gui::MessageDlg(messenger::ShortcutNotSavedText(link, reason), gui::mtWarning, gui::mbOK);
}

void TForm2::Edit2KeyPress(gui::TObject*, char& key) {
    if (key == '\r') BitBtn1->Click();
}
