// The new-release notice and the release check behind it.
#pragma once

#include "Form.h"
#include "StdCtrls.h"

class TForm9 : public gui::TForm {
public:
    explicit TForm9(gui::TComponent* owner);

    gui::TLabel* Label2 = nullptr;  // product number "," download page address, hidden
};

extern TForm9* Form9;
