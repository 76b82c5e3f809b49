// The settings dialog and the startup shortcut.
#pragma once

#include "Form.h"

class TForm2 : public gui::TForm {
public:
    explicit TForm2(gui::TComponent* owner);
};

extern TForm2* Form2;
