// The composer: the contact list, the message with its counter, Send and its status.
#pragma once

#include "Form.h"

class TForm1 : public gui::TForm {
public:
    explicit TForm1(gui::TComponent* owner);
};

extern TForm1* Form1;
