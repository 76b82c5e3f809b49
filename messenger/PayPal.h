// The buy-credits window: the credit count, its price, and the payment provider's cart page.
#pragma once

#include "Form.h"
#include "RxSpinEdit.h"
#include "StdCtrls.h"

class TForm3 : public gui::TForm {
public:
    explicit TForm3(gui::TComponent* owner);

    gui::TRxSpinEdit* RxSpinEdit1 = nullptr;  // credits
    gui::TLabel* Label1 = nullptr;            // price

    // Shows the price of the credit count the spin edit holds.
    void RxSpinEdit1Change(gui::TObject* sender);
};

extern TForm3* Form3;
