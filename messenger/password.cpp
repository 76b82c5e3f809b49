#include "password.h"

#include "AccountServiceProtocol.h"
#include "Application.h"
#include "BrowserCommand.h"
#include "Dialogs.h"
#include "FileStore.h"
#include "LaunchBrowser.h"
#include "MessageCounter.h"
#include "NewRelease.h"
#include "PayPal.h"
#include "ProcessEnd.h"
#include "ProgramFolder.h"
#include "ServiceHost.h"
#include "ServiceSite.h"
#include "SettingsControls.h"
#include "Sounds.h"
#include "contacts.h"
#include "main.h"
#include "options.h"

TForm12* Form12 = nullptr;

namespace {

const char kUnsetFolder[] = "curDir";

}  // namespace

TForm12::TForm12(gui::TComponent* owner) : TForm(owner, "TForm12") {
    GUI_CONTROLS(curDir, Edit1, MaskEdit1, RadioButton1, RadioButton2, CheckBox1, Label4, BitBtn1,
                 BitBtn2, BitBtn3, Timer1, Timer2, kth, MediaPlayer1, MediaPlayer2, MediaPlayer3,
                 RxTrayIcon1, OfficePopupMenu1, FormPlacement1);
    GUI_HANDLERS(FormCreate, Timer1Timer, Timer2Timer, Button2Click, MaskEdit1KeyPress,
                 RadioButton2Click, Button1Click, Button3Click, OpenzemblySMS1Click,
                 RxTrayIcon1DblClick, Paypal1Click, Settings1Click, LogOff1Click, Exit2Click);
    GUI_CONTROLS(Image3, Shape1, Shape2);
    LoadFromResource("TFORM12");
    borderless_.AddDragSurfaces({Image3, Shape1, Shape2});
    RadioButton1->SetCaption("Log on to " + messenger::SiteDomain());
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TForm12::FormCreate(gui::TObject*) {
    if (curDir->Caption() != kUnsetFolder) return;
    curDir->SetCaption(messenger::ProgramFolder(gui::Application.ExeName()));
    // Fires once the message loop runs, when every window exists.
    Timer2->SetEnabled(true);
}

void TForm12::Timer2Timer(gui::TObject*) {
    Timer2->SetEnabled(false);
    LoadINI();
}

void TForm12::Timer1Timer(gui::TObject*) {
    Timer1->SetEnabled(false);
    Button2Click(Timer1);
}

// ---------------------------------------------------------------------------------------------
// The logon

void TForm12::SetLogonInputsEnabled(bool on) {
    Edit1->SetEnabled(on);
    MaskEdit1->SetEnabled(on);
    BitBtn1->SetEnabled(on);
    BitBtn3->SetEnabled(on);
}

void TForm12::PlayStartupSound() {
    messenger::PlayIfLonger(*MediaPlayer1, 1);
}

void TForm12::Button2Click(gui::TObject*) {
    SetLogonInputsEnabled(false);
    // The inputs come back on every road, on the hidden window too.
    struct Reenable {
        TForm12* form;
        ~Reenable() { form->SetLogonInputsEnabled(true); }
    } reenable{this};

    if (RadioButton2->Checked()) {
        // Gateway mode: no request, the fields are not looked at.
        Hide();
        PlayStartupSound();
        Form1->Label3->Hide();
        RxTrayIcon1->SetActive(true);
        Form1->ListView1->SetMultiSelect(false);
        return;
    }
    const AccountServiceProtocol protocol;
    const std::string reply =
        Form1->FetchCommand(protocol.CheckLogonAddress(Edit1->Text(), MaskEdit1->Text()));
    if (!AccountServiceProtocol::LogonAccepted(reply)) {
        Label4->Show();
        return;
    }
    Hide();
    PlayStartupSound();
    Form1->Label3->SetCaption(AccountServiceProtocol::CreditText(reply));
    Form1->Label3->Show();
    Form1->ListView1->SetMultiSelect(true);
    RxTrayIcon1->SetActive(true);
}

void TForm12::MaskEdit1KeyPress(gui::TObject* sender, char& key) {
    const bool enter = key == '\r';
    if (enter) {
        Button2Click(sender);
        key = 0;
    }
    // The texts as they stand before the key takes effect.
    BitBtn1->SetEnabled(!Edit1->Text().empty() && !MaskEdit1->Text().empty());
    // An Enter that has just shown the error text must leave it on screen.
    if (!enter) Label4->Hide();
}

void TForm12::RadioButton2Click(gui::TObject*) {
    const bool gateway = RadioButton2->Checked();
    Edit1->SetEnabled(!gateway);
    MaskEdit1->SetEnabled(!gateway);
    BitBtn1->SetEnabled(gateway || (!Edit1->Text().empty() && !MaskEdit1->Text().empty()));
    BitBtn3->SetEnabled(!gateway);
}

void TForm12::Button1Click(gui::TObject*) {
    gui::EndProcess(0);
}

void TForm12::Button3Click(gui::TObject*) {
    messenger::OpenInBrowser(service::BrowserPageAddress("signup"),
                             messenger::kSignUpBrowserFailure);
}

// ---------------------------------------------------------------------------------------------
// The tray icon's menu

void TForm12::OpenzemblySMS1Click(gui::TObject*) {
    Form1->LoadContacts();
    Form1->Show();
}

void TForm12::RxTrayIcon1DblClick(gui::TObject*) {
    Form1->LoadContacts();
    const std::string defaultSender = Form2->ComboBox2->Text();
    if (!defaultSender.empty()) Form1->ComboBox1->SetText(defaultSender);
    Form1->Show();
}

void TForm12::Paypal1Click(gui::TObject*) {
    Form3->RxSpinEdit1Change(Form3->RxSpinEdit1);
    Form3->Show();
}

void TForm12::Settings1Click(gui::TObject*) {
    Form1->LoadContacts();
    Form2->Show();
}

void TForm12::LogOff1Click(gui::TObject*) {
    RxTrayIcon1->SetActive(false);
    // The buy-credits window stays as it is.
    Form1->Hide();
    Form2->Hide();
    Form9->Hide();
    Form5->Hide();
    Show();
}

void TForm12::Exit2Click(gui::TObject*) {
    SaveAndEnd(true);
}

void TForm12::SaveAndEnd(bool processPendingMessages) {
    Form1->ReleaseFetcher();
    try {
        SaveINI();
    } catch (const std::exception& error) {
        gui::ReportException(error);
    }
    if (processPendingMessages) gui::Application.ProcessMessages();
    gui::EndProcess(0);
}

// ---------------------------------------------------------------------------------------------
// The settings file

std::string TForm12::SettingsPath() const {
    return curDir->Caption() + messenger::kSettingsFileName;
}

void TForm12::SaveINI() {
    messenger::ReplaceFile(SettingsPath(),
                           messenger::WriteSettings(messenger::SettingsFromControls()));
}

void TForm12::LoadINI() {
    std::string file;
    bool found = false;
    try {
        found = messenger::ReadWholeFile(SettingsPath(), file);
    } catch (const std::exception&) {
        // A file that cannot be read is passed over like a missing one.
    }
    if (found)
        for (const messenger::SettingChange& change : messenger::ReadSettings(file).changes)
            messenger::ApplyToControls(change);

    // After-steps, whether or not a file was read.
    if (CheckBox1->Checked()) Timer1->SetEnabled(true);
    Form2->Label4->SetCaption(messenger::SignatureLengthText(Form2->Edit4->Text()));
    const std::string folder = curDir->Caption();
    messenger::OpenSound(*MediaPlayer1, Form2->FilenameEdit4->Text(), folder);
    messenger::OpenSound(*MediaPlayer2, Form2->FilenameEdit1->Text(), folder);
    messenger::OpenSound(*MediaPlayer3, Form2->FilenameEdit2->Text(), folder);
}
