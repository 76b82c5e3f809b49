#include "installer.h"

#include "Dialogs.h"
#include "FinishAction.h"
#include "FinishRules.h"
#include "InstallRoad.h"
#include "LocalFiles.h"
#include "MakerSite.h"
#include "MessagePump.h"
#include "ProcessEnd.h"
#include "ProgramLaunch.h"
#include "UninstallRoad.h"
#include "UnzipProgress.h"
#include "WizardStartup.h"

TForm1* Form1 = nullptr;

namespace {

// The browser the header's address opens, always at this path; the address is its argument.
constexpr const char* kBrowserProgram = "c:\\program files\\internet explorer\\iexplore.exe";

}  // namespace

TForm1::TForm1(gui::TComponent* owner) : TForm(owner, "TForm1") {
    // The archive component is the wizard's own, so the shared registration does not name it.
    gui::ClassRegistry::Register<TKAZip>("TKAZip");
    GUI_CONTROLS(NetGradient1, Label1, Image1, Image2, RxLabel1, curDir, progName, Label39, Label37,
                 Tasks, Notebook1, Label4, Memo1, CheckBox1, DirectoryEdit1, RadioButton1,
                 RadioButton2, RadioButton3, CheckBox8, CheckBox2, CheckBox3, CheckBox4, CheckBox5,
                 CheckBox7, CheckBox11, CheckBox12, CheckBox13, CheckBox14, CheckBox15, Edit1,
                 dirlist1, CheckBox9, Label11, Label20, Label21, Label22, Label23, ProgressBar1,
                 ProgressBar2, ListBox1, ListBox13, Label24, CheckBox6, Memo2, Image3, Image4,
                 Image5, Image6, Image7, Image8, RxGIF, ProgressBar3, Label34, Label35, Button1,
                 Button2, Button3, ListBox2, ListBox3, ListBox4, ListBox5, ListBox6, ListBox7,
                 ListBox8, ListBox9, ListBox10, ListBox11, ListBox12, ListBox14, FileListBox1, KTH,
                 bSource1, KAZip1, Timer2);
    GUI_HANDLERS(FormActivate, FormDestroy, Timer2Timer, Notebook1PageChanged, Button1Click,
                 Button2Click, Button3Click, RadioButton1Click, RadioButton2Click,
                 RadioButton3Click, CheckBox1Click, dirlist1Click, RxLabel1MouseMove,
                 RxLabel1Click);
    LoadFromResource("TFORM1");
    RxLabel1->SetCaption(setup::MakerWebLabel());
}

std::array<gui::TCheckBox*, 10> TForm1::ComponentBoxes() const {
    return {CheckBox2,  CheckBox3,  CheckBox4,  CheckBox5,  CheckBox7,
            CheckBox11, CheckBox12, CheckBox13, CheckBox14, CheckBox15};
}

std::array<gui::TListBox*, 10> TForm1::ComponentLists() const {
    return {ListBox3, ListBox4, ListBox5,  ListBox6,  ListBox7,
            ListBox8, ListBox9, ListBox10, ListBox11, ListBox12};
}

void TForm1::ArmQuitTimer(int exitCode) {
    quitCode_ = exitCode;
    Timer2->SetEnabled(true);
}

void TForm1::SetUnZipSwitches() {
    UnzipParameters.caller = this;
    UnzipParameters.switch8 = 110;
    UnzipParameters.callback = setup::UnzipProgressCallback;
    UnzipParameters.switch24 = UnzipParameters.switch28 = 0;
    UnzipParameters.switch32 = UnzipParameters.switch36 = 0;
    UnzipParameters.switch40 = -1;
    UnzipParameters.switch48 = UnzipParameters.switch52 = UnzipParameters.switch56 = 0;
    UnzipParameters.switch60 = -1;
    UnzipParameters.switch72 = 7;
}

void TForm1::FormActivate(gui::TObject*) {
    // Marked before anything can pump messages: an activation during the start-up's own message
    // boxes or page request must not start it again.
    if (startupRun_) return;
    startupRun_ = true;
    setup::WizardStartup(*this).Run();
}

void TForm1::FormDestroy(gui::TObject*) {
    delete bSource1;
    bSource1 = nullptr;
}

void TForm1::Timer2Timer(gui::TObject*) {
    Timer2->SetEnabled(false);
    gui::EndProcess(quitCode_);
}

void TForm1::Notebook1PageChanged(gui::TObject*) {
    const setup::ButtonStates buttons =
        setup::ButtonsOnPage(Notebook1->PageIndex(), Button2->Enabled(), CheckBox1->Checked());
    Button3->SetEnabled(buttons.backEnabled);
    Button2->SetEnabled(buttons.nextEnabled);
    Button2->SetCaption(buttons.nextCaption);
    if (buttons.focusLicence && Memo1->CanFocus()) Memo1->SetFocus();
}

