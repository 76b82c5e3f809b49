// The logon window: the program's main window, its start-up timers, sound players and tray.
#pragma once

#include "Form.h"

class TForm12 : public gui::TForm {
public:
    explicit TForm12(gui::TComponent* owner);
};

extern TForm12* Form12;
