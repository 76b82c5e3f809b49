// The new-release notice and the release check behind it.
#pragma once

#include "Form.h"

class TForm9 : public gui::TForm {
public:
    explicit TForm9(gui::TComponent* owner);
};

extern TForm9* Form9;
