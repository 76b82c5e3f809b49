// The settings dialog: the settings controls on three tabs (General, Sounds, 3rd Party Service)
// that the settings file is written from and read into, and the startup shortcut.
#pragma once

#include <string>

#include "Buttons.h"
#include "FilenameEdit.h"
#include "Form.h"
#include "KelTextHandler1.h"
#include "ListControls.h"
#include "StdCtrls.h"

class TForm2 : public gui::TForm {
public:
    explicit TForm2(gui::TComponent* owner);

    gui::TComboBox* ComboBox2 = nullptr;          // default sender
    gui::TEdit* Edit4 = nullptr;                  // signature
    gui::TLabel* Label4 = nullptr;                // signature length
    gui::TCheckBox* CheckBox1 = nullptr;          // check for updates on startup
    gui::TFilenameEdit* FilenameEdit4 = nullptr;  // startup sound
    gui::TFilenameEdit* FilenameEdit1 = nullptr;  // sent sound
    gui::TFilenameEdit* FilenameEdit2 = nullptr;  // failed sound
    gui::TComboBox* ComboBox1 = nullptr;          // gateway scheme
    gui::TEdit* Edit1 = nullptr;                  // gateway address template
    gui::TEdit* Edit2 = nullptr;                  // gateway user
    gui::TMaskEdit* MaskEdit1 = nullptr;          // gateway password
    gui::TBitBtn* BitBtn1 = nullptr;              // OK
    gui::TBitBtn* BitBtn2 = nullptr;              // Cancel
    gui::TBitBtn* BitBtn3 = nullptr;              // the startup shortcut
    KelTextHandler* kth = nullptr;

    // OK: the settings file written (a failed write keeps the dialog open), the dialog hidden,
    // the sent and failed players opened on their edits.
    void Button1Click(gui::TObject* sender);
    // Cancel: the settings file read back into every window.
    void Button2Click(gui::TObject* sender);
    // The signature cut to one part and its length shown, after every change.
    void Edit4Change(gui::TObject* sender);
    // After a sound's file dialog, before the edit writes the chosen name: the quotes removed
    // from the text that stood in the edit.
    void FilenameEdit4AfterDialog(gui::TObject* sender, std::string& name, bool& action);
    void FilenameEdit1AfterDialog(gui::TObject* sender, std::string& name, bool& action);
    void FilenameEdit2AfterDialog(gui::TObject* sender, std::string& name, bool& action);
    // The startup shortcut saved, then its path shown, or a warning saying why it was not.
    void BitBtn3Click(gui::TObject* sender);
    // Enter presses OK. Published for the description to bind; none binds it.
    void Edit2KeyPress(gui::TObject* sender, char& key);
};

extern TForm2* Form2;
