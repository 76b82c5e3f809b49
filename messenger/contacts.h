// The contact dialog: one contact's name and number, in add or edit mode.
#pragma once

#include "Form.h"

class TForm5 : public gui::TForm {
public:
    explicit TForm5(gui::TComponent* owner);
};

extern TForm5* Form5;