void TForm1::Button2Click(gui::TObject*) {
    const int page = Notebook1->PageIndex();
    if (Button2->Caption() == setup::kFinishCaption) {
        if (page == setup::kFinishedPage && !FinishAction(*this).Run()) return;
        gui::EndProcess(0);
        return;
    }
    if (page == setup::kLocationPage && !LocationAccepted()) return;

    Notebook1->SetPageIndex(setup::PageAfter(page, CheckBox2->Visible(), Label37->Caption()));
    switch (Notebook1->PageIndex()) {
        case setup::kSummaryPage:
            ShowSummary();
            break;
        case setup::kInstallPage:
            InstallRoad(*this).Run();
            break;
        case setup::kUninstallPage:
            UninstallRoad(*this).Run();
            break;
        default:
            break;
    }
}

bool TForm1::LocationAccepted() {
    const std::string folder = DirectoryEdit1->Text();
    // A relative or empty folder would be created wherever the program happens to run.
    const std::string refusal = setup::InstallFolderRefusal(folder);
    if (!refusal.empty()) {
        gui::MessageDlg(refusal, gui::mtWarning, gui::mbOK);
        return false;
    }
    if (setup::FolderExists(folder)) return true;
    // The install road creates it.
    return gui::MessageDlg(setup::kCreateFolderQuestion, gui::mtConfirmation,
                           gui::mbYes | gui::mbNo) == gui::mrYes;
}

void TForm1::ShowSummary() {
    setup::InstallType type = setup::InstallType::Full;
    if (RadioButton3->Checked()) type = setup::InstallType::Custom;
    if (RadioButton2->Checked()) type = setup::InstallType::Minimal;
    const setup::SummaryTexts summary =
        setup::Summary(DirectoryEdit1->Text(), type, Edit1->Text(), CheckBox9->Checked());
    Label11->SetCaption(summary.installFolder);
    Label20->SetCaption(summary.installType);
    Label21->SetCaption(summary.programMenuFolder);
    Label22->SetCaption(summary.desktopShortcut);
}

void TForm1::Button3Click(gui::TObject*) {
    Notebook1->SetPageIndex(setup::PageBefore(Notebook1->PageIndex(), CheckBox2->Visible()));
}

void TForm1::Button1Click(gui::TObject*) {
    gui::ProcessMessages();
    switch (setup::CancelOnPage(Notebook1->PageIndex())) {
        case setup::CancelAction::AskFirst:
            if (gui::MessageDlg(setup::kCancelQuestion, gui::mtConfirmation,
                                gui::mbYes | gui::mbNo) == gui::mrYes)
                gui::EndProcess(0);
            break;
        case setup::CancelAction::EndAtOnce:
            gui::EndProcess(0);
            break;
        case setup::CancelAction::Nothing:
            break;
    }
}

void TForm1::ApplyInstallType(setup::InstallType type) {
    // All ten boxes, shown or not, so that the install road reads the same state either way.
    for (gui::TCheckBox* box : ComponentBoxes()) {
        const setup::BoxState state = setup::ComponentBoxAfter(type, box->Checked());
        box->SetChecked(state.checked);
        box->SetEnabled(state.enabled);
    }
}

void TForm1::RadioButton1Click(gui::TObject*) {
    ApplyInstallType(setup::InstallType::Full);
}

void TForm1::RadioButton2Click(gui::TObject*) {
    ApplyInstallType(setup::InstallType::Minimal);
}

void TForm1::RadioButton3Click(gui::TObject*) {
    ApplyInstallType(setup::InstallType::Custom);
}

void TForm1::CheckBox1Click(gui::TObject*) {
    Button2->SetEnabled(CheckBox1->Checked());
}

void TForm1::dirlist1Click(gui::TObject*) {
    // With several selected the last one wins; with none the name stays as typed.
    gui::TListItems& items = dirlist1->Items();
    for (int i = 0; i < items.Count(); ++i)
        if (items[i]->Selected()) Edit1->SetText(items[i]->Caption());
}

void TForm1::RxLabel1MouseMove(gui::TObject*, gui::TShiftState, int, int) {
    RxLabel1->SetCursor(gui::crHandPoint);
}

void TForm1::RxLabel1Click(gui::TObject*) {
    // Quoted: unquoted, the blank in "program files" would let c:\program.exe start instead.
    setup::StartProgram(setup::ProgramCommand(kBrowserProgram) + " " + setup::MakerWebAddress());
}
