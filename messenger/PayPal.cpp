#include "PayPal.h"

#include "BuyCredits.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(gui::TComponent* owner) : TForm(owner, "TForm3") {
    GUI_CONTROLS(RxSpinEdit1, Label1);
    GUI_HANDLERS(RxSpinEdit1Change);
    LoadFromResource("TFORM3");
}

void TForm3::RxSpinEdit1Change(gui::TObject*) {
    Label1->SetCaption(messenger::PriceText(RxSpinEdit1->Value()));
}
