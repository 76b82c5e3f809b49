#include "PayPal.h"

#include "BrowserCommand.h"
#include "BuyCredits.h"
#include "LaunchBrowser.h"
#include "ServiceSite.h"
#include "password.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(gui::TComponent* owner) : TForm(owner, "TForm3") {
    GUI_CONTROLS(RxSpinEdit1, Label1, Image3, Image1, Image4);
    GUI_HANDLERS(RxSpinEdit1Change, BitBtn1Click, BitBtn2Click, Image4Click);
    LoadFromResource("TFORM3");
    borderless_.AddDragSurfaces({Image3});
    borderless_.SetHoverPair(*Image1, *Image4);
}

void TForm3::RxSpinEdit1Change(gui::TObject*) {
    Label1->SetCaption(messenger::PriceText(RxSpinEdit1->Value()));
}

void TForm3::BitBtn1Click(gui::TObject*) {
    messenger::OpenInBrowser(
        messenger::PaymentCartAddress(RxSpinEdit1->Value(), Form12->Edit1->Text(),
                                      messenger::DefaultPaymentSettings()),
        messenger::BrowserFailureMessage(messenger::SiteDomain()));
}

void TForm3::BitBtn2Click(gui::TObject*) {
    Hide();
}

void TForm3::Image4Click(gui::TObject*) {
    Hide();
    Image4->Hide();
}
