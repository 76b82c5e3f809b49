#include "PayPal.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(gui::TComponent* owner) : TForm(owner, "TForm3") {
    LoadFromResource("TFORM3");
}
