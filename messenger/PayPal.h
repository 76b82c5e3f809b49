// The buy-credits window: the credit count, its price, and the payment provider's cart page.
#pragma once

#include "BorderlessWindow.h"
#include "ExtCtrls.h"
#include "Form.h"
#include "RxSpinEdit.h"
#include "StdCtrls.h"

class TForm3 : public gui::TForm {
public:
    explicit TForm3(gui::TComponent* owner);

    gui::TRxSpinEdit* RxSpinEdit1 = nullptr;  // credits
    gui::TLabel* Label1 = nullptr;            // price
    gui::TImage* Image3 = nullptr;            // background, the drag surface
    gui::TImage* Image1 = nullptr;            // close picture and its hover twin
    gui::TImage* Image4 = nullptr;

    // Shows the price of the credit count the spin edit holds.
    void RxSpinEdit1Change(gui::TObject* sender);
    // OK: the cart for these credits and the logon user name, in the browser; the window stays.
    void BitBtn1Click(gui::TObject* sender);
    void BitBtn2Click(gui::TObject* sender);  // Cancel
    void Image4Click(gui::TObject* sender);   // the hover close picture

private:
    messenger::BorderlessWindow borderless_{*this};
};

extern TForm3* Form3;
