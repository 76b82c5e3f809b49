// The settings dialog: the settings controls on three tabs (General, Sounds, 3rd Party Service)
// that the settings file is written from and read into, and the startup shortcut.
#pragma once

#include "Buttons.h"
#include "FilenameEdit.h"
#include "Form.h"
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
};

extern TForm2* Form2;
