// The wizard's one window: start-up and setup.ini, the pages and their buttons, the install and
// uninstall roads and Finish.
#pragma once

#include "Form.h"

class TForm1 : public gui::TForm {
public:
    explicit TForm1(gui::TComponent* owner);
};

extern TForm1* Form1;
