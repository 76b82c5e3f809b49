// The buy-credits window and the payment cart address.
#pragma once

#include "Form.h"

class TForm3 : public gui::TForm {
public:
    explicit TForm3(gui::TComponent* owner);
};

extern TForm3* Form3;
