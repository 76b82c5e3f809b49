// The contact dialog: one contact's name and number, in add or edit mode.
#pragma once

#include "BorderlessWindow.h"
#include "ExtCtrls.h"
#include "Form.h"

class TForm5 : public gui::TForm {
public:
    explicit TForm5(gui::TComponent* owner);

    // Frameless: dragged by the background and the bottom strip; a close picture with its hover
    // twin.
    gui::TImage* Image3 = nullptr;
    gui::TImage* Image5 = nullptr;
    gui::TImage* Image1 = nullptr;
    gui::TImage* Image4 = nullptr;
    // The hover close picture and Cancel: hides the dialog, which ends the wait for it.
    void Image4Click(gui::TObject* sender);

private:
    messenger::BorderlessWindow borderless_{*this};
};

extern TForm5* Form5;
