// The wizard's one window: the header, the twelve pages of both roads and the three buttons. Its
// handlers read the controls, ask the page rules and write the controls back; the start-up work,
// the two roads and Finish live in their own units and reach the window through these fields.
// What setup.ini said is kept in the controls themselves (hidden labels and lists), which those
// units read by name.
#pragma once

#include <array>

#include "DirectoryEdit.h"
#include "ExtCtrls.h"
#include "ExtractionProgress.h"
#include "Form.h"
#include "KAZip.h"
#include "KelTextHandler1.h"
#include "ListControls.h"
#include "NetGradient.h"
#include "PageRules.h"
#include "Pages.h"
#include "RxGIFAnimator.h"
#include "RxLabel.h"
#include "ShellListView.h"
#include "StdCtrls.h"
#include "Timer.h"
#include "UnzipRecords.h"
#include "bSource1.h"

class TForm1 : public gui::TForm {
public:
    explicit TForm1(gui::TComponent* owner);

    // Header.
    TNetGradient* NetGradient1 = nullptr;
    gui::TLabel* Label1 = nullptr;  // the title
    gui::TImage* Image1 = nullptr;  // product icon
    gui::TImage* Image2 = nullptr;  // maker's logo
    gui::TRxLabel* RxLabel1 = nullptr;

    // What start-up read: hidden labels.
    gui::TLabel* curDir = nullptr;
    gui::TLabel* progName = nullptr;
    gui::TLabel* Label39 = nullptr;  // company
    gui::TLabel* Label37 = nullptr;  // feedback id, "None" for none
    gui::TLabel* Tasks = nullptr;    // first shortcut target, "Tasks" for none

    gui::TNotebook* Notebook1 = nullptr;
    gui::TLabel* Label4 = nullptr;  // welcome line
    gui::TMemo* Memo1 = nullptr;    // licence text
    gui::TCheckBox* CheckBox1 = nullptr;
    gui::TDirectoryEdit* DirectoryEdit1 = nullptr;
    gui::TRadioButton* RadioButton1 = nullptr;
    gui::TRadioButton* RadioButton2 = nullptr;
    gui::TRadioButton* RadioButton3 = nullptr;
    gui::TCheckBox* CheckBox8 = nullptr;  // required files, never changed
    gui::TCheckBox* CheckBox2 = nullptr;
    gui::TCheckBox* CheckBox3 = nullptr;
    gui::TCheckBox* CheckBox4 = nullptr;
    gui::TCheckBox* CheckBox5 = nullptr;
    gui::TCheckBox* CheckBox7 = nullptr;
    gui::TCheckBox* CheckBox11 = nullptr;
    gui::TCheckBox* CheckBox12 = nullptr;
    gui::TCheckBox* CheckBox13 = nullptr;
    gui::TCheckBox* CheckBox14 = nullptr;
    gui::TCheckBox* CheckBox15 = nullptr;
    gui::TEdit* Edit1 = nullptr;  // program-menu folder name
    gui::TShellListView* dirlist1 = nullptr;
    gui::TCheckBox* CheckBox9 = nullptr;  // desktop shortcut
    gui::TLabel* Label11 = nullptr;       // summary values
    gui::TLabel* Label20 = nullptr;
    gui::TLabel* Label21 = nullptr;
    gui::TLabel* Label22 = nullptr;
    gui::TLabel* Label23 = nullptr;  // install status line
    gui::TProgressBar* ProgressBar1 = nullptr;
    gui::TProgressBar* ProgressBar2 = nullptr;
    gui::TListBox* ListBox1 = nullptr;
    gui::TListBox* ListBox13 = nullptr;
    gui::TLabel* Label24 = nullptr;  // install end warning
    gui::TCheckBox* CheckBox6 = nullptr;
    gui::TMemo* Memo2 = nullptr;  // feedback text
    gui::TImage* Image3 = nullptr;
    gui::TImage* Image4 = nullptr;
    gui::TImage* Image5 = nullptr;
    gui::TImage* Image6 = nullptr;
    gui::TImage* Image7 = nullptr;
    gui::TImage* Image8 = nullptr;
    gui::TRxGIFAnimator* RxGIF = nullptr;
    gui::TProgressBar* ProgressBar3 = nullptr;
    gui::TLabel* Label34 = nullptr;
    gui::TLabel* Label35 = nullptr;  // uninstall end warning

    gui::TButton* Button1 = nullptr;  // Cancel
    gui::TButton* Button2 = nullptr;  // Next / Finish
    gui::TButton* Button3 = nullptr;  // Back

    // Hidden lists: required files, the ten components' files, registry lines.
    gui::TListBox* ListBox2 = nullptr;
    gui::TListBox* ListBox3 = nullptr;
    gui::TListBox* ListBox4 = nullptr;
    gui::TListBox* ListBox5 = nullptr;
    gui::TListBox* ListBox6 = nullptr;
    gui::TListBox* ListBox7 = nullptr;
    gui::TListBox* ListBox8 = nullptr;
    gui::TListBox* ListBox9 = nullptr;
    gui::TListBox* ListBox10 = nullptr;
    gui::TListBox* ListBox11 = nullptr;
    gui::TListBox* ListBox12 = nullptr;
    gui::TListBox* ListBox14 = nullptr;
    gui::TFileListBox* FileListBox1 = nullptr;

    KelTextHandler* KTH = nullptr;
    bSource* bSource1 = nullptr;
    TKAZip* KAZip1 = nullptr;       // lists the install archive
    gui::TTimer* Timer2 = nullptr;  // the quit timer

    // Setup created the install folder (or a level of its path); the uninstall command carries
    // it from the install to the uninstaller.
    bool InstallFolderCreated = false;

    // What the install hands the unzip library: zero-filled for the window's whole life but for
    // the fixed values SetUnZipSwitches writes and the entry the install road names per call.
    UnzipParameterRecord UnzipParameters{};
    void SetUnZipSwitches();
    // Files below one progress unit, added up over the whole run of the program.
    setup::SmallFileSum SmallFiles;

    // The ten component boxes and their file lists, box k with list k.
    std::array<gui::TCheckBox*, 10> ComponentBoxes() const;
    std::array<gui::TListBox*, 10> ComponentLists() const;

    // Ends the program with `exitCode` once the message loop runs again.
    void ArmQuitTimer(int exitCode);

    void FormActivate(gui::TObject* sender);
    void FormDestroy(gui::TObject* sender);
    void Timer2Timer(gui::TObject* sender);
    void Notebook1PageChanged(gui::TObject* sender);
    void Button1Click(gui::TObject* sender);
    void Button2Click(gui::TObject* sender);
    void Button3Click(gui::TObject* sender);
    void RadioButton1Click(gui::TObject* sender);
    void RadioButton2Click(gui::TObject* sender);
    void RadioButton3Click(gui::TObject* sender);
    void CheckBox1Click(gui::TObject* sender);
    void dirlist1Click(gui::TObject* sender);
    void RxLabel1MouseMove(gui::TObject* sender, gui::TShiftState shift, int x, int y);
    void RxLabel1Click(gui::TObject* sender);

private:
    void ApplyInstallType(setup::InstallType type);
    // Page 2's checks before Next leaves it; false keeps the page.
    bool LocationAccepted();
    void ShowSummary();

    bool startupRun_ = false;
    int quitCode_ = 0;
};

extern TForm1* Form1;
