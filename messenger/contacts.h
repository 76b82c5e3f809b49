// The contact dialog: one contact's name and number, in add or edit mode. It is not modal: the
// composer shows it and waits, handling messages, until it is hidden.
#pragma once

#include <string>

#include "BorderlessWindow.h"
#include "Buttons.h"
#include "ExtCtrls.h"
#include "Form.h"
#include "StdCtrls.h"

class TForm5 : public gui::TForm {
public:
    explicit TForm5(gui::TComponent* owner);

    gui::TLabel* Label8 = nullptr;    // title and mode: "Add Contact" or "Edit Contact"
    gui::TEdit* Edit1 = nullptr;      // name
    gui::TEdit* Edit2 = nullptr;      // number
    gui::TLabel* Label2 = nullptr;    // hidden: the index of the record being edited
    gui::TBitBtn* BitBtn1 = nullptr;  // OK
    // Frameless: dragged by the background and the bottom strip; a close picture with its hover
    // twin.
    gui::TImage* Image3 = nullptr;
    gui::TImage* Image5 = nullptr;
    gui::TImage* Image1 = nullptr;
    gui::TImage* Image4 = nullptr;  // the close picture under the pointer

    // The record as it stood when edit mode opened the dialog.
    std::string openedRecord;

    // Stores the record in the composer's list and hides the dialog; a "|" in the name or the
    // number is refused and the dialog stays open.
    void BitBtn1Click(gui::TObject* sender);
    // Cancel and the close picture: hides the dialog, nothing stored.
    void Image4Click(gui::TObject* sender);

private:
    messenger::BorderlessWindow borderless_{*this};
};

extern TForm5* Form5;

inline constexpr char kAddContactTitle[] = "Add Contact";
inline constexpr char kEditContactTitle[] = "Edit Contact";
